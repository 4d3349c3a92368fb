#include "core/platform_kind.h"

static const uint32_t kPlatformIdNt = 2;

int PlatformKindFrom(uint32_t platformId, uint32_t majorVersion, uint32_t minorVersion)
{
    if (platformId == kPlatformIdNt)
        return majorVersion == 4 ? kPlatformNt4 : kPlatformNtLater;
    return minorVersion != 0 ? kPlatformWin98Me : kPlatformWin95;
}
