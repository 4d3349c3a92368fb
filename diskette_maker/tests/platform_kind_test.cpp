#include <gtest/gtest.h>

#include "core/platform_kind.h"

namespace {

struct VersionCase {
    const char *system;
    uint32_t platformId, major, minor;
    int expected;
};

const VersionCase kVersions[] = {
    {"Win32s", 0, 3, 10, kPlatformWin98Me},
    {"Windows 95", 1, 4, 0, kPlatformWin95},
    {"Windows 98", 1, 4, 10, kPlatformWin98Me},
    {"Windows Me", 1, 4, 90, kPlatformWin98Me},
    {"NT 3.51", 2, 3, 51, kPlatformNtLater},
    {"NT 4.0", 2, 4, 0, kPlatformNt4},
    {"NT 4.0 minor 1", 2, 4, 1, kPlatformNt4},
    {"Windows 2000", 2, 5, 0, kPlatformNtLater},
    {"Windows XP", 2, 5, 1, kPlatformNtLater},
    // The manifest names Vista to 10/11 as supported, so each reports its
    // own version, where it reported 6.2 before: the same kind throughout.
    {"Windows Vista", 2, 6, 0, kPlatformNtLater},
    {"Windows 7", 2, 6, 1, kPlatformNtLater},
    {"Windows 8", 2, 6, 2, kPlatformNtLater},
    {"Windows 8.1", 2, 6, 3, kPlatformNtLater},
    {"Windows 10", 2, 10, 0, kPlatformNtLater},
    {"Windows 11", 2, 10, 0, kPlatformNtLater},
};

TEST(PlatformKind, VersionTable)
{
    for (const VersionCase &c : kVersions)
        EXPECT_EQ(PlatformKindFrom(c.platformId, c.major, c.minor), c.expected) << c.system;
}

} // namespace
