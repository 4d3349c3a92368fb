// The choices of one run of Floppwright. The main window owns them and is
// their only writer; the creation and the diskette steps below it get them
// as CreationInputs.
#pragma once

#include <cstdint>

// 1 hard drive, 2 CD-ROM drive, 3 diskette drive; -1 after Cancel; 0 until
// the product dialog has ended.
enum : int32_t {
    ProductNone = 0,
    ProductHardDrive = 1,
    ProductCdromDrive = 2,
    ProductDisketteDrive = 3,
    ProductCancelled = -1,
};

enum { DisketteRootSize = 4 };

struct RunSettings {
    uint16_t LanguageIndex;       // 1 English, 2 Spanish, 3 French
    int32_t ProductChoice;
    uint32_t StartupDiskOption;   // follows the system-menu item "Make Startup Disk (MS-DOS)"
    char DisketteRoot[DisketteRootSize];   // root of the target drive, always "A:\"
};
