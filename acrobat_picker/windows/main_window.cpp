#include "windows/main_window.h"

#include "core/installer_path.h"
#include "core/placement.h"
#include "stage_clock.h"
#include "windows/language_dialog.h"

namespace {

const char ClassName[] = "Marrant";
const WPARAM LaunchCommand = 1;

HINSTANCE Instance;
int WindowPositionFlag;   // set by the first WM_WINDOWPOSCHANGING

// The folder comes from the module path before the dialog opens, as the
// dialog's answer only decides which installer is appended to it. A path
// that GetModuleFileNameA had to cut, or that grows past MAX_PATH, starts
// nothing: a truncated path could start some other program.
void LaunchInstaller(HWND window)
{
    QL_STAGE("launch");
    // One char more than MAX_PATH tells a 259-char path from a cut one on
    // every Windows: NT fills the buffer and returns its size, 9x returns
    // the length of what it copied.
    char module[PathSize + 1];
    DWORD length = GetModuleFileNameA(Instance, module, sizeof module);
    module[sizeof module - 1] = '\0';
    char folder[PathSize];
    bool found = length > 0 && length < PathSize &&
                 AcrobatFolder(module, folder, sizeof folder);

    INT_PTR result = ChooseLanguage(Instance, window);

    char command[PathSize];
    if (found && InstallerPath(folder, result, command, sizeof command))
        WinExec(command, SW_SHOW);
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA *create)
{
    Instance = create->hInstance;
    // Posted, so the dialog opens from the message loop once the window has
    // been shown minimized.
    PostMessageA(window, WM_COMMAND, LaunchCommand, 0);
    return 0;
}

LRESULT OnLaunch(HWND window)
{
    LaunchInstaller(window);
    PostQuitMessage(0);
    return 0;
}

LRESULT OnWindowPosChanging(HWND window, WPARAM wParam, WINDOWPOS *pos)
{
    pos->flags = FilterWindowPosFlags(&WindowPositionFlag, pos->flags);
    return DefWindowProcA(window, WM_WINDOWPOSCHANGING, wParam, (LPARAM)pos);
}

LRESULT OnDestroy()
{
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate(window, reinterpret_cast<const CREATESTRUCTA *>(lParam));
    case WM_COMMAND:
        if (LOWORD(wParam) == LaunchCommand)
            return OnLaunch(window);
        break;
    case WM_WINDOWPOSCHANGING:
        return OnWindowPosChanging(window, wParam, reinterpret_cast<WINDOWPOS *>(lParam));
    case WM_DESTROY:
        return OnDestroy();
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

} // namespace

HWND CreateMainWindow(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = ClassName;
    if (!RegisterClassA(&wc))
        return NULL;
    return CreateWindowExA(0, ClassName, "Select", WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           NULL, NULL, instance, NULL);
}
