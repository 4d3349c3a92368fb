// Everything the menu window knows for its lifetime, in one object that
// the window makes on WM_NCCREATE, keeps in GWLP_USERDATA and frees on
// WM_NCDESTROY. The buttons find it through their parent; the commands,
// the web probe and the dialogs are handed it by reference.
#pragma once

#include <windows.h>

#include "core/colours.h"
#include "core/menu_model.h"

// The scalars come first and the arrays last: on 32-bit x86 a member
// within 128 bytes of the start is reached with a one-byte offset.
struct MenuState {
    HINSTANCE MenuInstance;
    // 1 English, 2 Spanish, 3 French; fixed before the window exists.
    unsigned short LanguageIndex;

    // The look: the palette display's colours and lines, or the true
    // colour one; or the system's colours in a high-contrast theme, made
    // afresh whenever the theme changes.
    bool PaletteDisplay;
    HBRUSH NormalBrush;
    HBRUSH HighlightBrush;
    HBRUSH BannerBrush;
    HBRUSH RuleBrush;
    HBITMAP BannerBitmap;
    HCURSOR HandCursor;

    // The screen's logical DPI, which the layout is scaled to.
    int Dpi;
    int ButtonCount;
    // In pixels of the 96-DPI layout; ButtonRect scales them to the screen.
    int ButtonWidth;
    int ButtonHeight;
    // -1 while no button is highlighted.
    int HighlightedButton;
    HWND LastHoveredButton;
    // The buttons' own class procedure, which the subclass passes on to.
    WNDPROC StandardButtonProc;

    RECT BannerRect;
    RECT TextRect;
    // The banner art drawn for the screen's DPI.
    int BannerId;

    HWND ButtonWindow[kMaxButtons];
    unsigned char ButtonUnavailable[kMaxButtons];
    int ButtonMnemonic[kMaxButtons];
    char FaceName[LF_FACESIZE];
    MenuLook Look;
};
