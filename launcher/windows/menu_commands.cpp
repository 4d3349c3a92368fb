#include "windows/menu_commands.h"

#include "core/action_command.h"
#include "core/menu_model.h"
#include "core/reader_command.h"
#include "maker_web.h"
#include "windows/file_version.h"
#include "windows/guides_dialog.h"
#include "windows/message_dialog.h"
#include "windows/shell_open.h"
#include "common/windows/program_start.h"
#include "common/windows/string_row.h"

namespace {

// The launcher's own folder, with its backslash. False when the module
// name was cut by the buffer or holds no backslash.
bool GetLauncherDirectory(char *directory, std::size_t size)
{
    char module[kCommandSize];
    DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    if (length == 0 || length >= sizeof module)
        return false;
    module[length] = '\0';
    return LauncherDirectoryFrom(module, directory, size);
}

void RunActionProgram(int code, int language)
{
    char directory[kCommandSize];
    char commandLine[kCommandSize];
    if (GetLauncherDirectory(directory, sizeof directory) &&
        BuildActionCommand(code, directory, language, commandLine, sizeof commandLine))
        StartProgram(commandLine, SW_SHOWNORMAL);
}

void OpenUpdatePage()
{
    char url[kCommandSize];
    if (BuildUpdateUrl(MAKER_WEB_HOST, url, sizeof url))
        OpenWithShell(url);
}

// The guides need a PDF reader of version 4 or later; without one the user
// may install it through Lingpick, and the guides stay closed. The reader
// comes first: the question is asked even where the launcher's own folder
// cannot be read, and only what follows the answer needs that folder.
// Nothing of the menu's state is read after the question: the menu may be
// gone by the time it is answered.
void ShowUserGuides(HWND window, MenuState &menu)
{
    char directory[kCommandSize];
    if (AcrobatVersionAtLeast(kGuidesReaderVersion)) {
        char folder[kCommandSize];
        if (GetLauncherDirectory(directory, sizeof directory) &&
            BuildGuidesFolder(directory, menu.LanguageIndex, folder, sizeof folder))
            ShowGuidesDialog(window, menu, folder);
        return;
    }
    char question[kTextBufferSize];
    LoadText(menu.MenuInstance, ReaderQuestionId(menu.LanguageIndex), question, sizeof question);
    if (MessageBoxA(window, question, "Acrobat Viewer Required", MB_YESNO) == IDNO)
        return;
    char commandLine[kCommandSize];
    if (GetLauncherDirectory(directory, sizeof directory) &&
        BuildLingpickCommand(directory, commandLine, sizeof commandLine))
        StartProgram(commandLine, SW_SHOWNORMAL);
}

void RunButton(HWND window, MenuState &menu, int button)
{
    char text[kTextBufferSize];
    LoadText(menu.MenuInstance, ActionId(button), text, sizeof text);
    int code = ParseActionCode(text);
    switch (ActionForCode(code)) {
    case Action::kRunProgram:
        RunActionProgram(code, menu.LanguageIndex);
        break;
    case Action::kOpenWebPage:
        OpenUpdatePage();
        break;
    case Action::kShowGuides:
        ShowUserGuides(window, menu);
        break;
    case Action::kShowMessage:
        ShowMessageDialog(window, menu);
        break;
    case Action::kEndLauncher:
        DestroyWindow(window);
        break;
    case Action::kNothing:
        break;
    }
}

} // namespace

LRESULT OnMenuCommand(HWND window, MenuState &menu, WPARAM wParam, LPARAM lParam)
{
    // Notifications other than BN_CLICKED, and Enter with nothing
    // highlighted (-1), are not commands.
    if (HIWORD(wParam) != 0)
        return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
    unsigned id = LOWORD(wParam);
    if (id == kMessageCommandId) {
        ShowMessageDialog(window, menu);
        return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
    }
    if (id >= static_cast<unsigned>(menu.ButtonCount) || menu.ButtonUnavailable[id])
        return 0;
    RunButton(window, menu, static_cast<int>(id));
    return 0;
}
