#include "common/windows/system_library.h"

#include "common/core/text_builder.h"

namespace {

const char *const kDllNames[kSystemDllCount] = {"shell32.dll", "winmm.dll", "version.dll",
                                                "comdlg32.dll"};

// LOAD_WITH_ALTERED_SEARCH_PATH, which Windows 95 and NT 4.0 already know,
// makes the DLL's own imports be looked for from its folder rather than
// from the program's.
HMODULE LoadSystemDll(const char *name)
{
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return nullptr;
    const char *separator = path[length - 1] == '\\' ? "" : "\\";
    char full[MAX_PATH];
    if (!JoinText(full, sizeof full, {path, separator, name}))
        return nullptr;
    return LoadLibraryExA(full, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace

FARPROC SystemEntry(SystemDll dll, const char *name)
{
    static HMODULE loaded[kSystemDllCount];
    if (!loaded[dll])
        loaded[dll] = LoadSystemDll(kDllNames[dll]);
    return loaded[dll] ? GetProcAddress(loaded[dll], name) : nullptr;
}
