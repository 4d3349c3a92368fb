// Start-up stage stamps for the bench variants of the programs (never
// shipped): linked with --wrap=WinMain, it stamps the entry and then watches
// the thread's messages from outside the program, so the programs' own
// sources carry no marks. Each stamp appends "name ticks" (the performance
// counter) to the file that QL_STAGE_LOG names, for `bench_driver stages`.
#include <windows.h>

extern "C" int WINAPI __real_WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine,
                                     int show);

namespace {

// The counter is read first, so the file's opening and writing fall on the
// stage after this one, not on this one.
void StageStamp(const char *stage)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);

    static HANDLE log = INVALID_HANDLE_VALUE;
    static bool opened;
    if (!opened) {
        opened = true;
        char path[MAX_PATH];
        DWORD length = GetEnvironmentVariableA("QL_STAGE_LOG", path, sizeof path);
        if (length > 0 && length < sizeof path)
            log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    }
    if (log == INVALID_HANDLE_VALUE)
        return;

    // "name ticks\n", the ticks in decimal, written backwards from the end.
    char digits[24];
    char *d = digits + sizeof digits;
    unsigned long long ticks = static_cast<unsigned long long>(now.QuadPart);
    *--d = '\n';
    do {
        *--d = static_cast<char>('0' + ticks % 10);
        ticks /= 10;
    } while (ticks);
    *--d = ' ';
    DWORD written;
    WriteFile(log, stage, lstrlenA(stage), &written, NULL);
    WriteFile(log, d, static_cast<DWORD>(digits + sizeof digits - d), &written, NULL);
}

// Only the program's own windows, top-level ones and dialogs: not its
// controls, nor the windows that the system makes for the thread.
bool IsOwnWindow(HINSTANCE instance, LONG style)
{
    return instance == GetModuleHandleA(NULL) && !(style & WS_CHILD);
}

bool IsTopLevel(HWND window)
{
    return IsOwnWindow(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)),
                       GetWindowLongA(window, GWL_STYLE));
}

// A top-level window is about to be made (its class is registered by then).
LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CBT_CREATEWNDA *create = reinterpret_cast<const CBT_CREATEWNDA *>(lParam);
        if (IsOwnWindow(create->lpcs->hInstance, create->lpcs->style))
            StageStamp("create-window");
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// Sent messages, as a window procedure is about to see them.
LRESULT CALLBACK CallHook(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT *sent = reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (code == HC_ACTION && IsTopLevel(sent->hwnd)) {
        if (sent->message == WM_CREATE)
            StageStamp("wm-create");
        else if (sent->message == WM_INITDIALOG)
            StageStamp("dialog-init");
        else if (sent->message == WM_SHOWWINDOW && sent->wParam)
            StageStamp("show-window");
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// Sent messages, as a window procedure has answered them.
LRESULT CALLBACK ReturnHook(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT *answered = reinterpret_cast<const CWPRETSTRUCT *>(lParam);
    if (code == HC_ACTION && IsTopLevel(answered->hwnd)) {
        if (answered->message == WM_CREATE)
            StageStamp("wm-create-done");
        else if (answered->message == WM_INITDIALOG)
            StageStamp("dialog-init-done");
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// Posted messages, as the message loop takes them: the paints, and the
// commands a program posts to itself.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG *taken = reinterpret_cast<const MSG *>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && taken->hwnd && IsTopLevel(taken->hwnd)) {
        if (taken->message == WM_PAINT)
            StageStamp("paint");
        else if (taken->message == WM_COMMAND)
            StageStamp("posted-command");
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

} // namespace

extern "C" int WINAPI __wrap_WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine,
                                     int show)
{
    StageStamp("winmain");
    DWORD thread = GetCurrentThreadId();
    SetWindowsHookExA(WH_CBT, CbtHook, NULL, thread);
    SetWindowsHookExA(WH_CALLWNDPROC, CallHook, NULL, thread);
    SetWindowsHookExA(WH_CALLWNDPROCRET, ReturnHook, NULL, thread);
    SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, NULL, thread);
    return __real_WinMain(instance, previous, commandLine, show);
}
