// The launcher's menu window: its class, its procedure and the module state
// that the menu's buttons and its dialogs read.
#pragma once

#include <windows.h>

#include "core/colours.h"
#include "core/keyboard.h"
#include "core/layout.h"
#include "resource.h"
#include "windows/startup.h"

extern const char MenuClassName[];

extern HINSTANCE MenuInstance;
extern bool PaletteDisplay;
extern HBRUSH NormalBrush;
extern HBRUSH HighlightBrush;
extern HBRUSH BannerBrush;
extern HBITMAP BannerBitmap;
extern HCURSOR HandCursor;
extern char FaceName[LF_FACESIZE];
extern int ButtonCount;
extern int ButtonWidth;
extern int ButtonHeight;
extern HWND ButtonWindow[MENU_MAX_BUTTONS];
extern unsigned char ButtonUnavailable[MENU_MAX_BUTTONS];
extern int ButtonMnemonic[MENU_MAX_BUTTONS];
extern int HighlightedButton;
extern HWND LastHoveredButton;
extern RECT BannerRect;
extern RECT TextRect;

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the class "Setup"; the result does not matter to the caller.
void RegisterMenuClass(HINSTANCE instance);

// Releases what the menu window made for its lifetime: the banner bitmap and
// the three brushes. Called after the message loop.
void DeleteMenuObjects();

// The short click of WAVE 122, played asynchronously; a click still playing
// is not cut off.
void PlayClickSound();

// Runs a button's command through WM_COMMAND, after moving the focus to it.
void FocusAndRunButton(HWND menu, int button);

// Moves the focus to a button, which highlights it.
void FocusButton(int button);

// Carries out what the keyboard routing decided for a character typed in
// the menu or on one of its buttons.
void CarryOutKeyAction(HWND menu, const KeyAction &action);

// Marks the web-update button unavailable when the web page cannot be shown.
void ProbeWebAccess(unsigned char unavailable[MENU_MAX_BUTTONS]);

// Subclass procedure of every menu button.
LRESULT CALLBACK MenuButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
extern WNDPROC StandardButtonProc;
