// The diskette maker window: class "QLMakeDisk", built from dialog 101.
#ifndef DISKETTE_MAKER_WINDOWS_MAIN_WINDOW_H
#define DISKETTE_MAKER_WINDOWS_MAIN_WINDOW_H

#include <windows.h>

#include "core/window_rules.h"

// The command line as passed to the entry, lowered; read at window creation
// for the language code.
extern char CommandLineCopy[CommandLineCopySize];

BOOL RegisterMakeDiskClass(HINSTANCE instance);
LRESULT CALLBACK MakeDiskWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
