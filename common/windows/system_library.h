// DLLs beyond KERNEL32, USER32, GDI32 and ADVAPI32, loaded on first use
// instead of by the loader: Windows looks for a DLL that is not a KnownDLL
// in the program's own folder first, so a statically imported winmm.dll or
// version.dll copied beside a CD's programs would run before any of our
// code. They come from the system folder by full path, and their own
// dependencies are searched from there too. Loading them late also keeps
// them off the start-up of runs that never need them.
#pragma once

#include <windows.h>

enum SystemDll { kShell32, kWinmm, kVersion, kComdlg32, kSystemDllCount };

// The address of the export `name` of the system folder's copy of `dll`,
// or null when the DLL or the export cannot be had. The DLL is loaded by
// the first call and stays; the address is looked up on every call.
FARPROC SystemEntry(SystemDll dll, const char *name);

// SystemEntry as a pointer of the export's own type.
template <typename Function> Function SystemFunction(SystemDll dll, const char *name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void *>(SystemEntry(dll, name)));
}
