// Where the fake CD, the floppy and our helper programs are.

#include "wine_harness.h"

#include <winioctl.h>

#include <cstdlib>
#include <cstring>

namespace qlh {

namespace {

std::string FromEnvironment(const char *name, const char *fallback)
{
    char value[MAX_PATH];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    if (n == 0 || n >= sizeof value)
        return fallback;
    return value;
}

std::string WithTrailingBackslash(std::string path)
{
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path;
}

} // namespace

std::string Ansi(const std::string &utf8)
{
    int wide_length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wide_length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0],
                        wide_length);
    int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_length, &ansi[0], length, nullptr, nullptr);
    return ansi;
}

std::string WindowsPathOfUnix(const std::string &unix_path)
{
    std::string path = "Z:" + unix_path;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string CdRoot()
{
    return WithTrailingBackslash(FromEnvironment("QL_CD_ROOT", "D:\\"));
}

std::string CdPath(const std::string &relative)
{
    return CdRoot() + relative;
}

std::string FloppyRoot()
{
    return WithTrailingBackslash(FromEnvironment("QL_FLOPPY_ROOT", "A:\\"));
}

std::string RecorderExe()
{
    return WindowsPathOfUnix(QL_RECORDER_EXE);
}

std::string TestWindowExe()
{
    return WindowsPathOfUnix(QL_TESTWINDOW_EXE);
}

LANGID SystemLanguage()
{
    return GetSystemDefaultLangID();
}

// Wine's mount manager keeps the type of each drive letter. This sets the
// type of A: (the build's floppy folder) with the request that Wine's own
// configuration tool sends, IOCTL_MOUNTMGR_DEFINE_UNIX_DRIVE; DRIVE_NO_ROOT_DIR
// takes the letter away.
bool SetTypeOfDriveA(DWORD type)
{
    struct UnixDrive {
        ULONG size, type, fsType;
        DWORD serial;
        ULONGLONG unixDevice;
        WCHAR letter;
        USHORT mountPointOffset, deviceOffset, labelOffset;
    };
    const char *build = getenv("BUILD");
    std::string folder = std::string(build ? build : "") + "/floppy";
    std::vector<char> request(sizeof(UnixDrive) + folder.size() + 1, 0);
    UnixDrive *drive = reinterpret_cast<UnixDrive *>(request.data());
    drive->size = static_cast<ULONG>(request.size());
    drive->type = type;
    drive->letter = L'a';
    drive->mountPointOffset = sizeof(UnixDrive);
    memcpy(request.data() + sizeof(UnixDrive), folder.c_str(), folder.size() + 1);
    HANDLE manager =
        CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD returned = 0;
    BOOL ok = build &&
        DeviceIoControl(manager,
                        CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS),
                        request.data(), drive->size, nullptr, 0, &returned, nullptr);
    CloseHandle(manager);
    return ok && GetDriveTypeA("A:\\") == type;
}

} // namespace qlh
