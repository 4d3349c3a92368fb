// Programs under test run in a job object that kills them, and whatever
// they started, when the job handle closes: a test that fails or times out
// leaves no window behind to confuse the next one.

#include "wine_harness.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace qlh {

Process::Process() = default;

Process::~Process()
{
    Kill();
    if (process_)
        CloseHandle(process_);
    if (job_)
        CloseHandle(job_);
}

bool Process::Start(const std::string &exe, const std::string &args, const std::string &workdir)
{
    std::string command_line = "\"" + exe + "\"";
    if (!args.empty())
        command_line += " " + args;
    return StartCommandLine(command_line, workdir);
}

bool Process::StartCommandLine(const std::string &command_line, const std::string &workdir)
{
    if (process_)
        return false;  // one program per Process
    RecorderLogPath(); // settles the log path the child inherits
    job_ = CreateJobObjectA(nullptr, nullptr);
    if (!job_)
        return false;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);

    // CreateProcess may write into the command line.
    std::vector<char> buffer(command_line.begin(), command_line.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // A start that fails has run nothing of the program, so it is tried
    // again; each failure is told, so that a log shows what Wine refused.
    bool started = false;
    for (int attempt = 1; attempt <= 3 && !started; ++attempt) {
        std::vector<char> line = buffer;
        started =
            CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                           workdir.empty() ? nullptr : workdir.c_str(), &startup, &info) != FALSE;
        if (!started)
            fprintf(stderr, "harness: start %d of %s failed, error %lu\n", attempt,
                    command_line.c_str(), GetLastError());
    }
    if (!started)
        return false;
    // Assigned before the first instruction runs, so even its earliest
    // children belong to the job.
    AssignProcessToJobObject(job_, info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    main_thread_id_ = info.dwThreadId;
    return true;
}

bool Process::WaitExit(DWORD timeout_ms, DWORD *exit_code)
{
    if (!process_)
        return false;
    if (WaitForSingleObject(process_, Patient(timeout_ms)) != WAIT_OBJECT_0)
        return false;
    if (exit_code)
        *exit_code = ExitCode();
    return true;
}

bool Process::Running() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD Process::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (process_)
        GetExitCodeProcess(process_, &code);
    return code;
}

// Terminating a job only asks for its processes to end.  Until each of them
// has ended and its windows are gone, the next test's program could still
// find them: the launcher, for one, would bring the old menu forward and
// end.  So Kill returns only when nothing of the job is left.
void Process::Kill()
{
    if (!job_)
        return;
    std::vector<HANDLE> members;
    std::vector<DWORD> pids = JobPids();
    for (DWORD pid : pids)
        if (HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid))
            members.push_back(h);
    TerminateJobObject(job_, 1);
    for (HANDLE h : members) {
        WaitForSingleObject(h, kEndTimeoutMs);
        CloseHandle(h);
    }
    if (process_)
        WaitForSingleObject(process_, kEndTimeoutMs);
    WaitUntil([&] { return JobProcessCount() == 0; }, kEndTimeoutMs);
    if (pid_)
        pids.push_back(pid_);
    WaitUntil(
        [&] {
            for (DWORD pid : pids)
                if (!FindTopWindows(WindowQuery{nullptr, nullptr, pid, false}).empty())
                    return false;
            return true;
        },
        kEndTimeoutMs);
}

std::vector<DWORD> Process::JobPids() const
{
    // Room for far more processes than a test starts; the list is cut, not
    // overrun, past that.
    struct {
        JOBOBJECT_BASIC_PROCESS_ID_LIST header;
        ULONG_PTR more[63];
    } list = {};
    list.header.NumberOfAssignedProcesses = 64;
    std::vector<DWORD> pids;
    if (!job_ ||
        !QueryInformationJobObject(job_, JobObjectBasicProcessIdList, &list, sizeof list, nullptr))
        return pids;
    ULONG count = list.header.NumberOfProcessIdsInList;
    for (ULONG i = 0; i < count && i < 64; ++i)
        pids.push_back(static_cast<DWORD>(list.header.ProcessIdList[i]));
    return pids;
}

int Process::JobProcessCount() const
{
    if (!job_)
        return 0;
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
    if (!QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &accounting,
                                   sizeof accounting, nullptr))
        return -1;
    return static_cast<int>(accounting.ActiveProcesses);
}

int Process::JobProcessesStarted() const
{
    if (!job_)
        return 0;
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
    if (!QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &accounting,
                                   sizeof accounting, nullptr))
        return -1;
    return static_cast<int>(accounting.TotalProcesses);
}

DWORD Patient(DWORD timeout_ms)
{
    static const DWORD scale = [] {
        char text[16] = "";
        GetEnvironmentVariableA("QL_WAIT_SCALE", text, sizeof text);
        int value = atoi(text);
        return value > 0 ? static_cast<DWORD>(value) : 4u;
    }();
    return timeout_ms > INFINITE / scale ? INFINITE : timeout_ms * scale;
}

bool WaitUntil(const std::function<bool()> &condition, DWORD timeout_ms)
{
    return Poll(condition, Patient(timeout_ms));
}

bool Poll(const std::function<bool()> &condition, DWORD timeout_ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= timeout_ms)
            return false;
        Sleep(10);
    }
}

bool StartsNothingWithin(const Process &process, DWORD observe_ms)
{
    const int started = process.JobProcessesStarted();
    return !Poll(
        [&] { return process.JobProcessesStarted() != started || !ReadRecorderLog().empty(); },
        observe_ms);
}

} // namespace qlh
