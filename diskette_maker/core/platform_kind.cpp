#include "core/platform_kind.h"

static const uint32_t PlatformIdNt = 2;

int PlatformKindFrom(uint32_t platformId, uint32_t majorVersion, uint32_t minorVersion)
{
    if (platformId == PlatformIdNt)
        return majorVersion == 4 ? PlatformNt4 : PlatformNtLater;
    return minorVersion != 0 ? PlatformWin98Me : PlatformWin95;
}
