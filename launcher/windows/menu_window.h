// The launcher's menu window: its class, its creation and the few services
// its buttons and commands ask of it.
#pragma once

#include <windows.h>

#include "core/keyboard.h"
#include "windows/menu_state.h"

// The class name, which a second start also looks for.
constexpr char kMenuClassName[] = "Setup";

// Sent by a button to the menu when it takes the highlight; lParam is the
// button's index. Any process can send it, so the index is checked.
constexpr UINT kButtonHighlightedMessage = WM_USER;

// Registers the class "Setup"; the result does not matter to the caller.
void RegisterMenuClass(HINSTANCE instance);

// Creates the menu window in the given language. commandLine is the
// program's copy of its command line, searched (and lowercased) for
// "remove", which ends the menu before it shows. Null when the window was
// not made or has already gone.
HWND CreateMenuWindow(HINSTANCE instance, const char *title, unsigned short language,
                      char *commandLine);

// The state of a menu window, or null before WM_NCCREATE and after
// WM_NCDESTROY.
MenuState *MenuStateOf(HWND menu);

// The short click of WAVE 122, played asynchronously; a click still playing
// is not cut off.
void PlayClickSound(const MenuState &menu);

// Moves the focus to a button, which highlights it.
void FocusButton(const MenuState &menu, int button);

// Runs a button's command through WM_COMMAND, after moving the focus to it.
void FocusAndRunButton(HWND window, const MenuState &menu, int button);

// Carries out what the keyboard routing decided for a character typed in
// the menu or on one of its buttons.
void CarryOutKeyAction(HWND window, const MenuState &menu, const KeyAction &action);
