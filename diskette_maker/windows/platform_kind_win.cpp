#include <windows.h>

#include "windows/platform_kind_win.h"

int PlatformKind()
{
    OSVERSIONINFOA info;
    ZeroMemory(&info, sizeof info);
    info.dwOSVersionInfoSize = sizeof info; // 148 bytes, the form Windows 95 knows
    GetVersionExA(&info);
    return PlatformKindFrom(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}
