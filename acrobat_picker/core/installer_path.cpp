#include "core/installer_path.h"

#include "common/core/system_language.h"
#include "common/core/text_builder.h"

namespace {

struct Installer {
    std::intptr_t result;
    const char *path;
};

// The folder names are code page 1252 bytes: n with tilde is 0xF1, c with
// cedilla 0xE7. The literals are split so no hex escape swallows a letter.
const Installer kInstallers[] = {
    {kPrimaryEnglish, "English\\ar500enu.exe"},
    {kPrimarySpanish,
     "Espa\xF1"
     "ol\\ar405esl.exe"},
    {kPrimaryFrench,
     "Fran\xE7"
     "ais\\ar500fra.exe"},
};

} // namespace

const char *InstallerForResult(std::intptr_t result)
{
    for (const Installer &i : kInstallers)
        if (i.result == result)
            return i.path;
    return nullptr;
}

bool AcrobatFolder(const char *modulePath, char *folder, std::size_t size)
{
    // The module path is taken whole before it is cut, so one that does not
    // fit is refused even where its folder would.
    TextBuilder b(folder, size);
    b.Add(modulePath).CutAtLast('\\').CutAtLast('\\').Add("\\Acrobat\\");
    return b.Finish();
}

bool InstallerPath(const char *folder, std::intptr_t result, char *path, std::size_t size)
{
    const char *installer = InstallerForResult(result);
    TextBuilder b(path, size);
    if (installer)
        b.Add(folder).Add(installer);
    else
        b.Fail();
    return b.Finish();
}
