#include "windows/file_version.h"

#include "core/reader_command.h"

bool ReadFileVersion(const char *path, DWORD *versionMS, DWORD *versionLS)
{
    *versionMS = 0;
    *versionLS = 0;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(const_cast<char *>(path), &ignored);
    if (size == 0)
        return false;
    void *block = HeapAlloc(GetProcessHeap(), 0, size);
    if (block == nullptr)
        return false;
    if (GetFileVersionInfoA(const_cast<char *>(path), 0, size, block)) {
        VS_FIXEDFILEINFO *fixed = nullptr;
        UINT length = 0;
        if (VerQueryValueA(block, const_cast<char *>("\\"), reinterpret_cast<void **>(&fixed), &length)
            && fixed != nullptr && length >= sizeof *fixed) {
            *versionMS = fixed->dwFileVersionMS;
            *versionLS = fixed->dwFileVersionLS;
        }
    }
    HeapFree(GetProcessHeap(), 0, block);
    return true;
}

bool AcrobatVersionAtLeast(DWORD required)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "AcroExch.Document\\shell\\open\\command", 0, KEY_READ, &key)
        != ERROR_SUCCESS)
        return false;
    bool enough = false;
    char command[kReaderCommandSize];
    DWORD size = sizeof command;
    DWORD type = 0;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE *>(command), &size) == ERROR_SUCCESS) {
        // The value need not end in a NUL; only the bytes returned count.
        char program[MAX_PATH];
        if (ExtractReaderProgram(command, size < sizeof command ? size : sizeof command, program, sizeof program)) {
            DWORD versionMS, versionLS;
            bool hasVersion = ReadFileVersion(program, &versionMS, &versionLS);
            enough = ReaderVersionSuffices(hasVersion, versionMS, required);
        }
    }
    RegCloseKey(key);
    return enough;
}
