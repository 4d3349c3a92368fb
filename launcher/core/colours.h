// The menu's colours for each kind of display, as COLORREF values
// (0x00BBGGRR).
#pragma once

using Colour = unsigned long;

constexpr Colour MakeColour(unsigned r, unsigned g, unsigned b)
{
    return static_cast<Colour>(r | (g << 8) | (b << 16));
}

constexpr Colour kLightBlue = MakeColour(141, 185, 216);
constexpr Colour kDeepBlue = MakeColour(85, 128, 152);
constexpr Colour kPaletteGrey = MakeColour(192, 192, 192);
constexpr Colour kWhite = MakeColour(255, 255, 255);
constexpr Colour kBlack = MakeColour(0, 0, 0);
constexpr Colour kUnavailableText = MakeColour(100, 100, 100);

// The class background; also the background of the heading and description.
constexpr Colour kClassBackground = kLightBlue;
constexpr Colour kTextAreaBackground = kLightBlue;

struct MenuColours {
    Colour background;  // window background
    Colour normal;      // button
    Colour highlight;   // highlighted button
    Colour banner;      // banner strip
};

// A screen with a palette: NUMCOLORS is not -1 and RASTERCAPS has
// RC_PALETTE (0x0100).
bool IsPaletteDisplay(int numColors, int rasterCaps);

MenuColours ColoursForDisplay(bool paletteDisplay);

Colour ButtonTextColour(bool highlighted, bool unavailable);
