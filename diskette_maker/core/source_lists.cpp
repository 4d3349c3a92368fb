#include "core/source_lists.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const SetupFolder = "HD and CD-ROM";

// snprintf into a path buffer; false when the text was cut.
template <typename... Args>
bool Format(char (&out)[SourcePathSize], const char* format, Args... args)
{
    int written = snprintf(out, sizeof out, format, args...);
    return written >= 0 && static_cast<size_t>(written) < sizeof out;
}

const char* GuideName(int product)
{
    switch (product) {
    case 1: return "HDGUIDE.DOC";
    case 2: return "CDGUIDE.DOC";
    default: return "QLGUIDE.DOC";
    }
}

}  // namespace

const char* LanguageFolder(int language)
{
    switch (language) {
    case 2: return "000a";
    case 3: return "000c";
    default: return "0009";
    }
}

bool BuildProductSources(const char* cdRoot, int product, bool msdosVariant,
                         int language, ProductSources& out)
{
    memset(&out, 0, sizeof out);
    bool ok;
    if (product == 3) {
        ok = Format(out.product, "%sDiskette Drive\\*.*", cdRoot);
    } else if (!msdosVariant) {
        ok = Format(out.product, "%s%s\\%s\\*.*", cdRoot, SetupFolder, LanguageFolder(language)) &&
             Format(out.drivers, "%s%s\\Drivers", cdRoot, SetupFolder);
    } else {
        const char* dosFolder = product == 2 ? "MS-DOS CD-ROM" : "MS-DOS Hard Drive";
        ok = Format(out.product, "%s%s\\%s\\*.*", cdRoot, SetupFolder, dosFolder);
    }
    ok = ok && Format(out.guide, "%sUser's Guides\\%s", cdRoot, GuideName(product));
    if (ok && product != 3) {
        // The root without its trailing backslash, then the utility's folder.
        int rootLength = static_cast<int>(strlen(cdRoot)) - 1;
        ok = Format(out.testPort, "%.*s\\Utility\\testport.exe", rootLength, cdRoot) &&
             Format(out.testPortNotes, "%.*s\\Utility\\testport.txt", rootLength, cdRoot);
    }
    return ok;
}
