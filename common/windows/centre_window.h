// Centring a window on the screen or on the full-screen work area.
#pragma once

#include <windows.h>

// Moves `window` so that its rectangle is centred on a reference area of
// width x height at (0, 0), by SetWindowPos with `flags` (SWP_NOSIZE and
// whatever the caller adds).
void CentreWindow(HWND window, int width, int height, UINT flags);
