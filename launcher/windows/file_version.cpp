#include "windows/file_version.h"

#include "core/reader_command.h"
#include "common/windows/system_library.h"

namespace {

typedef DWORD(WINAPI *VersionSizeFunction)(LPCSTR, LPDWORD);
typedef BOOL(WINAPI *VersionInfoFunction)(LPCSTR, DWORD, DWORD, LPVOID);
typedef BOOL(WINAPI *VersionValueFunction)(LPCVOID, LPCSTR, LPVOID *, PUINT);

} // namespace

bool ReadFileVersion(const char *path, DWORD *versionMS, DWORD *versionLS)
{
    *versionMS = 0;
    *versionLS = 0;
    VersionSizeFunction versionSize =
        SystemFunction<VersionSizeFunction>(kVersion, "GetFileVersionInfoSizeA");
    VersionInfoFunction versionInfo =
        SystemFunction<VersionInfoFunction>(kVersion, "GetFileVersionInfoA");
    VersionValueFunction versionValue =
        SystemFunction<VersionValueFunction>(kVersion, "VerQueryValueA");
    if (!versionSize || !versionInfo || !versionValue)
        return false;
    DWORD ignored = 0;
    DWORD size = versionSize(path, &ignored);
    if (size == 0)
        return false;
    void *block = HeapAlloc(GetProcessHeap(), 0, size);
    if (block == nullptr)
        return false;
    if (versionInfo(path, 0, size, block)) {
        VS_FIXEDFILEINFO *fixed = nullptr;
        UINT length = 0;
        if (versionValue(block, "\\", reinterpret_cast<void **>(&fixed), &length) &&
            fixed != nullptr && length >= sizeof *fixed) {
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
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "AcroExch.Document\\shell\\open\\command", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return false;
    bool enough = false;
    char command[kReaderCommandSize];
    DWORD size = sizeof command;
    DWORD type = 0;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE *>(command), &size) ==
        ERROR_SUCCESS) {
        // The value need not end in a NUL; only the bytes returned count.
        char program[MAX_PATH];
        if (ExtractReaderProgram(command, size < sizeof command ? size : sizeof command, program,
                                 sizeof program)) {
            DWORD versionMS, versionLS;
            bool hasVersion = ReadFileVersion(program, &versionMS, &versionLS);
            enough = ReaderVersionSuffices(hasVersion, versionMS, required);
        }
    }
    RegCloseKey(key);
    return enough;
}
