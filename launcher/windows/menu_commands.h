// WM_COMMAND of the menu window: what each button's action code runs.
#pragma once

#include <windows.h>

#include "windows/menu_state.h"

LRESULT OnMenuCommand(HWND window, MenuState &menu, WPARAM wParam, LPARAM lParam);
