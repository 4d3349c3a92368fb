#include "windows/startup_files_win.h"

#include <stdio.h>

#include "core/path_list.h"
#include "core/run_settings.h"
#include "core/startup_files.h"
#include "resource.h"
#include "windows/platform_kind_win.h"
#include "windows/raw_diskette_win.h"
#include "windows/record_blocks.h"
#include "windows/shell_file_operation.h"

enum {
    TargetListBytes = 12,
    SourceListBytes = 520,
    SystemFileAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
};

// Writes one 48-byte block as DisketteRoot + name, replacing any old file.
// A short write or a failed close (the data never reached the diskette)
// counts as failure.
static bool WriteBlockFile(const char *name, int recordId)
{
    DWORD size;
    const BYTE *block = LoadRecordBlock(recordId, &size);
    if (!block || size != StartupBlockBytes)
        return false;
    char path[MAX_PATH];
    wsprintfA(path, "%s%s", DisketteRoot, name);
    FILE *file = fopen(path, "wb");
    if (!file)
        return false;
    size_t written = fwrite(block, 1, StartupBlockBytes, file);
    bool closed = fclose(file) == 0;
    return written == StartupBlockBytes && closed;
}

bool WriteStartupFiles(int productChoice)
{
    int config = ConfigRecordFor(productChoice);
    if (config == 0 || !WriteBlockFile("CONFIG.SYS", config))
        return false;
    if (!WritesAutoexec(productChoice))
        return true;
    return WriteBlockFile("AUTOEXEC.BAT", IDR_AUTOEXEC_CDROM);
}

bool MakeBootable(HWND owner)
{
    if (!BootableStepApplies(PlatformKind(), StartupDiskOption) || !ProbeDisketteDrive(DisketteRoot))
        return true;
    if (!CopySystemFiles(owner))
        return false;
    WriteBootSector();      // a diskette that will not start is still a setup diskette
    return true;
}

static bool CopyFromEmergencyBootFolder(HWND owner)
{
    char target[TargetListBytes] = {};
    char source[SourceListBytes] = {};
    AppendToPathList(target, DisketteRoot, sizeof target);

    char windows[MAX_PATH];
    UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows)
        return false;
    if (!BuildSystemFileSources(windows, source, sizeof source))
        return false;

    SHFILEOPSTRUCTA op;
    ZeroMemory(&op, sizeof op);
    op.hwnd = owner;
    op.wFunc = FO_COPY;
    op.pFrom = source;
    op.pTo = target;
    op.fFlags = FOF_NOCONFIRMATION | FOF_SIMPLEPROGRESS | FOF_NOERRORUI;
    op.hNameMappings = NULL;
    op.lpszProgressTitle = NULL;
    return ShellFileOperation(&op) == 0 && !op.fAnyOperationsAborted;
}

// An empty MSDOS.SYS: OF_CREATE also cuts an existing one to nothing.
static bool CreateEmptyMsdosSys(const char *path)
{
    OFSTRUCT info;
    HFILE file = OpenFile(path, &info, OF_CREATE);
    if (file == HFILE_ERROR)
        return false;
    _lclose(file);
    return true;
}

bool CopySystemFiles(HWND owner)
{
    // Windows 95 keeps no emergency-boot folder of this kind.
    if (PlatformKind() == PlatformWin95)
        return false;
    if (!CopyFromEmergencyBootFolder(owner))
        return false;
    char ioSys[MAX_PATH], msdosSys[MAX_PATH];
    wsprintfA(ioSys, "%s%s", DisketteRoot, "IO.SYS");
    wsprintfA(msdosSys, "%s%s", DisketteRoot, "MSDOS.SYS");
    if (!CreateEmptyMsdosSys(msdosSys))
        return false;
    SetFileAttributesA(ioSys, SystemFileAttributes);
    SetFileAttributesA(msdosSys, SystemFileAttributes);
    return true;
}
