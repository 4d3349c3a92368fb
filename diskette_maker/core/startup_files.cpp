#include "core/startup_files.h"

#include <cstring>

#include "common/core/text_builder.h"
#include "core/path_list.h"
#include "core/platform_kind.h"
#include "resource.h"

enum { kPathBytes = 260 };

const char *const kEmergencyBootFiles[kEmergencyBootFileCount] = {"IO.SYS", "COMMAND.COM"};
const char *const kBiosSystemFile = kEmergencyBootFiles[0];
const char *const kEmptySystemFile = "MSDOS.SYS";

int ConfigRecordFor(Product product)
{
    switch (product) {
    case kProductHardDrive:
        return IDR_CONFIG_HARD_DRIVE;
    case kProductCdromDrive:
        return IDR_CONFIG_CDROM;
    case kProductDisketteDrive:
        return IDR_CONFIG_DISKETTE;
    default:
        return 0;
    }
}

bool WritesAutoexec(Product product)
{
    return product == kProductCdromDrive;
}

int StartupFilesFor(Product product, StartupFile (&files)[kMaxStartupFiles])
{
    int config = ConfigRecordFor(product);
    if (config == 0)
        return 0;
    files[0] = {"CONFIG.SYS", config};
    if (!WritesAutoexec(product))
        return 1;
    files[1] = {"AUTOEXEC.BAT", IDR_AUTOEXEC_CDROM};
    return 2;
}

bool WriteStartupFiles(const char *root, Product product, StartupFileWriter &writer)
{
    StartupFile files[kMaxStartupFiles];
    int count = StartupFilesFor(product, files);
    for (int i = 0; i < count; i++) {
        char path[kPathBytes];
        if (!JoinText(path, sizeof path, {root, files[i].name}) ||
            !writer.WriteRecordFile(path, files[i].record))
            return false;
    }
    return count > 0;
}

bool BootableStepApplies(int platformKind, bool startupDiskOption)
{
    return platformKind != kPlatformNtLater && startupDiskOption;
}

namespace {

// folder + tail into a kPathBytes buffer; false if it would not fit. A folder
// that already ends in a backslash (a Windows installed in a drive's root)
// does not get a second one.
bool JoinPath(char *out, const char *folder, const char *tail)
{
    size_t length = strlen(folder);
    if (length > 0 && folder[length - 1] == '\\' && tail[0] == '\\')
        tail++;
    return JoinText(out, kPathBytes, {folder, tail});
}

} // namespace

bool EmergencyBootFolder(const char *windowsDir, char *out)
{
    return JoinPath(out, windowsDir, "\\Command\\Ebd");
}

bool BuildSystemFileSources(const char *windowsDir, char *list, size_t capacity)
{
    char folder[kPathBytes], paths[kEmergencyBootFileCount][kPathBytes];
    if (!EmergencyBootFolder(windowsDir, folder))
        return false;
    size_t needed = PathListBytes(list, capacity);
    if (needed == 0)
        return false;
    for (int i = 0; i < kEmergencyBootFileCount; i++) {
        if (!JoinText(paths[i], sizeof paths[i], {folder, "\\", kEmergencyBootFiles[i]}))
            return false;
        needed += strlen(paths[i]) + 1;
    }
    if (needed > capacity)
        return false;
    for (const char *path : paths)
        AppendToPathList(list, path, capacity);
    return true;
}
