#include "windows/display_colours.h"

int DisplayColours(HDC dc)
{
    return GetDeviceCaps(dc, NUMCOLORS);
}
