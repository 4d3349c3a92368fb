// Where the Acrobat Reader installer for a chosen language lives on the CD:
// "\Acrobat\" beside the folder that holds the picker, then the language's
// folder and file. All strings are ANSI (code page 1252).
#ifndef ACROBAT_PICKER_INSTALLER_PATH_H
#define ACROBAT_PICKER_INSTALLER_PATH_H

#include <stddef.h>
#include <stdint.h>

enum { PathSize = 260 };   // MAX_PATH: 259 chars and the NUL

// The installer below "\Acrobat\" for a dialog result (9, 10 or 12), or
// nullptr for every other result, -1 (cancelled) included.
const char *InstallerForResult(intptr_t result);

// Ends `path` at its last backslash; a path without one stays unchanged.
void CutAtLastBackslash(char *path);

// The CD's "\Acrobat\" folder for the picker at `modulePath`: the path cut
// twice (file name, then the folder holding the picker) plus "\Acrobat\".
// Returns false, leaving `folder` empty, when the result would not fit.
bool AcrobatFolder(const char *modulePath, char *folder, size_t size);

// The full command for `result`: `folder` plus the installer. Returns false,
// leaving `path` empty, for a result without an installer or a path that
// would not fit; a truncated path must never be started.
bool InstallerPath(const char *folder, intptr_t result, char *path, size_t size);

#endif
