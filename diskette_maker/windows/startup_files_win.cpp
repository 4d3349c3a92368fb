#include "windows/startup_files_win.h"

#include "common/core/text_builder.h"
#include "core/startup_files.h"
#include "resource.h"
#include "windows/bootable_front_end_win.h"
#include "windows/platform_kind_win.h"
#include "windows/record_blocks.h"

namespace {

// Writes one 48-byte block as root + name, replacing any old file. A short
// write or a failed close (the data never reached the diskette) counts as
// failure.
bool WriteBlockFile(const char *root, const char *name, int recordId)
{
    DWORD size;
    const BYTE *block = LoadRecordBlock(recordId, &size);
    if (!block || size != kStartupBlockBytes)
        return false;
    char path[MAX_PATH];
    if (!JoinText(path, sizeof path, {root, name}))
        return false;
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool whole = WriteFile(file, block, kStartupBlockBytes, &written, nullptr) &&
        written == kStartupBlockBytes;
    bool closed = CloseHandle(file) != FALSE;
    return whole && closed;
}

} // namespace

bool WriteStartupFilesToDiskette(const char *root, int product)
{
    int config = ConfigRecordFor(product);
    if (config == 0 || !WriteBlockFile(root, "CONFIG.SYS", config))
        return false;
    if (!WritesAutoexec(product))
        return true;
    return WriteBlockFile(root, "AUTOEXEC.BAT", IDR_AUTOEXEC_CDROM);
}

bool MakeDisketteBootable(HWND owner, const CreationInputs &inputs)
{
    Win32BootableFrontEnd frontEnd(owner);
    return RunBootableStep(inputs, PlatformKind(), frontEnd);
}
