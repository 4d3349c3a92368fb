// Test variant only, in place of windows/display_colours.cpp: Wine's 8-bit
// display has a palette yet counts its colours as -1, so the test menu
// takes the palette's size and the palette look can be tried.
#include "windows/display_colours.h"

int DisplayColours(HDC dc)
{
    int colours = GetDeviceCaps(dc, NUMCOLORS);
    if (colours == -1)
        colours = GetDeviceCaps(dc, SIZEPALETTE);
    return colours;
}
