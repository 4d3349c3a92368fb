// The menu's buttons: standard owner-drawn buttons whose highlight follows
// the pointer and the focus, and which route the menu's keys.
#pragma once

#include <windows.h>

#include "windows/menu_state.h"

// Creates button `index` of the menu with its label as window text, at its
// place in the column, and subclasses it.
HWND CreateMenuButton(HWND window, MenuState &menu, int index, const char *label);
