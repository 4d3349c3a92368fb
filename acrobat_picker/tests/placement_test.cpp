#include "core/placement.h"

#include <gtest/gtest.h>

namespace {

TEST(Placement, OnlyTheFirstWindowPosChangePasses)
{
    const unsigned SwpShowMinimized = 0x0040 | 0x0020; // SWP_SHOWWINDOW | SWP_FRAMECHANGED
    const struct {
        unsigned in, out;
    } sequence[] = {
        {SwpShowMinimized, SwpShowMinimized},
        {0x0000, 0x020B},          // restore: new position and size
        {0x0001, 0x020B},          // move
        {0x0002, 0x020B},          // size
        {0x0004 | 0x0010, 0x020B}, // z-order and activation
        {0xFFFF, 0x020B},
    };
    bool seen = false;
    for (auto s : sequence) {
        EXPECT_EQ(s.out, FilterWindowPosFlags(seen, s.in)) << std::hex << s.in;
        EXPECT_TRUE(seen);
    }
}

} // namespace
