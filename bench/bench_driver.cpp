// Benchmarks of the programs under Wine, each against a baseline measured in
// the same run:
//   bench_driver startup    time from CreateProcess to the first visible
//                           window whose thread answers, and the peak working
//                           set then: the menu against the bare window program
//                           beside it at the CD's root, Floppwright and
//                           Lingpick, which open a modal dialog over a main
//                           window of their own, against the bare dialog
//                           program beside them in Utility; all five in turn,
//                           60 rounds
//   bench_driver stages EXE...
//                           the start-up of each program to its first dialog,
//                           alternating, split at the stage stamps that the
//                           bench variants of the programs write
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
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "paint_counter.h"
#include "wine_harness.h"

using namespace qlh;

namespace {

// A start scatters by a third either way under Wine; 60 rounds hold the
// ratios to within about five hundredths from run to run, where 20 let them
// wander by a tenth.
const int kRuns = 60;

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
    double start = 0;          // the clock just before CreateProcess
    double up = -1;            // seconds to the first matching window; -1: none came
    double peakWorkingSet = 0; // MiB, once the window's thread is idle
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

struct ThreadSearch {
    const Subject *subject;
    HWND found;
};

BOOL CALLBACK MatchThreadWindow(HWND window, LPARAM param)
{
    ThreadSearch *search = reinterpret_cast<ThreadSearch *>(param);
    const Subject &subject = *search->subject;
    if (!IsWindowVisible(window) || lstrcmpiA(ClassName(window).c_str(), subject.className) != 0 ||
        (subject.title && WindowText(window) != subject.title))
        return TRUE;
    search->found = window;
    return FALSE;
}

// The first visible window of the program's own thread that matches. Only
// that thread's windows are asked about, each question a trip to the
// wineserver that the starting program also waits on: walking every window
// of the desktop once a millisecond would slow the very start being timed,
// and slow it more the more windows were open.
HWND FindSubjectWindow(const Subject &subject, DWORD thread)
{
    ThreadSearch search = {&subject, nullptr};
    EnumThreadWindows(thread, MatchThreadWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// One start of the program up to its first matching window, and until that
// window's thread answers: a shown window whose thread is still busy showing
// it is not yet up for the user, and a window known by its caption would
// count that wait while one known by its class alone would not. The working
// set is read then, with the first window's creation and painting in it.
Run StartOnce(const Subject &subject)
{
    Run run;
    Process process;
    run.start = Now();
    if (!process.Start(subject.exe, subject.args))
        return run;
    while (Now() - run.start < 10) {
        if (HWND window = FindSubjectWindow(subject, process.MainThreadId())) {
            Sync(window, 2000);
            run.up = Now() - run.start;
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

// Which program a round starts at its turn: a start that follows the end of
// another program pays for some of that one's leaving, so each program must
// follow every other one as often. Round r walks the programs from r onwards
// in strides of one, two and so on, each stride sharing no factor with their
// count, so every round starts each program once; where the count is prime,
// as five and three are, each program comes right after each of the others
// once over the strides.
size_t ProgramAtTurn(int round, size_t turn, size_t count)
{
    std::vector<size_t> strides;
    for (size_t stride = 1; stride < count; ++stride) {
        size_t a = stride, b = count;
        while (b) {
            const size_t rest = a % b;
            a = b;
            b = rest;
        }
        if (a == 1)
            strides.push_back(stride);
    }
    if (strides.empty())
        return turn;
    const size_t r = static_cast<size_t>(round);
    return (r + turn * strides[r % strides.size()]) % count;
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

void Report(const Subject &program, const Medians &programRuns, const Subject &bare,
            const Medians &bareRuns)
{
    if (programRuns.up.empty() || bareRuns.up.empty()) {
        std::printf("%-12s no window appeared (%zu/%zu runs)\n", program.name.c_str(),
                    programRuns.up.size(), bareRuns.up.size());
        return;
    }
    const double p = Median(programRuns.up), b = Median(bareRuns.up);
    std::printf("%-12s start-up     %7.1f ms   %-11s %7.1f ms   ratio %.2f  (target <= 1.10, %d "
                "runs each)\n",
                program.name.c_str(), p * 1000, bare.name.c_str(), b * 1000, p / b, kRuns);
    const double pm = Median(programRuns.memory), bm = Median(bareRuns.memory);
    if (pm > 0 && bm > 0)
        std::printf(
            "%-12s peak working set %5.2f MiB  %-11s %5.2f MiB  ratio %.2f  (target <= 1.20)\n",
            program.name.c_str(), pm, bare.name.c_str(), bm, pm / bm);
    else
        std::printf("%-12s peak working set unreadable\n", program.name.c_str());
}

int Startup()
{
    // NT 4.0 lets Floppwright's drive check pass without a diskette drive.
    ScopedWindowsVersion nt4("nt40", "Floppwright.exe");
    enum { BareWindow, Launcher, BareDialog, Floppwright, Lingpick, kSubjects };
    const Subject subjects[kSubjects] = {
        {"bare window", CdPath("bare_window.exe"), "", "BareWindow", nullptr},
        {"launcher", CdPath("Setup.exe"), "", "Setup", nullptr},
        {"bare dialog", CdPath("Utility\\bare_dialog.exe"), "", "#32770", "Bare dialog"},
        {"Floppwright", CdPath("Utility\\Floppwright.exe"), "", "#32770", nullptr},
        {"Lingpick", CdPath("Utility\\Lingpick .exe"), "", "#32770", "Acrobat Setup"},
    };
    // One round of all first, not counted: the first start of an executable
    // pays for reading it from disk. Then every round starts each program
    // once, so that a program and its baseline meet the same load of the
    // machine, however it changes during the run, in an order that changes
    // from round to round (ProgramAtTurn).
    Medians runs[kSubjects];
    for (const Subject &subject : subjects)
        StartOnce(subject);
    for (int run = 0; run < kRuns; ++run)
        for (size_t turn = 0; turn < kSubjects; ++turn) {
            const size_t i = ProgramAtTurn(run, turn, kSubjects);
            runs[i].Add(StartOnce(subjects[i]));
        }
    Report(subjects[Launcher], runs[Launcher], subjects[BareWindow], runs[BareWindow]);
    Report(subjects[Floppwright], runs[Floppwright], subjects[BareDialog], runs[BareDialog]);
    Report(subjects[Lingpick], runs[Lingpick], subjects[BareDialog], runs[BareDialog]);
    std::fflush(stdout);
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

// Per stage, over the runs: milliseconds since CreateProcess, and since the
// stage before it in the same run (where its time goes). A stage stamped
// again in one run is counted apart as "name#2" and so on.
struct StageTimes {
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> at, step;
    // Stamps of one name in a row, such as a window's controls painting one
    // after another, make one stage that ends at the last of them.
    void AddRun(const std::vector<std::pair<std::string, double>> &stamps)
    {
        std::vector<std::pair<std::string, double>> stages;
        for (const auto &stamp : stamps) {
            if (!stages.empty() && stages.back().first == stamp.first)
                stages.back().second = stamp.second;
            else
                stages.push_back(stamp);
        }
        std::map<std::string, int> seen;
        double before = 0;
        for (const auto &stamp : stages) {
            std::string name = stamp.first;
            if (int n = ++seen[name]; n > 1)
                name += "#" + std::to_string(n);
            if (!at.count(name))
                order.push_back(name);
            at[name].push_back(stamp.second);
            step[name].push_back(stamp.second - before);
            before = stamp.second;
        }
    }
};

// Each start writes a log of its own: a program that has been killed can
// still hold its log open for a moment, and a log shared with the next start
// would then be neither deleted nor opened again.
void TimeStages(const std::vector<Subject> &subjects, const std::string &folder)
{
    std::vector<StageTimes> times(subjects.size());
    for (int run = -1; run < kRuns; ++run) {
        for (size_t turn = 0; turn < subjects.size(); ++turn) {
            const size_t i = ProgramAtTurn(run + 1, turn, subjects.size());
            const std::string log = folder + "ql_stages_" + std::to_string(run + 1) + "_" +
                std::to_string(turn) + ".log";
            DeleteFileA(log.c_str());
            SetEnvironmentVariableA("QL_STAGE_LOG", log.c_str());
            Run r = StartOnce(subjects[i]);
            if (run >= 0 && r.up >= 0) { // the first round only warms the file cache
                std::vector<std::pair<std::string, double>> stamps = ReadStamps(log, r.start);
                stamps.emplace_back("window-seen", r.up * 1000);
                times[i].AddRun(stamps);
            }
            DeleteFileA(log.c_str());
        }
    }
    for (size_t i = 0; i < subjects.size(); ++i) {
        std::printf("%s (medians over %d runs, ms)     after start   stage\n",
                    subjects[i].name.c_str(), kRuns);
        for (const std::string &name : times[i].order)
            std::printf("  %-24s %7.1f   %7.1f%s\n", name.c_str(), Median(times[i].at[name]),
                        Median(times[i].step[name]),
                        times[i].at[name].size() < static_cast<size_t>(kRuns)
                            ? "   (not in every run)"
                            : "");
    }
    std::fflush(stdout);
}

// Each program is up when a dialog box of its process shows and answers: the bare
// dialog's, Floppwright's product dialog (its main window has a class of its
// own), Lingpick's language dialog.
int Stages(const std::vector<std::string> &exes)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::vector<Subject> subjects;
    std::vector<std::unique_ptr<ScopedWindowsVersion>> versions;
    for (const std::string &exe : exes) {
        const size_t slash = exe.find_last_of('\\');
        const std::string name = exe.substr(slash == std::string::npos ? 0 : slash + 1);
        subjects.push_back({name, exe, "", "#32770", nullptr});
        // NT 4.0 lets Floppwright's drive check pass without a diskette drive.
        if (!_strnicmp(name.c_str(), "floppwright", 11))
            versions.push_back(std::make_unique<ScopedWindowsVersion>("nt40", name));
    }
    TimeStages(subjects, folder);
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
    std::printf(
        "menu text area repainted %ld time(s) during a sweep over %zu buttons (must be 1)\n",
        paints.Count(), buttons.size());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 2 && !std::strcmp(argv[1], "startup"))
        return Startup();
    if (argc >= 3 && !std::strcmp(argv[1], "stages")) {
        std::vector<std::string> exes;
        for (int i = 2; i < argc; ++i)
            exes.push_back(WindowsPathOfUnix(argv[i]));
        return Stages(exes);
    }
    if (argc >= 2 && !std::strcmp(argv[1], "repaints"))
        return Repaints();
    std::fprintf(stderr,
                 "usage: bench_driver startup | stages EXE..."
                 " | repaints\n");
    return 2;
}
