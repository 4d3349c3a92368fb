// The user's guides dialog: dialog 165, two guide titles with a picture
// each and a close button, all owner-drawn with a hover effect.
#pragma once

#include <windows.h>

// lParam of WM_INITDIALOG: the guides folder, without a trailing backslash.
INT_PTR CALLBACK GuidesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Subclass procedure of the dialog's five buttons.
LRESULT CALLBACK GuideButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
