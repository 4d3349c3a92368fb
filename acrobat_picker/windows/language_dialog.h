// Dialog 101: asks for the installation language.
#pragma once

#include <windows.h>

// Runs the dialog modally over `owner`. Returns the chosen row's code, or -1
// when the user cancelled, chose nothing, or the dialog could not be shown.
INT_PTR ShowLanguageDialog(HINSTANCE instance, HWND owner);
