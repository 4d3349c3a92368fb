#include "core/platform_kind.h"

static const uint32_t kPlatformIdNt = 2;
static const uint32_t kNt4MajorVersion = 4;
static const uint32_t kWindows95MinorVersion = 0; // 98 is 10, Me 90

int PlatformKindFrom(uint32_t platformId, uint32_t majorVersion, uint32_t minorVersion)
{
    if (platformId == kPlatformIdNt)
        return majorVersion == kNt4MajorVersion ? kPlatformNt4 : kPlatformNtLater;
    return minorVersion != kWindows95MinorVersion ? kPlatformWin98Me : kPlatformWin95;
}
