// WM_COMMAND of the menu window: what each button's action code runs.
#pragma once

#include <windows.h>

LRESULT OnMenuCommand(HWND menu, WPARAM wParam, LPARAM lParam);

#ifdef QL_TEST_VARIANT
// Test builds only: WM_COMMAND with this id answers how many GDI objects
// the dialogs made and did not delete yet.
enum { kGdiBalanceQuery = 0x7E57 };
#endif
