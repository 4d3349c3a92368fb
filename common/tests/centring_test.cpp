#include <gtest/gtest.h>

#include "common/core/centring.h"

namespace {

// One axis, as every program centres: signed division truncates toward zero.
TEST(Centring, OneAxis)
{
    const struct {
        int extent, low, high, origin;
    } cases[] = {
        {1024, 0, 290, 367},                    // (1024 - 290) / 2
        {1024, 10, 300, 367},                   // where the window starts does not matter
        {640, -50, 250, 170}, {800, 0, 801, 0}, // -1 / 2 truncates toward zero
        {300, 0, 401, -50},                     // -101 / 2 = -50, not -51
        {0, 0, 0, 0},         {1024, 0, 400, 312}, {1024, 0, 401, 311}, // 623 / 2
        {300, 0, 401, -50},   {300, 10, 412, -51}, {640, 100, 100, 320},
    };
    for (auto c : cases)
        EXPECT_EQ(c.origin, CentreCoordinate(c.extent, c.low, c.high))
            << c.extent << " " << c.low << " " << c.high;
}

struct AreaCase {
    int refWidth, refHeight;
    Rect window;
    Point expected;
};

// The menu is placed from its rectangle as created (CW_USEDEFAULT origin,
// 530 x 360); odd differences and windows larger than the area must round
// toward zero like the Windows code always did.
TEST(Centring, InArea)
{
    const AreaCase cases[] = {
        {1024, 742, {0, 0, 530, 360}, {247, 191}}, {1024, 742, {100, 50, 630, 410}, {247, 191}},
        {1023, 741, {0, 0, 530, 360}, {246, 190}}, {400, 300, {0, 0, 530, 360}, {-65, -30}},
        {401, 301, {0, 0, 530, 360}, {-64, -29}},  {640, 480, {-10, -20, 520, 340}, {55, 60}},
    };
    for (const AreaCase &c : cases) {
        Point p = CentreInArea(c.refWidth, c.refHeight, c.window);
        EXPECT_EQ(c.expected.x, p.x) << c.refWidth << "x" << c.refHeight;
        EXPECT_EQ(c.expected.y, p.y) << c.refWidth << "x" << c.refHeight;
    }
}

struct OwnerCase {
    Rect owner;
    Rect window;
    Point expected;
};

TEST(Centring, OnOwner)
{
    const OwnerCase cases[] = {
        {{100, 100, 670, 514}, {0, 0, 300, 200}, {235, 207}},
        {{100, 100, 671, 515}, {0, 0, 300, 200}, {235, 207}},
        {{-300, -200, 270, 214}, {0, 0, 301, 201}, {-166, -94}},
        {{0, 0, 100, 100}, {0, 0, 301, 201}, {-100, -50}},
    };
    for (const OwnerCase &c : cases) {
        Point p = CentreOnOwner(c.owner, c.window);
        EXPECT_EQ(c.expected.x, p.x) << c.owner.left << "," << c.owner.top;
        EXPECT_EQ(c.expected.y, p.y) << c.owner.left << "," << c.owner.top;
    }
}

} // namespace
