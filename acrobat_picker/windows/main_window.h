// The minimized, inert "Select" window that owns the language dialog.
#pragma once

#include <windows.h>

// Registers the window class and creates the main window. NULL on failure.
HWND CreateMainWindow(HINSTANCE instance);
