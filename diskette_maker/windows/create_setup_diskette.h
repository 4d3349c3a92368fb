// The work behind the window's Create Disk button: erase the diskette in
// drive A and fill it with the chosen product's setup files from the CD.
#pragma once

#include <windows.h>

#include "core/run_settings.h"

// Runs the whole creation on this thread, with its own messages, and returns
// when it has ended; TRUE when it got through to the closing note.
BOOL CreateSetupDiskette(HWND owner, const RunSettings& settings);

// Asks before erasing a diskette that may hold files; TRUE to go on.
BOOL ConfirmErase(HWND owner, const char* root, int language);

// Whether folder (ending in a backslash) holds a file of that name; hidden,
// system and read-only files count.
BOOL FileExistsIn(const char* folder, const char* name);

// Makes a new folder in temp (ending in a backslash) with a name made unique
// as GetTempFileNameA makes one, and gives its path with a backslash in
// folder (MAX_PATH characters).
BOOL MakeUniqueFolder(const char* temp, char (&folder)[MAX_PATH]);
