#include <gtest/gtest.h>

#include "core/colours.h"

namespace {

TEST(Colours, DisplayKind)
{
    struct {
        int numColors, rasterCaps;
        bool palette;
    } cases[] = {
        {256, 0x0100, true},
        {20, 0x7F99, true},      // a palette device reports its static colours
        {-1, 0x0100, false},     // true colour says -1 even with the bit
        {256, 0x0000, false},
        {-1, 0x7F99, false},
        {16, 0x0100, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.palette, IsPaletteDisplay(c.numColors, c.rasterCaps)) << c.numColors;
}

TEST(Colours, PerDisplay)
{
    MenuColours palette = ColoursForDisplay(true);
    EXPECT_EQ(0x00C0C0C0u, palette.background);
    EXPECT_EQ(0x00C0C0C0u, palette.normal);
    EXPECT_EQ(0x00C0C0C0u, palette.highlight);
    EXPECT_EQ(0x00FFFFFFu, palette.banner);

    MenuColours rich = ColoursForDisplay(false);
    EXPECT_EQ(0x00D8B98Du, rich.background);
    EXPECT_EQ(0x00D8B98Du, rich.normal);
    EXPECT_EQ(0x00988055u, rich.highlight);
    EXPECT_EQ(0x00988055u, rich.banner);

    EXPECT_EQ(0x00D8B98Du, kClassBackground);
    EXPECT_EQ(0x00D8B98Du, kTextAreaBackground);
}

TEST(Colours, ButtonText)
{
    struct {
        bool highlighted, unavailable;
        Colour expected;
    } cases[] = {
        {false, false, 0x00000000},
        {true, false, 0x00FFFFFF},
        {false, true, 0x00646464},
        {true, true, 0x00646464},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, ButtonTextColour(c.highlighted, c.unavailable))
            << c.highlighted << c.unavailable;
}

} // namespace
