// The minimized, inert "Select" window that owns the language dialog.
#pragma once

#include <windows.h>

// What the window keeps between messages. WinMain makes it, with the
// instance the program runs from, and it outlives the window; the window
// finds it through GWLP_USERDATA.
struct PickerWindow {
    HINSTANCE instance;
    bool positionSeen; // set by the first WM_WINDOWPOSCHANGING
};

// Registers the window class and creates the main window over `picker`.
// NULL on failure.
HWND CreateMainWindow(PickerWindow &picker);
