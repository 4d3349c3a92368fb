#include "common/windows/shell_entry.h"

FARPROC ShellEntry(const char *name)
{
    static HMODULE shell;
    if (!shell)
        shell = LoadLibraryA("shell32.dll");
    return shell ? GetProcAddress(shell, name) : nullptr;
}
