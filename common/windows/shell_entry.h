// Functions of shell32, which is loaded on first use instead of by the
// loader: it and everything it pulls in take a noticeable share of a
// program's start-up, and most runs never need it.
#pragma once

#include <windows.h>

// The address of shell32's export `name`, or null when shell32 or the
// export cannot be had. shell32 is loaded by the first call and stays.
FARPROC ShellEntry(const char *name);

// ShellEntry as a pointer of the export's own type.
template <typename Function>
Function ShellFunction(const char *name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(ShellEntry(name)));
}
