#include "call_log.h"

#include "call_log_shared.h"
#include "wine_harness.h"

CallLog::CallLog()
{
    mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                  sizeof(CallLogSection), QL_CALL_LOG_MAPPING);
    if (mapping_)
        section_ = static_cast<CallLogSection *>(
            MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(CallLogSection)));
    if (section_)
        section_->driverPid = static_cast<LONG>(GetCurrentProcessId());
}

CallLog::~CallLog()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
    if (dll_)
        FreeLibrary(dll_);
    if (section_)
        UnmapViewOfFile(section_);
    if (mapping_)
        CloseHandle(mapping_);
}

bool CallLog::Attach(HWND window)
{
    if (!section_)
        return false;
    section_->hookedPid = 0;
    section_->cutModulePath = 0;
    Clear();
    dll_ = LoadLibraryA(qlh::WindowsPathOfUnix(QL_CALL_LOG_DLL).c_str());
    HOOKPROC proc = dll_
        ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void *>(GetProcAddress(dll_, "CallLogHook")))
        : nullptr;
    DWORD pid = 0;
    DWORD thread = GetWindowThreadProcessId(window, &pid);
    hook_ = proc ? SetWindowsHookExA(WH_GETMESSAGE, proc, dll_, thread) : nullptr;
    // The DLL comes in with the first message the program takes.
    return hook_ &&
        qlh::WaitUntil(
               [&] {
                   PostMessageA(window, WM_NULL, 0, 0);
                   return static_cast<DWORD>(section_->hookedPid) == pid;
               },
               5000);
}

void CallLog::CutModulePath()
{
    if (section_)
        InterlockedExchange(&section_->cutModulePath, 1);
}

void CallLog::Clear()
{
    if (!section_)
        return;
    LONG n = section_->count;
    for (LONG i = 0; i < n && i < CallLogCapacity; i++)
        section_->entries[i].ready = 0;
    InterlockedExchange(&section_->count, 0);
}

std::vector<LoggedCall> CallLog::Calls() const
{
    std::vector<LoggedCall> calls;
    if (!section_)
        return calls;
    for (LONG i = 0; i < section_->count && i < CallLogCapacity; i++) {
        const CallEntry &e = section_->entries[i];
        if (!e.ready)
            break;
        calls.push_back(LoggedCall{static_cast<int>(e.kind), reinterpret_cast<HWND>(e.window),
                                   static_cast<unsigned>(e.value), e.text});
    }
    return calls;
}

std::vector<std::string> CallLog::Drawn(HWND window, unsigned format) const
{
    std::vector<std::string> texts;
    for (const LoggedCall &call : Calls())
        if (call.kind == CallDrawText && call.window == window && call.flags == format)
            texts.push_back(call.text);
    return texts;
}

int CallLog::Played(const char *sound, unsigned flags) const
{
    int n = 0;
    for (const LoggedCall &call : Calls())
        n += call.kind == CallPlaySound && call.text == sound && call.flags == flags;
    return n;
}
