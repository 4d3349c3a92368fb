// The choices of one run of Floppwright. The window is their only writer;
// the creation procedure and the diskette steps below it only read them.
#ifndef DISKETTE_MAKER_CORE_RUN_SETTINGS_H
#define DISKETTE_MAKER_CORE_RUN_SETTINGS_H

#include <cstdint>

// 1 English, 2 Spanish, 3 French.
extern uint16_t LanguageIndex;

// 1 hard drive, 2 CD-ROM drive, 3 diskette drive; -1 after Cancel; 0 until
// the product dialog has ended.
enum : int32_t {
    ProductNone = 0,
    ProductHardDrive = 1,
    ProductCdromDrive = 2,
    ProductDisketteDrive = 3,
    ProductCancelled = -1,
};
extern int32_t ProductChoice;

// Follows the system-menu item "Make Startup Disk (MS-DOS)"; on at start.
extern uint32_t StartupDiskOption;

// Root of the target drive, always "A:\".
enum { DisketteRootSize = 4 };
extern char DisketteRoot[DisketteRootSize];

#endif
