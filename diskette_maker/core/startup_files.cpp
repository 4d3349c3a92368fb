#include "core/startup_files.h"

#include <cstring>

#include "common/core/text_builder.h"
#include "core/path_list.h"
#include "core/platform_kind.h"
#include "core/run_settings.h"
#include "resource.h"

enum { kPathBytes = 260 };

int ConfigRecordFor(int32_t productChoice)
{
    switch (productChoice) {
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

bool WritesAutoexec(int32_t productChoice)
{
    return productChoice == kProductCdromDrive;
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
    char folder[kPathBytes], ioSys[kPathBytes], commandCom[kPathBytes];
    if (!EmergencyBootFolder(windowsDir, folder) || !JoinPath(ioSys, folder, "\\IO.SYS") ||
        !JoinPath(commandCom, folder, "\\COMMAND.COM"))
        return false;
    size_t before = PathListBytes(list, capacity);
    if (before == 0 || before - 1 + strlen(ioSys) + strlen(commandCom) + 3 > capacity)
        return false;
    AppendToPathList(list, ioSys, capacity);
    AppendToPathList(list, commandCom, capacity);
    return true;
}
