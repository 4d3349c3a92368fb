#include "core/colours.h"

namespace {
constexpr int kRasterPalette = 0x0100;
}

bool IsPaletteDisplay(int numColors, int rasterCaps)
{
    return numColors != -1 && (rasterCaps & kRasterPalette) != 0;
}

MenuColours ColoursForDisplay(bool paletteDisplay)
{
    // 256 colours leave no room for the blues to show as themselves, so a
    // palette display gets the system greys and a white banner.
    if (paletteDisplay)
        return MenuColours{kPaletteGrey, kPaletteGrey, kPaletteGrey, kWhite};
    return MenuColours{kLightBlue, kLightBlue, kDeepBlue, kDeepBlue};
}

Colour ButtonTextColour(bool highlighted, bool unavailable)
{
    if (unavailable)
        return kUnavailableText;
    return highlighted ? kWhite : kBlack;
}
