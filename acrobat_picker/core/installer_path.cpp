#include "core/installer_path.h"

#include <string.h>

namespace {

struct Installer {
    intptr_t result;
    const char *path;
};

// The folder names are code page 1252 bytes: n with tilde is 0xF1, c with
// cedilla 0xE7. The literals are split so no hex escape swallows a letter.
const Installer Installers[] = {
    { 9, "English\\ar500enu.exe" },
    { 10, "Espa\xF1" "ol\\ar405esl.exe" },
    { 12, "Fran\xE7" "ais\\ar500fra.exe" },
};

// Appends `tail` to the string in `buf`; false, and nothing appended, when
// the result would not fit `size`.
bool Append(char *buf, size_t size, const char *tail)
{
    size_t have = strlen(buf), add = strlen(tail);
    if (have + add >= size)
        return false;
    memcpy(buf + have, tail, add + 1);
    return true;
}

} // namespace

const char *InstallerForResult(intptr_t result)
{
    for (const Installer &i : Installers)
        if (i.result == result)
            return i.path;
    return nullptr;
}

void CutAtLastBackslash(char *path)
{
    char *last = strrchr(path, '\\');
    if (last)
        *last = '\0';
}

bool AcrobatFolder(const char *modulePath, char *folder, size_t size)
{
    if (size == 0)
        return false;
    folder[0] = '\0';
    if (!Append(folder, size, modulePath))
        return false;
    CutAtLastBackslash(folder);
    CutAtLastBackslash(folder);
    if (!Append(folder, size, "\\Acrobat\\")) {
        folder[0] = '\0';
        return false;
    }
    return true;
}

bool InstallerPath(const char *folder, intptr_t result, char *path, size_t size)
{
    const char *installer = InstallerForResult(result);
    if (size == 0)
        return false;
    path[0] = '\0';
    if (!installer || !Append(path, size, folder) || !Append(path, size, installer)) {
        path[0] = '\0';
        return false;
    }
    return true;
}
