#include "core/placement.h"

#include <gtest/gtest.h>

namespace {

TEST(Placement, CentredOrigin)
{
    const struct { int extent, low, high, origin; } cases[] = {
        { 1024, 0, 290, 367 },        // (1024 - 290) / 2
        { 1024, 10, 300, 367 },       // where the window starts does not matter
        { 640, -50, 250, 170 },
        { 800, 0, 801, 0 },           // -1 / 2 truncates toward zero
        { 300, 0, 401, -50 },         // -101 / 2 = -50, not -51
        { 0, 0, 0, 0 },
    };
    for (auto c : cases)
        EXPECT_EQ(c.origin, CentredOrigin(c.extent, c.low, c.high))
            << c.extent << " " << c.low << " " << c.high;
}

TEST(Placement, OnlyTheFirstWindowPosChangePasses)
{
    const unsigned SwpShowMinimized = 0x0040 | 0x0020;   // SWP_SHOWWINDOW | SWP_FRAMECHANGED
    const struct { unsigned in, out; } sequence[] = {
        { SwpShowMinimized, SwpShowMinimized },
        { 0x0000, 0x020B },           // restore: new position and size
        { 0x0001, 0x020B },           // move
        { 0x0002, 0x020B },           // size
        { 0x0004 | 0x0010, 0x020B },  // z-order and activation
        { 0xFFFF, 0x020B },
    };
    int seen = 0;
    for (auto s : sequence) {
        EXPECT_EQ(s.out, FilterWindowPosFlags(&seen, s.in)) << std::hex << s.in;
        EXPECT_EQ(1, seen);
    }
}

} // namespace
