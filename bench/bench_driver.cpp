// Benchmarks of the programs under Wine, each against a baseline measured in
// the same run:
//   bench_driver startup BARE_WINDOW BARE_DIALOG
//                           time from CreateProcess to the first visible
//                           window, and the peak working set once that window
//                           is up: the menu against the bare window program,
//                           Floppwright and Lingpick, which open a modal dialog
//                           over a main window of their own, against the bare
//                           dialog program; alternating, 20 runs each
//   bench_driver stages BARE_DIALOG FLOPPWRIGHT LINGPICK
//                           the same start-up, split at the stage stamps that
//                           the bench variants of those programs write
//   bench_driver repaints   text-area repaints of the menu during a sweep of
//                           the pointer over all its buttons
// Prints; asserts nothing.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "paint_counter.h"
#include "wine_harness.h"

using namespace qlh;

namespace {

const int kRuns = 20;

double Frequency()
{
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart);
}

// Seconds on the performance counter, which every process reads alike, so
// the stage stamps of a started program compare with the driver's clock.
double Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / Frequency();
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

struct Run {
    double start = 0;            // the clock just before CreateProcess
    double up = -1;              // seconds to the first matching window; -1: none came
    double peakWorkingSet = 0;   // MiB, once the window's thread is idle
};

// Peak working set of a process so far, in MiB; 0 if it cannot be read.
double PeakWorkingSet(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
        return 0;
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// One start of the program up to its first matching window. The working set
// is read after the window's thread has handled what was queued at that
// moment, so the first window's creation and painting are in it.
Run StartOnce(const Subject &subject)
{
    Run run;
    Process process;
    run.start = Now();
    if (!process.Start(subject.exe, subject.args))
        return run;
    while (Now() - run.start < 10) {
        WindowQuery query;
        query.class_name = subject.className;
        query.title = subject.title;
        query.pid = process.Pid();
        std::vector<HWND> windows = FindTopWindows(query);
        if (!windows.empty()) {
            run.up = Now() - run.start;
            Sync(windows.front(), 2000);
            run.peakWorkingSet = PeakWorkingSet(process.Handle());
            break;
        }
        Sleep(1);
    }
    process.Kill();
    process.WaitExit(5000);
    return run;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Medians {
    std::vector<double> up, memory;
    void Add(const Run &run)
    {
        if (run.up < 0)
            return;
        up.push_back(run.up);
        if (run.peakWorkingSet > 0)
            memory.push_back(run.peakWorkingSet);
    }
};

void Compare(const Subject &program, const Subject &bare)
{
    Medians programRuns, bareRuns;
    // One run of each first, not counted: the first start of an executable
    // pays for reading it from disk.
    StartOnce(program);
    StartOnce(bare);
    for (int run = 0; run < kRuns; ++run) {
        bareRuns.Add(StartOnce(bare));
        programRuns.Add(StartOnce(program));
    }
    if (programRuns.up.empty() || bareRuns.up.empty()) {
        std::printf("%-12s no window appeared (%zu/%zu runs)\n", program.name.c_str(),
                    programRuns.up.size(), bareRuns.up.size());
        return;
    }
    const double p = Median(programRuns.up), b = Median(bareRuns.up);
    std::printf("%-12s start-up     %7.1f ms   %-11s %7.1f ms   ratio %.2f  (target <= 1.10, %d runs each)\n",
                program.name.c_str(), p * 1000, bare.name.c_str(), b * 1000, p / b, kRuns);
    const double pm = Median(programRuns.memory), bm = Median(bareRuns.memory);
    if (pm > 0 && bm > 0)
        std::printf("%-12s peak working set %5.2f MiB  %-11s %5.2f MiB  ratio %.2f  (target <= 1.20)\n",
                    program.name.c_str(), pm, bare.name.c_str(), bm, pm / bm);
    else
        std::printf("%-12s peak working set unreadable\n", program.name.c_str());
    std::fflush(stdout);
}

int Startup(const std::string &bareWindowExe, const std::string &bareDialogExe)
{
    const Subject bareWindow = {"bare window", bareWindowExe, "", "BareWindow", nullptr};
    const Subject bareDialog = {"bare dialog", bareDialogExe, "", "#32770", "Bare dialog"};
    Compare({"launcher", CdPath("Setup.exe"), "", "Setup", nullptr}, bareWindow);
    {
        // NT 4.0 lets the drive check pass without a diskette drive.
        ScopedWindowsVersion nt4("nt40", "Floppwright.exe");
        Compare({"Floppwright", CdPath("Utility\\Floppwright.exe"), "", "#32770", nullptr}, bareDialog);
    }
    Compare({"Lingpick", CdPath("Utility\\Lingpick .exe"), "", "#32770", "Acrobat Setup"}, bareDialog);
    return 0;
}

// ---- stages -------------------------------------------------------------

// The stamps of one run: stage name and milliseconds since CreateProcess, in
// the order written. The bench variants append "name ticks" lines to the file
// that QL_STAGE_LOG names.
std::vector<std::pair<std::string, double>> ReadStamps(const std::string &log, double start)
{
    std::vector<std::pair<std::string, double>> stamps;
    std::ifstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name;
        unsigned long long ticks = 0;
        if (fields >> name >> ticks)
            stamps.emplace_back(name, (static_cast<double>(ticks) / Frequency() - start) * 1000);
    }
    return stamps;
}

struct StageTimes {
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> ms;
    void Add(const std::string &name, double value)
    {
        if (!ms.count(name))
            order.push_back(name);
        ms[name].push_back(value);
    }
};

void TimeStages(const std::vector<Subject> &subjects, const std::string &log)
{
    std::vector<StageTimes> times(subjects.size());
    for (int run = -1; run < kRuns; ++run) {
        for (size_t i = 0; i < subjects.size(); ++i) {
            DeleteFileA(log.c_str());
            Run r = StartOnce(subjects[i]);
            if (run < 0 || r.up < 0)
                continue;   // the first round only warms the file cache
            for (const auto &stamp : ReadStamps(log, r.start))
                times[i].Add(stamp.first, stamp.second);
            times[i].Add("window-seen", r.up * 1000);
        }
    }
    for (size_t i = 0; i < subjects.size(); ++i) {
        std::printf("%s (median ms after CreateProcess, %d runs)\n", subjects[i].name.c_str(), kRuns);
        for (const std::string &name : times[i].order)
            std::printf("  %-24s %7.1f\n", name.c_str(), Median(times[i].ms[name]));
    }
    std::fflush(stdout);
}

int Stages(const std::string &bareDialogExe, const std::string &floppwrightExe, const std::string &lingpickExe)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    const std::string log = std::string(folder) + "ql_stages.log";
    SetEnvironmentVariableA("QL_STAGE_LOG", log.c_str());
    const char *floppwrightName = std::strrchr(floppwrightExe.c_str(), '\\');
    ScopedWindowsVersion nt4("nt40", floppwrightName ? floppwrightName + 1 : floppwrightExe);
    TimeStages({{"bare dialog", bareDialogExe, "", "#32770", "Bare dialog"},
                {"Floppwright", floppwrightExe, "", "#32770", nullptr},
                {"Lingpick", lingpickExe, "", "#32770", "Acrobat Setup"}},
               log);
    DeleteFileA(log.c_str());
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
    if (argc >= 4 && !std::strcmp(argv[1], "startup"))
        return Startup(WindowsPathOfUnix(argv[2]), WindowsPathOfUnix(argv[3]));
    if (argc >= 5 && !std::strcmp(argv[1], "stages"))
        return Stages(WindowsPathOfUnix(argv[2]), WindowsPathOfUnix(argv[3]), WindowsPathOfUnix(argv[4]));
    if (argc >= 2 && !std::strcmp(argv[1], "repaints"))
        return Repaints();
    std::fprintf(stderr, "usage: bench_driver startup BARE_WINDOW BARE_DIALOG | stages BARE_DIALOG FLOPPWRIGHT LINGPICK"
                         " | repaints\n");
    return 2;
}
