// Benchmarks of the programs under Wine, each against a baseline measured in
// the same run:
//   bench_driver startup    time from CreateProcess to the first visible
//                           window, each program against the bare window
//                           program, alternating, 20 runs each
//   bench_driver repaints   text-area repaints of the menu during a sweep of
//                           the pointer over all its buttons
// Prints; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "paint_counter.h"
#include "wine_harness.h"

using namespace qlh;

namespace {

const int kRuns = 20;

double Now()
{
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// What counts as "up" for one program: a visible top-level window of its
// process that matches.
struct Subject {
    std::string name;
    std::string exe;
    std::string args;
    const char *className;
    const char *title;
};

// Seconds from the start to the first matching visible window; -1 if it
// never came.
double TimeToWindow(const Subject &subject)
{
    Process process;
    const double start = Now();
    if (!process.Start(subject.exe, subject.args))
        return -1;
    double up = -1;
    while (Now() - start < 10) {
        WindowQuery query;
        query.class_name = subject.className;
        query.title = subject.title;
        query.pid = process.Pid();
        if (!FindTopWindows(query).empty()) {
            up = Now() - start;
            break;
        }
        Sleep(1);
    }
    process.Kill();
    process.WaitExit(5000);
    return up;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void CompareStartup(const Subject &program, const Subject &bare)
{
    std::vector<double> programTimes, bareTimes;
    // One run of each first, not counted: the first start of an executable
    // pays for reading it from disk.
    TimeToWindow(program);
    TimeToWindow(bare);
    for (int run = 0; run < kRuns; ++run) {
        const double b = TimeToWindow(bare);
        const double p = TimeToWindow(program);
        if (b > 0)
            bareTimes.push_back(b);
        if (p > 0)
            programTimes.push_back(p);
    }
    if (programTimes.empty() || bareTimes.empty()) {
        std::printf("%-12s no window appeared (%zu/%zu runs)\n", program.name.c_str(),
                    programTimes.size(), bareTimes.size());
        return;
    }
    const double p = Median(programTimes), b = Median(bareTimes);
    std::printf("%-12s median %7.1f ms   bare window %7.1f ms   ratio %.2f  (target <= 1.10, %d runs each)\n",
                program.name.c_str(), p * 1000, b * 1000, p / b, kRuns);
}

int Startup(const std::string &bareExe)
{
    const Subject bare = {"bare", bareExe, "", "BareWindow", nullptr};
    CompareStartup({"launcher", CdPath("Setup.exe"), "", "Setup", nullptr}, bare);
    {
        // NT 4.0 lets the drive check pass without a diskette drive.
        ScopedWindowsVersion nt4("nt40", "Floppwright.exe");
        CompareStartup({"Floppwright", CdPath("Utility\\Floppwright.exe"), "", "#32770", nullptr}, bare);
    }
    CompareStartup({"Lingpick", CdPath("Utility\\Lingpick .exe"), "", "#32770", "Acrobat Setup"}, bare);
    return 0;
}

int Repaints()
{
    Process menu;
    if (!menu.Start(CdPath("Setup.exe")))
        return 1;
    HWND window = WaitForWindow(WindowQuery{"Setup", nullptr, menu.Pid()});
    if (!window)
        return 1;
    if (HWND notice = WaitForDialog(menu.Pid(), nullptr, 3000))
        PressDialogButton(notice, IDOK);
    WaitEnabled(window);
    Sync(window);

    std::vector<HWND> buttons;
    for (HWND child : ChildWindows(window))
        if (ClassName(child) == "Button")
            buttons.push_back(child);

    PaintCounter paints;
    if (!paints.Attach(window))
        return 1;
    Sync(window);
    Sleep(300);
    paints.Reset();

    // A real pointer moving down the column at a brisk hand's pace, a few
    // pixels every 5 ms, across every button and the rows between them.
    const RECT first = WindowRectOnScreen(buttons.front());
    const RECT last = WindowRectOnScreen(buttons.back());
    for (int y = first.top + 2; y < last.bottom - 1; y += 3) {
        SendMouseMove(first.left + 10, y);
        Sleep(5);
    }
    Sleep(600);
    Sync(window);
    std::printf("menu text area repainted %ld time(s) during a sweep over %zu buttons (must be 1)\n",
                paints.Count(), buttons.size());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 3 && !std::strcmp(argv[1], "startup"))
        return Startup(WindowsPathOfUnix(argv[2]));
    if (argc >= 2 && !std::strcmp(argv[1], "repaints"))
        return Repaints();
    std::fprintf(stderr, "usage: bench_driver startup BARE_EXE | repaints\n");
    return 2;
}
