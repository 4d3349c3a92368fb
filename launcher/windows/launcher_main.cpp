// Entry point: language, single instance, the menu window and its loop.
#include <windows.h>

#include "core/menu_model.h"
#include "windows/menu_window.h"
#include "windows/strings.h"

unsigned short LanguageIndex = kEnglish;
char CommandLineText[kCommandLineSize];

namespace {

const char kInstallShieldClass[] = "Installshield_Win";
const char kInstallShieldTitle[] = "Setup";

// A running menu in the same language, or a running InstallShield setup,
// is brought forward instead of opening a menu beside it.
bool BringForwardRunning(const char *title)
{
    HWND running = FindWindowA(MenuClassName, title);
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

HWND CreateMenuWindow(HINSTANCE instance, const char *title)
{
    // Popup with caption, system menu and minimize box, no sizing border.
    const DWORD style = WS_POPUP | WS_BORDER | WS_DLGFRAME | WS_SYSMENU | WS_MINIMIZEBOX;
    return CreateWindowExA(WS_EX_STATICEDGE, MenuClassName, title, style,
                           CW_USEDEFAULT, CW_USEDEFAULT, kCreatedWidth, kCreatedHeight,
                           nullptr, nullptr, instance, nullptr);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    RegisterMenuClass(instance);
    CopyCommandLine(CommandLineText, sizeof CommandLineText, commandLine);
    LanguageIndex = ChooseLanguage(GetSystemDefaultLangID(), CommandLineText);

    char title[kTitleBufferSize];
    LoadText(instance, TitleId(LanguageIndex), title, sizeof title);
    if (BringForwardRunning(title))
        return 0;

    HWND menu = CreateMenuWindow(instance, title);
    // "remove" destroys the window while it is being created.
    if (menu && IsWindow(menu)) {
        ShowWindow(menu, SW_SHOW);
        UpdateWindow(menu);
    }

    MSG msg;
    msg.wParam = 0;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DeleteMenuObjects();
    return static_cast<int>(msg.wParam);
}
