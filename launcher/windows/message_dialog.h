// The start-up notice: dialog 207, a borderless box in the tooltip colour
// with the launcher's purpose and an OK button.
#pragma once

#include <windows.h>

#include "windows/menu_state.h"

// Shows the notice over the menu and returns when it has closed.
void ShowMessageDialog(HWND owner, MenuState &menu);
