#include "windows/menu_commands.h"

#include "core/action_command.h"
#include "core/gdi_ledger.h"
#include "core/menu_model.h"
#include "core/reader_command.h"
#include "maker_web.h"
#include "windows/file_version.h"
#include "windows/guides_dialog.h"
#include "windows/menu_window.h"
#include "windows/message_dialog.h"
#include "windows/shell_open.h"
#include "windows/strings.h"

// The launcher's own folder, with its backslash. False when the module
// name was cut by the buffer or holds no backslash.
static bool GetLauncherDirectory(char* directory, std::size_t size)
{
    char module[kCommandSize];
    DWORD length = GetModuleFileNameA(NULL, module, sizeof module);
    if (length == 0 || length >= sizeof module)
        return false;
    module[length] = '\0';
    return LauncherDirectoryFrom(module, directory, size);
}

// Programs are started and forgotten: neither waited for nor checked.
static void StartProgram(const char* commandLine)
{
    WinExec(commandLine, SW_SHOWNORMAL);
}

static void RunActionProgram(int code)
{
    char directory[kCommandSize];
    char commandLine[kCommandSize];
    if (GetLauncherDirectory(directory, sizeof directory)
        && BuildActionCommand(code, directory, LanguageIndex, commandLine, sizeof commandLine))
        StartProgram(commandLine);
}

static void OpenUpdatePage()
{
    char url[kCommandSize];
    if (BuildUpdateUrl(MAKER_WEB_HOST, url, sizeof url))
        OpenWithShell(url);
}

static void OpenMessageDialog(HWND menu)
{
    DialogBoxParamA(MenuInstance, MAKEINTRESOURCEA(IDD_MESSAGE), menu, MessageDialogProc, 0);
}

// The guides need a PDF reader of version 4 or later; without one the user
// may install it through Lingpick, and the guides stay closed. The reader
// comes first: the question is asked even where the launcher's own folder
// cannot be read, and only what follows the answer needs that folder.
static void ShowUserGuides(HWND menu)
{
    char directory[kCommandSize];
    if (AcrobatVersionAtLeast(kGuidesReaderVersion)) {
        char folder[kCommandSize];
        if (GetLauncherDirectory(directory, sizeof directory)
            && BuildGuidesFolder(directory, LanguageIndex, folder, sizeof folder))
            DialogBoxParamA(MenuInstance, MAKEINTRESOURCEA(IDD_GUIDES), menu, GuidesDialogProc,
                            reinterpret_cast<LPARAM>(folder));
        return;
    }
    char question[kTextBufferSize];
    LoadText(MenuInstance, ReaderQuestionId(LanguageIndex), question, sizeof question);
    if (MessageBoxA(menu, question, "Acrobat Viewer Required", MB_YESNO) == IDNO)
        return;
    char commandLine[kCommandSize];
    if (GetLauncherDirectory(directory, sizeof directory)
        && BuildLingpickCommand(directory, commandLine, sizeof commandLine))
        StartProgram(commandLine);
}

static void RunButton(HWND menu, int button)
{
    char text[kTextBufferSize];
    LoadText(MenuInstance, ActionId(button), text, sizeof text);
    int code = ParseActionCode(text);
    switch (ActionForCode(code)) {
    case Action::RunProgram:
        RunActionProgram(code);
        break;
    case Action::OpenWebPage:
        OpenUpdatePage();
        break;
    case Action::ShowGuides:
        ShowUserGuides(menu);
        break;
    case Action::ShowMessage:
        OpenMessageDialog(menu);
        break;
    case Action::EndLauncher:
        DestroyWindow(menu);
        break;
    case Action::Nothing:
        break;
    }
}

LRESULT OnMenuCommand(HWND menu, WPARAM wParam, LPARAM lParam)
{
    // Notifications other than BN_CLICKED, and Enter with nothing
    // highlighted (-1), are not commands.
    if (HIWORD(wParam) != 0)
        return DefWindowProcA(menu, WM_COMMAND, wParam, lParam);
    unsigned id = LOWORD(wParam);
    if (id == kMessageCommandId) {
        OpenMessageDialog(menu);
        return DefWindowProcA(menu, WM_COMMAND, wParam, lParam);
    }
#ifdef QL_TEST_VARIANT
    if (id == kGdiBalanceQuery)
        return LiveGdiObjects();
#endif
    if (id >= static_cast<unsigned>(ButtonCount) || ButtonUnavailable[id])
        return 0;
    RunButton(menu, static_cast<int>(id));
    return 0;
}
