// The one test of the running Windows on which the window, the drive probe
// and the bootable step decide.
#pragma once

#include <cstdint>

enum Platform : int {
    kPlatformNtLater = 0, // Windows 2000, XP, NT 3.51 and the rest of the NT family
    kPlatformWin98Me = 1, // Windows 98 and Me
    kPlatformWin95 = 2,   // Windows 95 (any 4.0 of the 95/98/Me family)
    kPlatformNt4 = 3,     // Windows NT 4.0
    // No Windows at all: the build machine's image tool, which is handed
    // the system files by name and never asks a system for them.
    kPlatformNoWindows = 4,
};

// From the fields of OSVERSIONINFOA; platformId 2 is VER_PLATFORM_WIN32_NT.
// The front end asks the running system (windows/platform_kind_win.h).
int PlatformKindFrom(uint32_t platformId, uint32_t majorVersion, uint32_t minorVersion);
