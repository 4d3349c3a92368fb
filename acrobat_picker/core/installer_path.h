// Where the Acrobat Reader installer for a chosen language lives on the CD:
// "\Acrobat\" beside the folder that holds the picker, then the language's
// folder and file. All strings are ANSI (code page 1252).
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kPathSize = 260; // MAX_PATH: 259 chars and the NUL

// The installer below "\Acrobat\" for a dialog result (the primary language
// 9, 10 or 12), or nullptr for every other result, -1 (cancelled) included.
const char *InstallerForResult(std::intptr_t result);

// The CD's "\Acrobat\" folder for the picker at `modulePath`: the path cut
// twice at its last backslash (file name, then the folder holding the
// picker) plus "\Acrobat\". Returns false, leaving `folder` empty, when the
// module path or the result would not fit.
bool AcrobatFolder(const char *modulePath, char *folder, std::size_t size);

// The full command for `result`: `folder` plus the installer. Returns false,
// leaving `path` empty, for a result without an installer or a path that
// would not fit; a truncated path must never be started.
bool InstallerPath(const char *folder, std::intptr_t result, char *path, std::size_t size);
