#include "core/startup_files.h"

#include <cstring>

#include "core/path_list.h"
#include "core/platform_kind.h"
#include "core/run_settings.h"
#include "resource.h"

enum { PathBytes = 260 };

int ConfigRecordFor(int32_t productChoice)
{
    switch (productChoice) {
    case ProductHardDrive:
        return IDR_CONFIG_HARD_DRIVE;
    case ProductCdromDrive:
        return IDR_CONFIG_CDROM;
    case ProductDisketteDrive:
        return IDR_CONFIG_DISKETTE;
    default:
        return 0;
    }
}

bool WritesAutoexec(int32_t productChoice)
{
    return productChoice == ProductCdromDrive;
}

bool BootableStepApplies(int platformKind, uint32_t startupDiskOption)
{
    return platformKind != PlatformNtLater && startupDiskOption != 0;
}

// folder + tail into a PathBytes buffer; false if it would not fit. A folder
// that already ends in a backslash (a Windows installed in a drive's root)
// does not get a second one.
static bool JoinPath(char *out, const char *folder, const char *tail)
{
    size_t length = strlen(folder);
    if (length > 0 && folder[length - 1] == '\\' && tail[0] == '\\')
        tail++;
    if (length + strlen(tail) >= PathBytes)
        return false;
    memcpy(out, folder, length);
    strcpy(out + length, tail);
    return true;
}

bool BuildSystemFileSources(const char *windowsDir, char *list, size_t capacity)
{
    char ioSys[PathBytes], commandCom[PathBytes];
    if (!JoinPath(ioSys, windowsDir, "\\Command\\Ebd\\IO.SYS"))
        return false;
    // The folder of IO.SYS, cut at its last backslash.
    char folder[PathBytes];
    strcpy(folder, ioSys);
    *strrchr(folder, '\\') = '\0';
    if (!JoinPath(commandCom, folder, "\\COMMAND.COM"))
        return false;
    size_t before = PathListBytes(list, capacity);
    if (before == 0 || before - 1 + strlen(ioSys) + strlen(commandCom) + 3 > capacity)
        return false;
    AppendToPathList(list, ioSys, capacity);
    AppendToPathList(list, commandCom, capacity);
    return true;
}
