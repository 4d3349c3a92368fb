// The minimized, inert "Select" window that owns the language dialog.
#ifndef ACROBAT_PICKER_MAIN_WINDOW_H
#define ACROBAT_PICKER_MAIN_WINDOW_H

#include <windows.h>

// Registers the window class and creates the main window. NULL on failure.
HWND CreateMainWindow(HINSTANCE instance);

#endif
