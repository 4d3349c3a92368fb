#include "windows/shell_open.h"

#include <windows.h>

#include "common/windows/system_library.h"

typedef HINSTANCE(WINAPI *ShellExecuteFunction)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

void OpenWithShell(const char *target)
{
    if (ShellExecuteFunction shellExecute =
            SystemFunction<ShellExecuteFunction>(kShell32, "ShellExecuteA"))
        shellExecute(NULL, "open", target, NULL, NULL, SW_SHOWNORMAL);
}
