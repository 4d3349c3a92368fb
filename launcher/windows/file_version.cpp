#include "windows/file_version.h"

#include "core/reader_command.h"

BOOL ReadFileVersion(const char* path, DWORD* versionMS, DWORD* versionLS)
{
    *versionMS = 0;
    *versionLS = 0;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(const_cast<char*>(path), &ignored);
    if (size == 0)
        return FALSE;
    void* block = HeapAlloc(GetProcessHeap(), 0, size);
    if (block == NULL)
        return FALSE;
    if (GetFileVersionInfoA(const_cast<char*>(path), 0, size, block)) {
        VS_FIXEDFILEINFO* fixed = NULL;
        UINT length = 0;
        if (VerQueryValueA(block, const_cast<char*>("\\"), reinterpret_cast<void**>(&fixed), &length)
            && fixed != NULL && length >= sizeof *fixed) {
            *versionMS = fixed->dwFileVersionMS;
            *versionLS = fixed->dwFileVersionLS;
        }
    }
    HeapFree(GetProcessHeap(), 0, block);
    return TRUE;
}

BOOL AcrobatVersionAtLeast(DWORD required)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "AcroExch.Document\\shell\\open\\command", 0, KEY_READ, &key)
        != ERROR_SUCCESS)
        return FALSE;
    BOOL enough = FALSE;
    char command[kReaderCommandSize];
    DWORD size = sizeof command;
    DWORD type = 0;
    if (RegQueryValueExA(key, NULL, NULL, &type, reinterpret_cast<BYTE*>(command), &size) == ERROR_SUCCESS) {
        // The value need not end in a NUL; only the bytes returned count.
        char program[MAX_PATH];
        if (ExtractReaderProgram(command, size < sizeof command ? size : sizeof command, program, sizeof program)) {
            DWORD versionMS, versionLS;
            BOOL hasVersion = ReadFileVersion(program, &versionMS, &versionLS);
            enough = ReaderVersionSuffices(hasVersion != FALSE, versionMS, required);
        }
    }
    RegCloseKey(key);
    return enough;
}
