// Dialog 101: asks for the installation language.
#ifndef ACROBAT_PICKER_LANGUAGE_DIALOG_H
#define ACROBAT_PICKER_LANGUAGE_DIALOG_H

#include <windows.h>

// Runs the dialog modally over `owner`. Returns the chosen row's code, or -1
// when the user cancelled, chose nothing, or the dialog could not be shown.
INT_PTR ChooseLanguage(HINSTANCE instance, HWND owner);

#endif
