// The diskette maker window: class "QLMakeDisk", built from dialog 101.
#pragma once

#include <windows.h>

#include "core/window_rules.h"

// The command line as passed to the entry, lowered; read at window creation
// for the language code.
extern char CommandLineCopy[kCommandLineCopySize];

BOOL RegisterMakeDiskClass(HINSTANCE instance);
LRESULT CALLBACK MakeDiskWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
