// Start-up stage stamps for the bench variants of the programs (never
// shipped): linked with --wrap=WinMain, it stamps the entry and then watches
// the messages of the program's own windows from outside its code, so the
// programs' own sources carry no marks. Each stamp appends "name ticks" (the
// performance counter) to the file that QL_STAGE_LOG names, for
// `bench_driver stages`.
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

const char kOriginalProc[] = "StageClockProc";

// Sees every message of a watched window before and after its own procedure.
// A subclass costs a call; a message hook would cost Wine a trip to its
// server per message, and a window with many controls gets many messages, so
// hooks would swell exactly the stages being compared.
LRESULT CALLBACK StageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC original = reinterpret_cast<WNDPROC>(GetPropA(window, kOriginalProc));
    switch (message) {
    case WM_CREATE:
        StageStamp("wm-create");
        break;
    case WM_INITDIALOG:
        StageStamp("dialog-init");
        break;
    case WM_SHOWWINDOW:
        if (wParam)
            StageStamp("show-window");
        break;
    case WM_PAINT:
        StageStamp("paint");
        break;
    case WM_SETFOCUS:
        // The first focus of a process, with the activation before it, costs
        // Wine some 15 ms wherever it falls: on a shown main window, or on a
        // dialog over a minimized one.
        StageStamp("focus");
        break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        // A control of the window is painting itself.
        StageStamp("control-paint");
        break;
    case WM_ENTERIDLE:
        // A modal dialog of this owner is shown and has nothing left to do.
        StageStamp("dialog-idle");
        break;
    case WM_COMMAND:
        // Only what the program posted to itself, not a control's notice,
        // which names its control.
        if (!lParam)
            StageStamp("posted-command");
        break;
    case WM_NCDESTROY:
        RemovePropA(window, kOriginalProc);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        break;
    }
    LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
    if (message == WM_CREATE)
        StageStamp("wm-create-done");
    else if (message == WM_INITDIALOG)
        StageStamp("dialog-init-done");
    return result;
}

// A top-level window is about to be made: its class is registered and the
// window exists, but it has seen no message yet, so the subclass sees them all.
LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CBT_CREATEWNDA *create = reinterpret_cast<const CBT_CREATEWNDA *>(lParam);
        if (IsOwnWindow(create->lpcs->hInstance, create->lpcs->style)) {
            StageStamp("create-window");
            HWND window = reinterpret_cast<HWND>(wParam);
            LONG_PTR original = SetWindowLongPtrA(window, GWLP_WNDPROC,
                                                  reinterpret_cast<LONG_PTR>(StageWindowProc));
            SetPropA(window, kOriginalProc, reinterpret_cast<HANDLE>(original));
        }
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

} // namespace

extern "C" int WINAPI __wrap_WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine,
                                     int show)
{
    StageStamp("winmain");
    SetWindowsHookExA(WH_CBT, CbtHook, NULL, GetCurrentThreadId());
    return __real_WinMain(instance, previous, commandLine, show);
}
