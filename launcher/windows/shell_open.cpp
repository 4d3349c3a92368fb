#include "windows/shell_open.h"

#include <windows.h>

// shell32 and everything it pulls in take a noticeable share of the menu's
// start-up, yet most runs never open a document, so it is loaded on the
// first use instead of by the loader.
typedef HINSTANCE(WINAPI *ShellExecuteFunction)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

static ShellExecuteFunction ShellExecuteEntry()
{
    static ShellExecuteFunction entry;
    if (!entry) {
        HMODULE shell = LoadLibraryA("shell32.dll");
        if (shell)
            entry = reinterpret_cast<ShellExecuteFunction>(
                reinterpret_cast<void *>(GetProcAddress(shell, "ShellExecuteA")));
    }
    return entry;
}

void OpenWithShell(const char *target)
{
    if (ShellExecuteFunction shellExecute = ShellExecuteEntry())
        shellExecute(NULL, "open", target, NULL, NULL, SW_SHOWNORMAL);
}
