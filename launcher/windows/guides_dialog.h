// The user's guides dialog: dialog 165, two guide titles with a picture
// each and a close button, all owner-drawn with a hover effect.
#pragma once

#include <windows.h>

#include "windows/menu_state.h"

// Shows the dialog over the menu and returns when it has closed. folder is
// the guides folder, without a trailing backslash.
void ShowGuidesDialog(HWND owner, MenuState &menu, const char *folder);
