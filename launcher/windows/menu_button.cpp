#include "windows/menu_button.h"

#include "core/keyboard.h"
#include "core/layout.h"
#include "windows/menu_window.h"

namespace {

LRESULT CALLBACK MenuButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);

int IndexOf(HWND button)
{
    return GetDlgCtrlID(button);
}

LRESULT PassOn(const MenuState &menu, HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(menu.StandardButtonProc, button, message, wParam, lParam);
}

// The focus change reenters through WM_SETFOCUS and usually reports the
// highlight itself; report it here only when it has not.
void HighlightButton(MenuState &menu, HWND button, int index)
{
    if (menu.LastHoveredButton)
        InvalidateRect(menu.LastHoveredButton, nullptr, TRUE);
    menu.LastHoveredButton = button;
    SetFocus(button);
    if (menu.HighlightedButton != index)
        SendMessageA(GetParent(button), kButtonHighlightedMessage, 0, index);
}

LRESULT OnKeyDown(const MenuState &menu, HWND button, WPARAM key)
{
    int matches[kMaxButtons];
    int n = MatchMnemonics(menu.ButtonMnemonic, menu.ButtonCount, static_cast<int>(key), matches);
    HWND window = GetParent(button);
    // A command may end the menu, and its state with it.
    for (int k = 0; k < n && IsWindow(window); k++)
        FocusAndRunButton(window, menu, matches[k]);
    // Every key-down ends here: the standard button must not push itself
    // on Space, which runs the command through WM_CHAR instead.
    return 0;
}

LRESULT OnChar(const MenuState &menu, HWND button, WPARAM ch, LPARAM lParam)
{
    int own = IndexOf(button);
    HWND window = GetParent(button);
    CarryOutKeyAction(
        window, menu,
        RouteButtonChar(static_cast<int>(ch), own, menu.ButtonCount, GetKeyState(VK_SHIFT) < 0));
    // Escape or a command may have taken the menu and this button with it,
    // and the menu's state too.
    if (!IsWindow(button))
        return 0;
    return PassOn(menu, button, WM_CHAR, ch, lParam);
}

LRESULT OnSysCommand(const MenuState &menu, HWND button, WPARAM command, LPARAM lParam)
{
    int match = MatchSystemCommand(menu.ButtonMnemonic, menu.ButtonCount,
                                   static_cast<unsigned>(command), LOWORD(lParam));
    if (match < 0)
        return PassOn(menu, button, WM_SYSCOMMAND, command, lParam);
    FocusAndRunButton(GetParent(button), menu, match);
    return 0;
}

LRESULT OnSetCursor(const MenuState &menu, HWND button, WPARAM wParam, LPARAM lParam)
{
    int index = IndexOf(button);
    if (index >= 0 && index < menu.ButtonCount && !menu.ButtonUnavailable[index]) {
        SetCursor(menu.HandCursor);
        return TRUE;
    }
    return PassOn(menu, button, WM_SETCURSOR, wParam, lParam);
}

// The buttons live and die inside their menu's lifetime, so the menu's
// state is there for every message they get.
LRESULT CALLBACK MenuButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    MenuState *state = MenuStateOf(GetParent(button));
    if (!state)
        return DefWindowProcA(button, message, wParam, lParam);
    MenuState &menu = *state;
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_SETFOCUS: {
        int index = IndexOf(button);
        if (index != menu.HighlightedButton)
            HighlightButton(menu, button, index);
        return PassOn(menu, button, message, wParam, lParam);
    }
    case WM_SETCURSOR:
        return OnSetCursor(menu, button, wParam, lParam);
    case WM_KEYDOWN:
        return OnKeyDown(menu, button, wParam);
    case WM_CHAR:
        return OnChar(menu, button, wParam, lParam);
    case WM_SYSCOMMAND:
        return OnSysCommand(menu, button, wParam, lParam);
    default:
        return PassOn(menu, button, message, wParam, lParam);
    }
}

} // namespace

// Each button carries its label, "&" included, as its window text, so that
// screen readers can name it; the drawing reads the string table itself.
HWND CreateMenuButton(HWND window, MenuState &menu, int index, const char *label)
{
    Rect r = ButtonRect(index, menu.ButtonWidth, menu.ButtonHeight, menu.Dpi);
    HWND button = CreateWindowExA(0, "button", label, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, r.left,
                                  r.top, RectWidth(r), RectHeight(r), window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(index)),
                                  menu.MenuInstance, nullptr);
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MenuButtonProc)));
    if (previous)
        menu.StandardButtonProc = previous;
    return button;
}
