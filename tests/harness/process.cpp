// Programs under test run in a job object that kills them, and whatever
// they started, when the job handle closes: a test that fails or times out
// leaves no window behind to confuse the next one.

#include "wine_harness.h"

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

bool Process::Start(const std::string& exe, const std::string& args,
                    const std::string& workdir)
{
    std::string command_line = "\"" + exe + "\"";
    if (!args.empty())
        command_line += " " + args;
    return StartCommandLine(command_line, workdir);
}

bool Process::StartCommandLine(const std::string& command_line,
                               const std::string& workdir)
{
    if (process_)
        return false;  // one program per Process
    RecorderLogPath();  // settles the log path the child inherits
    job_ = CreateJobObjectA(nullptr, nullptr);
    if (!job_)
        return false;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation,
                            &limits, sizeof limits);

    // CreateProcess may write into the command line.
    std::vector<char> buffer(command_line.begin(), command_line.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED, nullptr,
                        workdir.empty() ? nullptr : workdir.c_str(),
                        &startup, &info))
        return false;
    // Assigned before the first instruction runs, so even its earliest
    // children belong to the job.
    AssignProcessToJobObject(job_, info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    return true;
}

bool Process::WaitExit(DWORD timeout_ms, DWORD* exit_code)
{
    if (!process_)
        return false;
    if (WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0)
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

void Process::Kill()
{
    if (job_)
        TerminateJobObject(job_, 1);
    if (process_)
        WaitForSingleObject(process_, 5000);
}

int Process::JobProcessCount() const
{
    if (!job_)
        return 0;
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
    if (!QueryInformationJobObject(job_, JobObjectBasicAccountingInformation,
                                   &accounting, sizeof accounting, nullptr))
        return -1;
    return static_cast<int>(accounting.ActiveProcesses);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms)
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

}  // namespace qlh
