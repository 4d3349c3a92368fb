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

MenuLook LookForDisplay(bool paletteDisplay)
{
    MenuLook look;
    look.fills = ColoursForDisplay(paletteDisplay);
    look.buttonText = ButtonTextColour(false, false);
    look.litButtonText = ButtonTextColour(true, false);
    look.unavailableText = ButtonTextColour(false, true);
    look.text = kBlack;
    look.textBackground = kTextAreaBackground;
    look.rule = kBlack;
    look.highContrast = false;
    return look;
}

MenuLook LookForHighContrast(const SystemColours &system)
{
    MenuLook look;
    look.fills = MenuColours{system.window, system.window, system.highlight, system.window};
    look.buttonText = system.windowText;
    look.litButtonText = system.highlightText;
    look.unavailableText = system.grayText;
    look.text = system.windowText;
    look.textBackground = system.window;
    look.rule = system.windowText;
    look.highContrast = true;
    return look;
}

MenuButtonLook LookOfButton(const MenuLook &look, bool highlighted, bool unavailable)
{
    if (unavailable)
        return MenuButtonLook{highlighted && !look.highContrast, look.unavailableText};
    return MenuButtonLook{highlighted, highlighted ? look.litButtonText : look.buttonText};
}
