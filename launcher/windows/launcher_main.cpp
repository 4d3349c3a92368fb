// Entry point: language, single instance, the menu window and its loop.
#include <windows.h>

#include "core/language.h"
#include "core/menu_model.h"
#include "windows/menu_window.h"
#include "common/windows/string_row.h"

namespace {

const char kInstallShieldClass[] = "Installshield_Win";
const char kInstallShieldTitle[] = "Setup";

// A running menu in the same language, or a running InstallShield setup,
// is brought forward instead of opening a menu beside it.
bool BringForwardRunning(const char *title)
{
    HWND running = FindWindowA(kMenuClassName, title);
    if (running) {
        ShowWindow(running, SW_SHOWDEFAULT);
        SetForegroundWindow(running);
        return true;
    }
    HWND setup = FindWindowA(kInstallShieldClass, kInstallShieldTitle);
    if (setup) {
        ShowWindow(setup, SW_SHOWMAXIMIZED);
        SetForegroundWindow(setup);
        return true;
    }
    return false;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    RegisterMenuClass(instance);
    char commandLineText[kCommandLineSize];
    CopyCommandLine(commandLineText, sizeof commandLineText, commandLine);
    unsigned short language = ChooseLanguage(GetSystemDefaultLangID(), commandLineText);

    char title[kTitleBufferSize];
    LoadText(instance, TitleId(language), title, sizeof title);
    if (BringForwardRunning(title))
        return 0;

    HWND menu = CreateMenuWindow(instance, title, language, commandLineText);
    // "remove" destroys the window while it is being created, and a menu
    // that could not be made leaves nothing to wait for.
    if (!menu || !IsWindow(menu))
        return 0;
    ShowWindow(menu, SW_SHOW);
    UpdateWindow(menu);

    MSG msg;
    msg.wParam = 0;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
