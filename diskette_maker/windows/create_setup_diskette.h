// The work behind the window's Create Disk button: erase the diskette in
// drive A and fill it with the chosen product's setup files from the CD.
#pragma once

#include <windows.h>

#include "core/run_settings.h"

// Runs the whole creation on this thread, with its own messages, and returns
// when it has ended; TRUE when it got through to the closing note.
BOOL CreateSetupDiskette(HWND owner, const RunSettings &settings);
