#include "core/source_lists.h"

#include <cstring>
#include <initializer_list>

#include "common/core/language_codes.h"
#include "core/run_settings.h"

namespace {

const char* const kSetupFolder = "HD and CD-ROM";

// Joins the pieces into a path buffer; false when they would not fit. (No
// printf here: the shipping program has no room for the C runtime's.)
bool Join(char (&out)[kSourcePathSize], std::initializer_list<const char*> pieces)
{
    size_t length = 0;
    for (const char* piece : pieces) {
        size_t n = strlen(piece);
        if (length + n >= sizeof out)
            return false;
        memcpy(out + length, piece, n);
        length += n;
    }
    out[length] = '\0';
    return true;
}

const char* GuideName(int product)
{
    switch (product) {
    case kProductHardDrive: return "HDGUIDE.DOC";
    case kProductCdromDrive: return "CDGUIDE.DOC";
    default: return "QLGUIDE.DOC";
    }
}

}  // namespace

bool BuildProductSources(const char* cdRoot, int product, bool msdosVariant,
                         int language, ProductSources& out)
{
    memset(&out, 0, sizeof out);
    const char* folder = LanguageFolder(language, LetterCase::kLower);
    bool ok;
    if (product == kProductDisketteDrive) {
        ok = Join(out.product, {cdRoot, "Diskette Drive\\*.*"});
    } else if (!msdosVariant) {
        ok = Join(out.product, {cdRoot, kSetupFolder, "\\", folder, "\\*.*"}) &&
             Join(out.drivers, {cdRoot, kSetupFolder, "\\Drivers"});
    } else {
        const char* dosFolder = product == kProductCdromDrive ? "\\MS-DOS CD-ROM\\*.*" : "\\MS-DOS Hard Drive\\*.*";
        ok = Join(out.product, {cdRoot, kSetupFolder, dosFolder});
    }
    ok = ok && Join(out.guide, {cdRoot, "User's Guides\\", GuideName(product)});
    if (ok && product != kProductDisketteDrive) {
        // The utility lives in the program's own folder below the CD root.
        ok = Join(out.testPort, {cdRoot, "Utility\\testport.exe"}) &&
             Join(out.testPortNotes, {cdRoot, "Utility\\testport.txt"});
    }
    return ok;
}
