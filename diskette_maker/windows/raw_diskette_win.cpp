#include "windows/raw_diskette_win.h"

#include "core/raw_diskette.h"
#include "resource.h"
#include "windows/disk_device_win.h"
#include "windows/platform_kind_win.h"
#include "windows/record_blocks.h"

int ProbeDisketteDrive(const char *root)
{
    Win32DiskDevice device;
    return ProbeDisketteDrive(PlatformKind(), root, device);
}

bool WriteBootSector(const char *root)
{
    DWORD size;
    const BYTE *image = LoadRecordBlock(IDR_BOOT_SECTOR, &size);
    if (!image || size != kSectorBytes)
        return false;
    Win32DiskDevice device;
    return WriteBootSector(device, root[0], image);
}
