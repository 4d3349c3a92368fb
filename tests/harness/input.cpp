// Input to another process.  Posted messages reach the window procedure
// exactly as the test says, save that a key down also passes the program's
// TranslateMessage, as a keyboard's does; SendInput is there for what only
// real input changes: the key state read with GetKeyState and the pointer
// position.

#include "wine_harness.h"

#include <cstdlib>

namespace qlh {

namespace {

LPARAM ClientPoint(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

LPARAM KeyParam(UINT vk, bool up, bool alt)
{
    UINT scan = MapVirtualKeyA(vk, 0 /* MAPVK_VK_TO_VSC */);
    LPARAM param = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
    if (alt)
        param |= 1L << 29;
    if (up)
        param |= (1L << 30) | (1UL << 31);
    return param;
}

void AddKey(INPUT *inputs, int *count, WORD vk, bool up)
{
    INPUT &in = inputs[(*count)++];
    in = INPUT{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
}

} // namespace

void ClickButton(HWND button)
{
    DWORD_PTR ignored;
    SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

void ClickAt(HWND window, int x, int y)
{
    PostMessageA(window, WM_MOUSEMOVE, 0, ClientPoint(x, y));
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, ClientPoint(x, y));
}

void MouseMove(HWND window, int x, int y)
{
    PostMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    PostMessageA(window, WM_MOUSEMOVE, 0, ClientPoint(x, y));
}

// A keyboard queues only the key messages: the program's own
// TranslateMessage makes the character from the key down, as it does for
// these posted ones.  Posting the character as well would type it twice.
void KeyPress(HWND window, UINT vk)
{
    PostMessageA(window, WM_KEYDOWN, vk, KeyParam(vk, false, false));
    PostMessageA(window, WM_KEYUP, vk, KeyParam(vk, true, false));
}

void KeyDown(HWND window, UINT vk)
{
    PostMessageA(window, WM_KEYDOWN, vk, KeyParam(vk, false, false));
}

void TypeChar(HWND window, char c)
{
    PostMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void AltKey(HWND window, char key)
{
    UINT vk = static_cast<UINT>(key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key);
    // WM_SYSCHAR comes from the program's TranslateMessage, as for KeyPress.
    PostMessageA(window, WM_SYSKEYDOWN, vk, KeyParam(vk, false, true));
    PostMessageA(window, WM_SYSKEYUP, vk, KeyParam(vk, true, true));
}

void SysCommand(HWND window, WPARAM command)
{
    PostMessageA(window, WM_SYSCOMMAND, command, 0);
}

void Command(HWND window, WORD id, WORD notification, HWND control)
{
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, notification),
                 reinterpret_cast<LPARAM>(control));
}

bool Sync(HWND window, DWORD timeout_ms)
{
    // The thread takes a sent message the next time it looks for one,
    // whatever is posted, so its answer says only that the thread looks.
    DWORD_PTR ignored;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, Patient(timeout_ms),
                               &ignored) != 0;
}

bool ActivateWindow(HWND window, DWORD timeout_ms)
{
    return WaitUntil(
        [&] {
            if (GetForegroundWindow() == window)
                return true;
            SetForegroundWindow(window);
            return false;
        },
        timeout_ms);
}

void SendKey(UINT vk, bool shift, bool ctrl, bool alt)
{
    INPUT inputs[8];
    int count = 0;
    if (shift)
        AddKey(inputs, &count, VK_SHIFT, false);
    if (ctrl)
        AddKey(inputs, &count, VK_CONTROL, false);
    if (alt)
        AddKey(inputs, &count, VK_MENU, false);
    AddKey(inputs, &count, static_cast<WORD>(vk), false);
    AddKey(inputs, &count, static_cast<WORD>(vk), true);
    if (alt)
        AddKey(inputs, &count, VK_MENU, true);
    if (ctrl)
        AddKey(inputs, &count, VK_CONTROL, true);
    if (shift)
        AddKey(inputs, &count, VK_SHIFT, true);
    SendInput(count, inputs, sizeof(INPUT));
}

void SendMouseMove(int screen_x, int screen_y)
{
    SetCursorPos(screen_x, screen_y);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = screen_x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = screen_y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

void SendMouseClick(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    SendMouseMove(point.x, point.y);
    // The pointer motion of an earlier warp can still be on its way from the
    // X server and move the cursor back; each button event therefore carries
    // its own position, and the press waits until the cursor is there.
    WaitUntil(
        [&] {
            POINT now;
            // Normalised coordinates may land one pixel off the point.
            return GetCursorPos(&now) && abs(now.x - point.x) <= 1 && abs(now.y - point.y) <= 1;
        },
        2000);
    INPUT clicks[2] = {};
    for (INPUT &click : clicks) {
        click.type = INPUT_MOUSE;
        click.mi.dx = point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        click.mi.dy = point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        click.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    clicks[0].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

} // namespace qlh
