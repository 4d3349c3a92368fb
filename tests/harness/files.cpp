// File and folder helpers for fixtures: temporary folders, copies of the
// fake CD, recorders placed at program paths.

#include "wine_harness.h"

#include <algorithm>

namespace qlh {

namespace {

std::string WithoutTrailingBackslash(std::string path)
{
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string ParentOf(const std::string &path)
{
    std::string p = WithoutTrailingBackslash(path);
    size_t slash = p.find_last_of('\\');
    return slash == std::string::npos ? std::string() : p.substr(0, slash);
}

} // namespace

TempDir::TempDir()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static LONG counter = 0;
    for (;;) {
        char name[MAX_PATH + 64];
        wsprintfA(name, "%sqlh-%lu-%ld\\", base, GetCurrentProcessId(),
                  InterlockedIncrement(&counter));
        if (CreateDirectoryA(name, nullptr)) {
            path_ = name;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return;
    }
}

TempDir::~TempDir()
{
    if (!path_.empty())
        RemoveTree(path_);
}

bool FileExists(const std::string &path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string &path)
{
    DWORD attributes = GetFileAttributesA(WithoutTrailingBackslash(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD FileAttributes(const std::string &path)
{
    return GetFileAttributesA(WithoutTrailingBackslash(path).c_str());
}

bool ReadWholeFile(const std::string &path, std::string *contents)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    contents->clear();
    char buffer[65536];
    DWORD got = 0;
    bool ok = true;
    for (;;) {
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        contents->append(buffer, got);
    }
    CloseHandle(file);
    return ok;
}

bool WriteWholeFile(const std::string &path, const std::string &contents)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok =
        WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
        written == contents.size();
    CloseHandle(file);
    return ok;
}

bool MakeDirectories(const std::string &path)
{
    std::string p = WithoutTrailingBackslash(path);
    if (p.empty() || DirectoryExists(p))
        return true;
    std::string parent = ParentOf(p);
    if (!parent.empty() && parent != p && !MakeDirectories(parent))
        return false;
    return CreateDirectoryA(p.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::vector<std::string> ListDirectory(const std::string &path)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((WithoutTrailingBackslash(path) + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            name += '\\';
        names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool CopyTree(const std::string &from, const std::string &to)
{
    std::string source = WithoutTrailingBackslash(from);
    std::string target = WithoutTrailingBackslash(to);
    if (!DirectoryExists(source)) {
        MakeDirectories(ParentOf(target));
        return CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE;
    }
    // Listed before the target exists, so that a copy into a folder of the
    // source does not copy itself over and over.
    std::vector<std::string> names = ListDirectory(source);
    if (!MakeDirectories(target))
        return false;
    bool ok = true;
    for (const std::string &name : names) {
        std::string plain = WithoutTrailingBackslash(name);
        ok = CopyTree(source + "\\" + plain, target + "\\" + plain) && ok;
    }
    return ok;
}

bool RemoveTree(const std::string &path)
{
    std::string p = WithoutTrailingBackslash(path);
    DWORD attributes = GetFileAttributesA(p.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    SetFileAttributesA(p.c_str(), attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return DeleteFileA(p.c_str()) != FALSE;
    bool ok = true;
    for (const std::string &name : ListDirectory(p))
        ok = RemoveTree(p + "\\" + WithoutTrailingBackslash(name)) && ok;
    return RemoveDirectoryA(p.c_str()) && ok;
}

bool InstallRecorder(const std::string &path)
{
    return MakeDirectories(ParentOf(path)) &&
        CopyFileA(RecorderExe().c_str(), path.c_str(), FALSE) != FALSE;
}

} // namespace qlh
