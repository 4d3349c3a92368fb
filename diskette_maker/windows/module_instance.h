// The module whose string table and Record blocks Floppwright uses: the
// program's own image. A test driver links the same resources into its own,
// so the answer holds there too, and nothing has to be set first.
#pragma once

#include <windows.h>

inline HINSTANCE ModuleInstance()
{
    return GetModuleHandleA(nullptr);
}
