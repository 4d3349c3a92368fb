// Starts a program, waits until its windows have painted, and saves them
// as a BMP file: the screenshots of the README and of `make run`.
//
//   ql_screenshot [--dismiss] [--settle ms] <out.bmp> <program> [arguments]
//
// The picture is the smallest rectangle around all visible, not minimized
// top-level windows of the program, within the screen.  --dismiss first closes the dialog box the
// program opens at start (with IDOK), then shoots what is left.  The program
// ends with the shooter (its job is closed).  Exit code 0 on success.

#include "wine_harness.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace qlh;

namespace {

RECT UnionOfWindows(DWORD pid)
{
    RECT all = {0, 0, 0, 0};
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    for (HWND window : FindTopWindows(WindowQuery{nullptr, nullptr, pid})) {
        if (IsIconic(window))
            continue; // parked off the screen
        RECT r = WindowRectOnScreen(window);
        IntersectRect(&r, &r, &screen);
        if (IsRectEmpty(&r))
            continue;
        if (IsRectEmpty(&all))
            all = r;
        else
            UnionRect(&all, &all, &r);
    }
    return all;
}

} // namespace

int main(int argc, char **argv)
{
    bool dismiss = false;
    DWORD settle = 1500;
    int i = 1;
    for (; i < argc && argv[i][0] == '-' && argv[i][1] == '-'; ++i) {
        if (strcmp(argv[i], "--dismiss") == 0)
            dismiss = true;
        else if (strcmp(argv[i], "--settle") == 0 && i + 1 < argc)
            settle = strtoul(argv[++i], nullptr, 10);
    }
    if (argc - i < 2) {
        fprintf(stderr,
                "usage: ql_screenshot [--dismiss] [--settle ms] out.bmp program [arguments]\n");
        return 2;
    }
    std::string out = argv[i];
    std::string program = argv[i + 1];
    std::string arguments;
    for (int a = i + 2; a < argc; ++a)
        arguments += (arguments.empty() ? "" : " ") + std::string(argv[a]);

    Process process;
    if (!process.Start(program, arguments)) {
        fprintf(stderr, "ql_screenshot: cannot start %s\n", program.c_str());
        return 1;
    }
    if (!WaitForWindow(WindowQuery{nullptr, nullptr, process.Pid()}, 10000)) {
        fprintf(stderr, "ql_screenshot: %s showed no window\n", program.c_str());
        return 1;
    }
    Sleep(settle);
    if (dismiss) {
        if (HWND dialog = WaitForDialog(process.Pid(), nullptr, 2000)) {
            PressDialogButton(dialog, IDOK);
            WaitWindowGone(dialog, 3000);
            Sleep(settle);
        }
    }
    RECT area = UnionOfWindows(process.Pid());
    if (IsRectEmpty(&area) || !SaveScreenRect(area, out)) {
        fprintf(stderr, "ql_screenshot: nothing to save for %s\n", program.c_str());
        return 1;
    }
    return 0;
}
