#include <gtest/gtest.h>

#include "core/colours.h"

namespace {

TEST(Colours, DisplayKind)
{
    struct {
        int numColors, rasterCaps;
        bool palette;
    } cases[] = {
        {256, 0x0100, true},  {20, 0x7F99, true}, // a palette device reports its static colours
        {-1, 0x0100, false},                      // true colour says -1 even with the bit
        {256, 0x0000, false}, {-1, 0x7F99, false}, {16, 0x0100, true},
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

// In a high-contrast theme everything but the banner art takes the system's
// colours, and an unavailable button shows grey text, never on the highlight.
TEST(Colours, HighContrastTakesTheSystemsColours)
{
    SystemColours system = {0x000000, 0xFFFFFF, 0xFFEB1A, 0x000000, 0x3FF23F};
    MenuLook look = LookForHighContrast(system);
    EXPECT_TRUE(look.highContrast);
    EXPECT_EQ(0x000000u, look.fills.background);
    EXPECT_EQ(0x000000u, look.fills.normal);
    EXPECT_EQ(0x000000u, look.fills.banner);
    EXPECT_EQ(0xFFEB1Au, look.fills.highlight);
    EXPECT_EQ(0xFFFFFFu, look.text);
    EXPECT_EQ(0x000000u, look.textBackground);
    EXPECT_EQ(0xFFFFFFu, look.rule);
    MenuButtonLook lit = LookOfButton(look, true, false);
    EXPECT_TRUE(lit.lit);
    EXPECT_EQ(0x000000u, lit.text);
    EXPECT_EQ(0xFFFFFFu, LookOfButton(look, false, false).text);
    MenuButtonLook grey = LookOfButton(look, true, true);
    EXPECT_FALSE(grey.lit);
    EXPECT_EQ(0x3FF23Fu, grey.text);

    // The menu's own look is what it always was.
    MenuLook own = LookForDisplay(false);
    EXPECT_FALSE(own.highContrast);
    EXPECT_TRUE(LookOfButton(own, true, true).lit);
    EXPECT_EQ(ButtonTextColour(true, true), LookOfButton(own, true, true).text);
    EXPECT_EQ(ButtonTextColour(true, false), LookOfButton(own, true, false).text);
    EXPECT_EQ(kLightBlue, own.textBackground);
}
