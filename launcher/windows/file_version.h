// The version resource of files, and the test whether the registered PDF
// reader is recent enough for the user's guides.
#pragma once

#include <windows.h>

// The fixed file version of path: most and least significant double word,
// both 0 when unknown. False only when the file has no version information
// at all.
bool ReadFileVersion(const char *path, DWORD *versionMS, DWORD *versionLS);

// Whether the program registered to open PDF documents has a file version
// whose most significant double word is at least required.
bool AcrobatVersionAtLeast(DWORD required);
