#include "windows/shell_open.h"

#include <windows.h>

#include "common/windows/shell_entry.h"

typedef HINSTANCE(WINAPI *ShellExecuteFunction)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

void OpenWithShell(const char *target)
{
    if (ShellExecuteFunction shellExecute = ShellFunction<ShellExecuteFunction>("ShellExecuteA"))
        shellExecute(NULL, "open", target, NULL, NULL, SW_SHOWNORMAL);
}
