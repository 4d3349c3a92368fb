// The programs' entry point. They link no C runtime: Windows 95 ships no
// MSVCRT.DLL, and the runtime's start-up brings nothing these programs use.
// Static constructors still run before WinMain; nothing runs after it, as
// the programs end with ExitProcess.
#include <windows.h>

// The linker's list of static constructors: -1, the constructors, 0.
extern "C" void (*__CTOR_LIST__[])();

namespace {

// Last to first, as the compiler's own start-up runs them.
void RunStaticConstructors()
{
    int count = 0;
    while (__CTOR_LIST__[count + 1])
        count++;
    for (; count > 0; count--)
        __CTOR_LIST__[count]();
}

// The command line after the program's name and the blanks that follow
// it, as WinMain has always been given it.
LPSTR CommandTail(LPSTR line)
{
    if (*line == '"') {
        for (line++; *line && *line != '"'; line++) {}
        if (*line == '"')
            line++;
    } else {
        while (*line && *line != ' ' && *line != '\t')
            line++;
    }
    while (*line == ' ' || *line == '\t')
        line++;
    return line;
}

} // namespace

extern "C" void WinMainCRTStartup()
{
    RunStaticConstructors();
    STARTUPINFOA start;
    start.cb = sizeof start;
    GetStartupInfoA(&start);
    int show = start.dwFlags & STARTF_USESHOWWINDOW ? start.wShowWindow : SW_SHOWDEFAULT;
    ExitProcess(static_cast<UINT>(
        WinMain(GetModuleHandleA(nullptr), nullptr, CommandTail(GetCommandLineA()), show)));
}
