#include "image_tool/posix_host_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <ctime>

namespace {

// Linux names are UTF-8; the image writer takes names as Windows hands them
// over, one byte a character in the Latin-1 range of the ANSI code page. A
// character beyond it becomes "?", which no diskette name may hold, so the
// image is refused with the name rather than made with a garbled one.
std::string Latin1Of(const char *utf8)
{
    std::string out;
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(utf8); *p; p++) {
        if (*p < 0x80) {
            out += static_cast<char>(*p);
        } else if ((p[0] & 0xFE) == 0xC2 && (p[1] & 0xC0) == 0x80) {
            out += static_cast<char>((p[0] & 0x1F) << 6 | (p[1] & 0x3F));
            p++;
        } else {
            out += '?';
            while ((p[1] & 0xC0) == 0x80)
                p++;
        }
    }
    return out;
}

// The entry of folder named part: exactly, else under its Latin-1 name or
// in another case.
bool MatchPart(const std::string &folder, const std::string &part, std::string *out)
{
    struct stat info;
    std::string exact = folder + part;
    if (lstat(exact.c_str(), &info) == 0) {
        *out = exact;
        return true;
    }
    DIR *dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return false;
    bool found = false;
    while (dirent *entry = readdir(dir)) {
        if (strcasecmp(Latin1Of(entry->d_name).c_str(), part.c_str()) == 0) {
            *out = folder + entry->d_name;
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

} // namespace

DosTime DosTimeOf(long long unixSeconds)
{
    time_t seconds = static_cast<time_t>(unixSeconds);
    struct tm local;
    if (!localtime_r(&seconds, &local) || local.tm_year < 80)
        return {(0 << 9) | (1 << 5) | 1, 0}; // 1 January 1980, the earliest a diskette knows
    if (local.tm_year > 80 + 127)
        local.tm_year = 80 + 127;
    DosTime t;
    t.date =
        static_cast<uint16_t>((local.tm_year - 80) << 9 | (local.tm_mon + 1) << 5 | local.tm_mday);
    t.time = static_cast<uint16_t>(local.tm_hour << 11 | local.tm_min << 5 | local.tm_sec / 2);
    return t;
}

std::string PosixHostFiles::Resolve(const char *planPath)
{
    std::string path(planPath);
    for (char &c : path)
        if (c == '\\')
            c = '/';
    std::string resolved = path[0] == '/' ? "/" : "";
    size_t start = path[0] == '/' ? 1 : 0;
    while (start < path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        std::string part = path.substr(start, end - start);
        start = end + 1;
        if (part.empty())
            continue;
        std::string next;
        if (!MatchPart(resolved, part, &next))
            return "";
        resolved = next + (end < path.size() ? "/" : "");
    }
    return resolved;
}

bool PosixHostFiles::Find(const char *path, HostEntry &entry)
{
    std::string host = Resolve(path);
    // A link is not followed: it could bring in any file of the machine.
    struct stat info;
    if (host.empty() || lstat(host.c_str(), &info) != 0)
        return false;
    entry.folder = S_ISDIR(info.st_mode);
    entry.other = !entry.folder && !S_ISREG(info.st_mode);
    entry.size = static_cast<uint64_t>(info.st_size);
    // As Wine reports a Linux file: read-only when nobody may write it.
    entry.attributes = (info.st_mode & 0222) ? 0 : kAttributeReadOnly;
    entry.time = DosTimeOf(info.st_mtime);
    return true;
}

bool PosixHostFiles::ListFolder(const char *folder, Visit visit, void *context)
{
    std::string host = Resolve(folder);
    DIR *dir = host.empty() ? nullptr : opendir(host.c_str());
    if (!dir)
        return false;
    while (dirent *entry = readdir(dir)) {
        if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
            visit(context, Latin1Of(entry->d_name).c_str());
    }
    closedir(dir);
    return true;
}

bool PosixHostFiles::ReadFile(const char *path, uint8_t *data, uint32_t size)
{
    std::string host = Resolve(path);
    int fd = host.empty() ? -1 : open(host.c_str(), O_RDONLY | O_NOFOLLOW);
    if (fd < 0)
        return false;
    uint32_t done = 0;
    while (done < size) {
        ssize_t n = read(fd, data + done, size - done);
        if (n <= 0)
            break;
        done += static_cast<uint32_t>(n);
    }
    close(fd);
    return done == size;
}
