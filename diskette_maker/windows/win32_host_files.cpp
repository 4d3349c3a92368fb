#include "windows/win32_host_files.h"

#include "common/core/text_builder.h"
#include "windows/record_blocks.h"

namespace {

const DWORD kKeptAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

DosTime DosTimeOf(const FILETIME &written)
{
    FILETIME local;
    WORD date = 0, time = 0;
    if (!FileTimeToLocalFileTime(&written, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        return {(1 << 5) | 1, 0}; // 1 January 1980, the earliest a diskette knows
    return {date, time};
}

} // namespace

// FindFirstFileA rather than GetFileAttributesExA, which Windows 95 lacks.
bool Win32HostFiles::Find(const char *path, HostEntry &entry)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    entry.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.other = false;
    entry.size = static_cast<uint64_t>(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
    entry.attributes = static_cast<uint8_t>(found.dwFileAttributes & kKeptAttributes);
    entry.time = DosTimeOf(found.ftLastWriteTime);
    return true;
}

bool Win32HostFiles::ListFolder(const char *folder, Visit visit, void *context)
{
    char pattern[MAX_PATH];
    if (!JoinText(pattern, sizeof pattern, {folder, "\\*.*"}))
        return false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (lstrcmpA(found.cFileName, ".") != 0 && lstrcmpA(found.cFileName, "..") != 0)
            visit(context, found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

bool Win32HostFiles::ReadFile(const char *path, uint8_t *data, uint32_t size)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD read = 0;
    BOOL ok = ::ReadFile(file, data, size, &read, nullptr);
    CloseHandle(file);
    return ok && read == size;
}

const uint8_t *ResourceRecords::Record(int id, uint32_t *size)
{
    DWORD bytes = 0;
    const BYTE *block = LoadRecordBlock(id, &bytes);
    *size = bytes;
    return block;
}
