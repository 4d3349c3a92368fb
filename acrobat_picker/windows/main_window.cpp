#include "windows/main_window.h"

#include "core/installer_path.h"
#include "core/placement.h"
#include "common/core/text_builder.h"
#include "common/windows/program_start.h"
#include "windows/language_dialog.h"

namespace {

constexpr char kClassName[] = "Marrant";
constexpr char kTitle[] = "Select";

// The command the window posts to itself to open the dialog.
constexpr WPARAM kLaunchCommand = 1;

PickerWindow *PickerOf(HWND window)
{
    return reinterpret_cast<PickerWindow *>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The folder comes from the module path before the dialog opens, as the
// dialog's answer only decides which installer is appended to it. A path
// that GetModuleFileNameA had to cut, or that grows past MAX_PATH, starts
// nothing: a truncated path could start some other program.
void LaunchInstaller(HWND window, HINSTANCE instance)
{
    // One char more than MAX_PATH tells a 259-char path from a cut one on
    // every Windows: NT fills the buffer and returns its size, 9x returns
    // the length of what it copied.
    char module[kPathSize + 1];
    DWORD length = GetModuleFileNameA(instance, module, sizeof module);
    module[sizeof module - 1] = '\0';
    char folder[kPathSize];
    bool found = length > 0 && length < kPathSize && AcrobatFolder(module, folder, sizeof folder);

    INT_PTR result = ShowLanguageDialog(instance, window);

    char path[kPathSize];
    char command[kPathSize + 2];
    if (found && InstallerPath(folder, result, path, sizeof path) &&
        JoinText(command, sizeof command, {"\"", path, "\""}))
        StartProgram(command, SW_SHOW);
}

// The state is in place before any later message reaches the window.
LRESULT OnNcCreate(HWND window, const CREATESTRUCTA *create)
{
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return DefWindowProcA(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create));
}

LRESULT OnCreate(HWND window)
{
    // Posted, so the dialog opens from the message loop once the window has
    // been shown minimized.
    PostMessageA(window, WM_COMMAND, kLaunchCommand, 0);
    return 0;
}

LRESULT OnCommand(HWND window, const PickerWindow &picker, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != kLaunchCommand)
        return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
    LaunchInstaller(window, picker.instance);
    PostQuitMessage(0);
    return 0;
}

LRESULT OnWindowPosChanging(HWND window, PickerWindow &picker, WPARAM wParam, WINDOWPOS *pos)
{
    pos->flags = FilterWindowPosFlags(picker.positionSeen, pos->flags);
    return DefWindowProcA(window, WM_WINDOWPOSCHANGING, wParam, reinterpret_cast<LPARAM>(pos));
}

LRESULT OnDestroy()
{
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE)
        return OnNcCreate(window, reinterpret_cast<const CREATESTRUCTA *>(lParam));
    // WM_GETMINMAXINFO comes before WM_NCCREATE, when there is no state yet.
    PickerWindow *picker = PickerOf(window);
    if (!picker)
        return DefWindowProcA(window, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_COMMAND:
        return OnCommand(window, *picker, wParam, lParam);
    case WM_WINDOWPOSCHANGING:
        return OnWindowPosChanging(window, *picker, wParam, reinterpret_cast<WINDOWPOS *>(lParam));
    case WM_DESTROY:
        return OnDestroy();
    default:
        return DefWindowProcA(window, msg, wParam, lParam);
    }
}

} // namespace

HWND CreateMainWindow(PickerWindow &picker)
{
    HINSTANCE instance = picker.instance;
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc))
        return NULL;
    return CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, instance, &picker);
}
