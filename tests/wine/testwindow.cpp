// A small window program for the harness's own test.  Its behaviour is
// chosen on the command line:
//   -title <text>   window title (up to the next blank)       default "Harness"
//   -exit <n>       exit code when the window closes          default 0
//   -msgbox         ask a Yes/No message box first; exit code is the answer
//   -spawn          start a second copy with -hang, then run as usual
//   -hang           show no window and never end
//   -close          close the window as soon as it is shown
//   -language       title "<system language id> <user language id>" in hex
//   -version        title "<platform id> <major>.<minor>" from GetVersionExA
// Tab sets static 101 to "tab" or "shift+tab" after GetKeyState(VK_SHIFT).
// The client area is painted kIdle; a press of button 100 (or a left click)
// paints it kPressed and sets static 101 to "pressed x,y".

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const COLORREF kIdle = RGB(0x12, 0x34, 0x56);
const COLORREF kPressed = RGB(0xC0, 0x20, 0x20);
const int kButtonId = 100;
const int kStatusId = 101;

int g_exit_code = 0;
bool g_pressed = false;

// The word after `option` on the command line, or "".
void OptionValue(const char *command_line, const char *option, char *out, size_t size)
{
    out[0] = '\0';
    const char *at = strstr(command_line, option);
    if (!at)
        return;
    at += strlen(option);
    while (*at == ' ')
        ++at;
    size_t n = 0;
    while (at[n] && at[n] != ' ' && n + 1 < size) {
        out[n] = at[n];
        ++n;
    }
    out[n] = '\0';
}

void MarkPressed(HWND window, int x, int y)
{
    g_pressed = true;
    char text[64];
    snprintf(text, sizeof text, "pressed %d,%d", x, y);
    SetDlgItemTextA(window, kStatusId, text);
    InvalidateRect(window, nullptr, TRUE);
}

void OnCreate(HWND window)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    CreateWindowA("Button", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24, window,
                  reinterpret_cast<HMENU>(kButtonId), instance, nullptr);
    CreateWindowA("Static", "idle", WS_CHILD | WS_VISIBLE, 100, 14, 150, 20, window,
                  reinterpret_cast<HMENU>(kStatusId), instance, nullptr);
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HBRUSH brush = CreateSolidBrush(g_pressed ? kPressed : kIdle);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    EndPaint(window, &paint);
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wparam) == kButtonId)
            MarkPressed(window, -1, -1);
        return 0;
    case WM_LBUTTONUP:
        MarkPressed(window, static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
        return 0;
    case WM_KEYDOWN:
        if (wparam == VK_ESCAPE)
            DestroyWindow(window);
        else if (wparam == VK_TAB)
            SetDlgItemTextA(window, kStatusId, GetKeyState(VK_SHIFT) < 0 ? "shift+tab" : "tab");
        return 0;
    case WM_DESTROY:
        PostQuitMessage(g_exit_code);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

void SpawnHangingCopy()
{
    char module[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, module, sizeof module);
    if (n == 0 || n >= sizeof module)
        return;
    char command_line[MAX_PATH + 16];
    snprintf(command_line, sizeof command_line, "\"%s\" -hang", module);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info;
    if (CreateProcessA(nullptr, command_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    const char *command_line = GetCommandLineA();
    if (strstr(command_line, " -hang")) {
        Sleep(INFINITE);
        return 0;
    }
    if (strstr(command_line, " -spawn"))
        SpawnHangingCopy();
    if (strstr(command_line, " -msgbox"))
        return MessageBoxA(nullptr, "Question?", "Harness", MB_YESNO);

    char title[128];
    OptionValue(command_line, " -title", title, sizeof title);
    if (strstr(command_line, " -language"))
        snprintf(title, sizeof title, "%04x %04x", GetSystemDefaultLangID(),
                 GetUserDefaultLangID());
    if (strstr(command_line, " -version")) {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
        GetVersionExA(&version);
        snprintf(title, sizeof title, "%lu %lu.%lu", version.dwPlatformId, version.dwMajorVersion,
                 version.dwMinorVersion);
    }
    char exit_code[16];
    OptionValue(command_line, " -exit", exit_code, sizeof exit_code);
    g_exit_code = atoi(exit_code);

    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = TestWindowProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.lpszClassName = "QlTestWindow";
    RegisterClassA(&window_class);
    HWND window = CreateWindowA("QlTestWindow", title[0] ? title : "Harness",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 100, 300, 200, nullptr,
                                nullptr, instance, nullptr);
    ShowWindow(window, show);
    UpdateWindow(window);
    if (strstr(command_line, " -close"))
        PostMessageA(window, WM_CLOSE, 0, 0);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
