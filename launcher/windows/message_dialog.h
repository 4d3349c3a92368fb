// The start-up notice: dialog 207, a borderless box in the tooltip colour
// with the launcher's purpose and an OK button.
#pragma once

#include <windows.h>

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The four looks of the notice's owner-drawn buttons. Each repaints the
// whole item rectangle.
void DrawButtonNormal(HDC dc, const RECT* item, const char* label, HBRUSH face);
void DrawButtonFocus(HDC dc, const RECT* item, const char* label, HBRUSH face);
void DrawButtonPressed(HDC dc, const RECT* item, const char* label, HBRUSH face);
void DrawButtonDisabled(HDC dc, const RECT* item, const char* label, HBRUSH face);
