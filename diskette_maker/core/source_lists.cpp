#include "core/source_lists.h"

#include <cstring>

#include "common/core/language_codes.h"
#include "common/core/text_builder.h"
#include "core/run_settings.h"

namespace {

const char *const kSetupFolder = "HD and CD-ROM";

const char *GuideName(Product product)
{
    switch (product) {
    case kProductHardDrive:
        return "HDGUIDE.DOC";
    case kProductCdromDrive:
        return "CDGUIDE.DOC";
    default:
        return "QLGUIDE.DOC";
    }
}

} // namespace

bool BuildProductSources(const char *cdRoot, Product product, bool msdosVariant, Language language,
                         ProductSources &out)
{
    memset(&out, 0, sizeof out);
    const char *folder = LanguageFolder(language, LetterCase::kLower);
    bool ok;
    if (product == kProductDisketteDrive) {
        ok = JoinText(out.product, kSourcePathSize, {cdRoot, "Diskette Drive\\*.*"});
    } else if (!msdosVariant) {
        ok =
            JoinText(out.product, kSourcePathSize, {cdRoot, kSetupFolder, "\\", folder, "\\*.*"}) &&
            JoinText(out.drivers, kSourcePathSize, {cdRoot, kSetupFolder, "\\Drivers"});
    } else {
        const char *dosFolder =
            product == kProductCdromDrive ? "\\MS-DOS CD-ROM\\*.*" : "\\MS-DOS Hard Drive\\*.*";
        ok = JoinText(out.product, kSourcePathSize, {cdRoot, kSetupFolder, dosFolder});
    }
    ok =
        ok && JoinText(out.guide, kSourcePathSize, {cdRoot, "User's Guides\\", GuideName(product)});
    if (ok && product != kProductDisketteDrive) {
        // The utility lives in the program's own folder below the CD root.
        ok = JoinText(out.testPort, kSourcePathSize, {cdRoot, "Utility\\testport.exe"}) &&
            JoinText(out.testPortNotes, kSourcePathSize, {cdRoot, "Utility\\testport.txt"});
    }
    return ok;
}
