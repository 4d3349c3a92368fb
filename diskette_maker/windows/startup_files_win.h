// The MS-DOS startup files and the bootable step.
#ifndef DISKETTE_MAKER_WINDOWS_STARTUP_FILES_WIN_H
#define DISKETTE_MAKER_WINDOWS_STARTUP_FILES_WIN_H

#include <windows.h>

// Writes CONFIG.SYS (and for the CD-ROM drive AUTOEXEC.BAT) to the diskette
// root; true when every byte of them reached the diskette.
bool WriteStartupFiles(int productChoice);

// Copies the system files and writes the boot sector where the running
// Windows can; false only when the system files could not be copied.
bool MakeBootable(HWND owner);

// Copies IO.SYS and COMMAND.COM from the emergency-boot folder, creates an
// empty MSDOS.SYS and marks IO.SYS and MSDOS.SYS read-only, hidden, system.
bool CopySystemFiles(HWND owner);

#endif
