#include "windows/high_contrast.h"

bool HighContrastOn()
{
    // Windows 95 without its accessibility options fails the call: no theme.
    HIGHCONTRASTA hc;
    ZeroMemory(&hc, sizeof hc);
    hc.cbSize = sizeof hc;
    if (!SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0))
        return false;
    return (hc.dwFlags & HCF_HIGHCONTRASTON) != 0;
}
