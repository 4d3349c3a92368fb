// Test variant only: WM_COMMAND with id kGdiBalanceQuery answers how many
// GDI objects the dialogs made and did not delete yet. The variant watches
// its thread's window creation from before WinMain and subclasses the menu
// window before the window's own first message, so the shipping menu knows
// nothing of the query.
#include <windows.h>

#include "tests/variant/dialog_object_count.h"
#include "windows/menu_window.h"

namespace {

constexpr WPARAM kGdiBalanceQuery = 0x7E57;

HHOOK CreationHook;
WNDPROC OriginalMenuProc;

LRESULT CALLBACK AnswerGdiBalance(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && wParam == kGdiBalanceQuery)
        return LiveDialogObjects();
    return CallWindowProcA(OriginalMenuProc, window, message, wParam, lParam);
}

bool IsMenuWindow(HWND window)
{
    char name[sizeof kMenuClassName + 1];
    return GetClassNameA(window, name, sizeof name) > 0 && lstrcmpA(name, kMenuClassName) == 0;
}

LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && IsMenuWindow(window))
        OriginalMenuProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnswerGdiBalance)));
    return CallNextHookEx(CreationHook, code, wParam, lParam);
}

struct CreationWatch {
    CreationWatch()
    {
        CreationHook = SetWindowsHookExA(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
    }
} watch;

} // namespace
