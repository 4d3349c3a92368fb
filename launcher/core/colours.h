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
    Colour background; // window background
    Colour normal;     // button
    Colour highlight;  // highlighted button
    Colour banner;     // banner strip
};

// A screen with a palette: NUMCOLORS is not -1 and RASTERCAPS has
// RC_PALETTE (0x0100).
bool IsPaletteDisplay(int numColors, int rasterCaps);

MenuColours ColoursForDisplay(bool paletteDisplay);

Colour ButtonTextColour(bool highlighted, bool unavailable);

// The system's colours that a high-contrast theme sets (GetSysColor).
struct SystemColours {
    Colour window;        // COLOR_WINDOW
    Colour windowText;    // COLOR_WINDOWTEXT
    Colour highlight;     // COLOR_HIGHLIGHT
    Colour highlightText; // COLOR_HIGHLIGHTTEXT
    Colour grayText;      // COLOR_GRAYTEXT
};

// Everything the menu paints with: its own colours, or in a high-contrast
// theme the system's.
struct MenuLook {
    MenuColours fills;
    Colour buttonText;
    Colour litButtonText;
    Colour unavailableText;
    Colour text; // heading and description
    Colour textBackground;
    Colour rule; // separator rows, the palette display's banner line
    // The system's colours: the banner art is drawn in window text on the
    // window colour, and an unavailable button never lights up, since grey
    // text on the highlight is what a high-contrast theme keeps apart.
    bool highContrast;
};

MenuLook LookForDisplay(bool paletteDisplay);
MenuLook LookForHighContrast(const SystemColours &system);

struct MenuButtonLook {
    bool lit; // filled with the highlight colour
    Colour text;
};
MenuButtonLook LookOfButton(const MenuLook &look, bool highlighted, bool unavailable);
