#include "windows/startup_files_win.h"

#include "windows/record_blocks.h"

bool Win32StartupFiles::WriteRecordFile(const char *path, int record)
{
    DWORD size;
    const BYTE *block = LoadRecordBlock(record, &size);
    if (!block || size != kStartupBlockBytes)
        return false;
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool whole = WriteFile(file, block, kStartupBlockBytes, &written, nullptr) &&
        written == kStartupBlockBytes;
    bool closed = CloseHandle(file) != FALSE;
    return whole && closed;
}
