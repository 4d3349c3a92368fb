// How many colours the display of a device context counts, as the menu's
// choice of look reads it.
#pragma once

#include <windows.h>

// NUMCOLORS of dc: -1 on a display of more than 8 bits per pixel.
int DisplayColours(HDC dc);
