// Stands in for every program the programs under test start: it appends
// its own path and its whole command line to a log and ends with 0.  Tests
// read the log to see what was started, and how.
//
// The log is QL_RECORDER_LOG, else "ql-recorder.log" in the temporary
// folder.  Several recorders may start at once, so each append happens under
// a named mutex and in one write.

#include <windows.h>

namespace {

const char kLogVariable[] = "QL_RECORDER_LOG";

bool LogPath(char *path, DWORD size)
{
    DWORD n = GetEnvironmentVariableA(kLogVariable, path, size);
    if (n > 0 && n < size)
        return true;
    n = GetTempPathA(size, path);
    if (n == 0 || n + sizeof "ql-recorder.log" > size)
        return false;
    lstrcatA(path, "ql-recorder.log");
    return true;
}

void AppendLine(const char *path, const char *line, DWORD length)
{
    HANDLE lock = CreateMutexA(nullptr, FALSE, "ql-recorder-log");
    if (lock)
        WaitForSingleObject(lock, 10000);
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        SetFilePointer(file, 0, nullptr, FILE_END);
        DWORD written = 0;
        WriteFile(file, line, length, &written, nullptr);
        CloseHandle(file);
    }
    if (lock) {
        ReleaseMutex(lock);
        CloseHandle(lock);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH];
    if (!LogPath(path, sizeof path))
        return 0;
    char module[MAX_PATH];
    DWORD module_length = GetModuleFileNameA(nullptr, module, sizeof module);
    if (module_length >= sizeof module)
        module_length = sizeof module - 1;
    module[module_length] = '\0';

    const char *command_line = GetCommandLineA();
    DWORD command_length = lstrlenA(command_line);
    DWORD length = module_length + 1 + command_length + 2;
    char *line = static_cast<char *>(HeapAlloc(GetProcessHeap(), 0, length));
    if (!line)
        return 0;
    CopyMemory(line, module, module_length);
    line[module_length] = '\t';
    CopyMemory(line + module_length + 1, command_line, command_length);
    line[length - 2] = '\r';
    line[length - 1] = '\n';
    AppendLine(path, line, length);
    HeapFree(GetProcessHeap(), 0, line);
    return 0;
}
