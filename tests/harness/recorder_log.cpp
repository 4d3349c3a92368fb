// The recorder's log: one line per start, "<module>\t<command line>\r\n".
// The log path travels to the recorders through the environment that every
// program under test inherits from the driver.

#include "wine_harness.h"

namespace qlh {

namespace {

std::string DefaultLogPath()
{
    char base[MAX_PATH];
    DWORD n = GetTempPathA(sizeof base, base);
    if (n == 0 || n >= sizeof base)
        return "C:\\ql-recorder.log";
    return std::string(base) + "ql-recorder.log";
}

} // namespace

std::string RecorderLogPath()
{
    char value[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("QL_RECORDER_LOG", value, sizeof value);
    if (n > 0 && n < sizeof value)
        return value;
    // Fixed for the rest of the run, so that every child writes where the
    // driver reads.
    std::string path = DefaultLogPath();
    SetEnvironmentVariableA("QL_RECORDER_LOG", path.c_str());
    return path;
}

std::vector<RecorderEntry> ReadRecorderLog()
{
    std::vector<RecorderEntry> entries;
    std::string log;
    if (!ReadWholeFile(RecorderLogPath(), &log))
        return entries;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find("\r\n", start);
        if (end == std::string::npos)
            break; // a line still being written
        std::string line = log.substr(start, end - start);
        size_t tab = line.find('\t');
        RecorderEntry entry;
        entry.module = line.substr(0, tab);
        if (tab != std::string::npos)
            entry.command_line = line.substr(tab + 1);
        entries.push_back(entry);
        start = end + 2;
    }
    return entries;
}

void ClearRecorderLog()
{
    DeleteFileA(RecorderLogPath().c_str());
}

std::vector<RecorderEntry> WaitRecorderEntries(size_t count, DWORD timeout_ms)
{
    std::vector<RecorderEntry> entries;
    WaitUntil(
        [&] {
            entries = ReadRecorderLog();
            return entries.size() >= count;
        },
        timeout_ms);
    return entries;
}

} // namespace qlh
