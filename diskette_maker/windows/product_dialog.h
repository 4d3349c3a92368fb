// The modal product dialog (dialog 105): which Quellorn drive the diskette
// is for.
#pragma once

#include <windows.h>

// Shows the dialog over owner in the language (a LanguageIndex). Ends with
// 1 (hard drive), 2 (CD-ROM drive), 3 (diskette drive) or -1 (Cancel or
// Escape, or the dialog could not be shown).
INT_PTR ShowProductDialog(HWND owner, int language);
