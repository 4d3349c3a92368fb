#include "common/windows/program_start.h"

#include <shellapi.h>
#include <string.h>

#include "common/core/text_builder.h"
#include "common/windows/system_library.h"

#ifndef ERROR_ELEVATION_REQUIRED
#define ERROR_ELEVATION_REQUIRED 740
#endif

namespace {

constexpr DWORD kInputIdleWait = 30000;

typedef BOOL(WINAPI *ShellExecuteExFunction)(SHELLEXECUTEINFOA *);

// From Vista on, CreateProcess refuses a program that is marked to run as
// administrator, or that Windows takes for an installer (a Setup.exe
// without a manifest, say), with ERROR_ELEVATION_REQUIRED; the shell asks
// for consent and then starts it. It takes the program and its parameters
// apart, and shows no error window of its own.
bool StartThroughShell(const char *commandLine)
{
    const char *end = commandLine[0] == '"' ? strchr(commandLine + 1, '"') : nullptr;
    if (!end)
        return false;
    char program[MAX_PATH];
    TextBuilder b(program, sizeof program);
    b.Add(commandLine + 1, static_cast<std::size_t>(end - commandLine - 1));
    if (!b.Finish())
        return false;
    const char *parameters = end + 1;
    while (*parameters == ' ')
        parameters++;

    ShellExecuteExFunction shellExecuteEx =
        SystemFunction<ShellExecuteExFunction>(kShell32, "ShellExecuteExA");
    if (!shellExecuteEx)
        return false;
    SHELLEXECUTEINFOA shell;
    ZeroMemory(&shell, sizeof shell);
    shell.cbSize = sizeof shell;
    shell.fMask = SEE_MASK_FLAG_NO_UI;
    shell.lpFile = program;
    shell.lpParameters = *parameters ? parameters : nullptr;
    shell.nShow = SW_SHOWNORMAL;
    return shellExecuteEx(&shell) != FALSE;
}

} // namespace

bool StartProgram(const char *commandLine, int show)
{
    // CreateProcessA may write into the command line it is given.
    char line[MAX_PATH];
    if (!JoinText(line, sizeof line, {commandLine}))
        return false;
    STARTUPINFOA start;
    ZeroMemory(&start, sizeof start);
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESHOWWINDOW;
    start.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION started;
    if (CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                       &started)) {
        // As WinExec does: the program has a moment to show its window
        // before the caller's next message is handled.
        WaitForInputIdle(started.hProcess, kInputIdleWait);
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
        return true;
    }
    return GetLastError() == ERROR_ELEVATION_REQUIRED && StartThroughShell(commandLine);
}
