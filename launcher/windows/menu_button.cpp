// The menu's buttons: standard owner-drawn buttons whose highlight follows
// the pointer and the focus, and which route the menu's keys.
#include "windows/menu_window.h"

#include "core/keyboard.h"

WNDPROC StandardButtonProc;

namespace {

int IndexOf(HWND button)
{
    return GetDlgCtrlID(button);
}

LRESULT PassOn(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(StandardButtonProc, button, message, wParam, lParam);
}

// The focus change reenters through WM_SETFOCUS and usually reports the
// highlight itself; report it here only when it has not.
void HighlightButton(HWND button, int index)
{
    if (LastHoveredButton)
        InvalidateRect(LastHoveredButton, nullptr, TRUE);
    LastHoveredButton = button;
    SetFocus(button);
    if (HighlightedButton != index)
        SendMessageA(GetParent(button), WM_USER, 0, index);
}

LRESULT OnKeyDown(HWND button, WPARAM key)
{
    int matches[MENU_MAX_BUTTONS];
    int n = MatchMnemonics(ButtonMnemonic, ButtonCount, static_cast<int>(key), matches);
    HWND menu = GetParent(button);
    for (int k = 0; k < n; k++)
        FocusAndRunButton(menu, matches[k]);
    // Every key-down ends here: the standard button must not push itself
    // on Space, which runs the command through WM_CHAR instead.
    return 0;
}

LRESULT OnChar(HWND button, WPARAM ch, LPARAM lParam)
{
    int own = IndexOf(button);
    HWND menu = GetParent(button);
    CarryOutKeyAction(menu, RouteButtonChar(static_cast<int>(ch), own, ButtonCount,
                                            GetKeyState(VK_SHIFT) < 0));
    // Escape or a command may have taken the menu and this button with it.
    if (!IsWindow(button))
        return 0;
    return PassOn(button, WM_CHAR, ch, lParam);
}

LRESULT OnSysCommand(HWND button, WPARAM command, LPARAM lParam)
{
    int match = MatchSystemCommand(ButtonMnemonic, ButtonCount, static_cast<unsigned>(command),
                                   LOWORD(lParam));
    if (match < 0)
        return PassOn(button, WM_SYSCOMMAND, command, lParam);
    FocusAndRunButton(GetParent(button), match);
    return 0;
}

LRESULT OnSetCursor(HWND button, WPARAM wParam, LPARAM lParam)
{
    int index = IndexOf(button);
    if (index >= 0 && index < ButtonCount && !ButtonUnavailable[index]) {
        SetCursor(HandCursor);
        return TRUE;
    }
    return PassOn(button, WM_SETCURSOR, wParam, lParam);
}

} // namespace

LRESULT CALLBACK MenuButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_SETFOCUS: {
        int index = IndexOf(button);
        if (index != HighlightedButton)
            HighlightButton(button, index);
        return PassOn(button, message, wParam, lParam);
    }
    case WM_SETCURSOR:
        return OnSetCursor(button, wParam, lParam);
    case WM_KEYDOWN:
        return OnKeyDown(button, wParam);
    case WM_CHAR:
        return OnChar(button, wParam, lParam);
    case WM_SYSCOMMAND:
        return OnSysCommand(button, wParam, lParam);
    default:
        return PassOn(button, message, wParam, lParam);
    }
}
