// Drawing and placement helpers of the menu window, shared with the dialogs.
#pragma once

#include <windows.h>

#include "core/layout.h"

// Blits bitmap into dc at (x, y), up to right and bottom but never beyond
// the bitmap's own pixels, with raster operation rop. Failures are ignored.
void DrawBitmap(HDC dc, int x, int y, int right, int bottom, HBITMAP bitmap, DWORD rop);

// biWidth (which != 0) or the height (which == 0) of bitmap resource id, 0
// when it does not exist or is too short to hold a header. The height is
// returned as a magnitude, so a top-down bitmap measures like any other.
int BitmapResourceDimension(HINSTANCE instance, int id, int which);

// True when asking for face selects a font of that very name.
bool IsFontInstalled(HWND window, const char *face);

// The bitmap resource id in colours of our choosing: an 8-bit bitmap of
// greys (black artwork on white) with each grey mixed from ink (black) and
// paper (white). Null when the resource is not such a bitmap.
HBITMAP LoadGreyBitmapInColours(HINSTANCE instance, int id, HDC dc, COLORREF ink, COLORREF paper);

// The screen's logical resolution, the one its fonts are sized for.
int ScreenDpi(HDC dc);

// A font of the menu: everything zero but height, weight, Swiss family and
// the face name; sized for the resolution of dc, or for pixelsPerInch.
HFONT CreateMenuFont(HDC dc, int points, int weight, const char *face);
HFONT CreateMenuFontFor(int pixelsPerInch, int points, int weight, const char *face);

FontMetrics MetricsOf(HDC dc);

// Centres a dialog on the window rectangle of its owner (GWLP_HWNDPARENT),
// without activating it.
void CentreOnOwnerWindow(HWND dialog);

// Rect/RECT conversions between the core and Windows.
inline RECT ToRECT(const Rect &r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}
inline Rect FromRECT(const RECT &r)
{
    return Rect{r.left, r.top, r.right, r.bottom};
}
