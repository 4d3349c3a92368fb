// The main window stays where it was minimized.
#pragma once

// SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOOWNERZORDER
constexpr unsigned kFrozenWindowPosFlags = 0x0001 | 0x0002 | 0x0008 | 0x0200;

// Flags a WM_WINDOWPOSCHANGING goes on with. The first change (the window
// being shown minimized) passes untouched and sets `seen`; every later one
// is frozen, so restoring, moving or sizing leaves the window as it is.
unsigned FilterWindowPosFlags(bool &seen, unsigned flags);
