#include "windows/startup_files_win.h"

#include "common/core/text_builder.h"
#include "core/path_list.h"
#include "core/startup_files.h"
#include "resource.h"
#include "windows/platform_kind_win.h"
#include "windows/raw_diskette_win.h"
#include "windows/record_blocks.h"
#include "windows/shell_file_operation.h"

enum {
    kTargetListBytes = 12,
    kSourceListBytes = 520,
    kSystemFileAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
};

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
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool whole = WriteFile(file, block, kStartupBlockBytes, &written, nullptr) && written == kStartupBlockBytes;
    bool closed = CloseHandle(file) != FALSE;
    return whole && closed;
}

}  // namespace

bool WriteStartupFilesToDiskette(const char *root, int product)
{
    int config = ConfigRecordFor(product);
    if (config == 0 || !WriteBlockFile(root, "CONFIG.SYS", config))
        return false;
    if (!WritesAutoexec(product))
        return true;
    return WriteBlockFile(root, "AUTOEXEC.BAT", IDR_AUTOEXEC_CDROM);
}

namespace {

// The bootable step's Windows side: the shell copies the system files with
// its progress window, owned by the diskette maker window.
class Win32BootableFrontEnd : public BootableFrontEnd {
public:
    explicit Win32BootableFrontEnd(HWND owner) : owner_(owner) {}

    bool ProbeDrive(const char *root) override { return ProbeDisketteDrive(root) != 0; }

    bool CopyEmergencyBootFiles(const char *root) override
    {
        char target[kTargetListBytes] = {};
        char source[kSourceListBytes] = {};
        AppendToPathList(target, root, sizeof target);

        char windows[MAX_PATH];
        UINT length = GetWindowsDirectoryA(windows, sizeof windows);
        if (length == 0 || length >= sizeof windows)
            return false;
        if (!BuildSystemFileSources(windows, source, sizeof source))
            return false;

        SHFILEOPSTRUCTA op;
        ZeroMemory(&op, sizeof op);
        op.hwnd = owner_;
        op.wFunc = FO_COPY;
        op.pFrom = source;
        op.pTo = target;
        op.fFlags = FOF_NOCONFIRMATION | FOF_SIMPLEPROGRESS | FOF_NOERRORUI;
        op.hNameMappings = NULL;
        op.lpszProgressTitle = NULL;
        return ShellFileOperation(&op) == 0 && !op.fAnyOperationsAborted;
    }

    // OF_CREATE also cuts an existing file to nothing.
    bool CreateEmptyFile(const char *path) override
    {
        OFSTRUCT info;
        HFILE file = OpenFile(path, &info, OF_CREATE);
        if (file == HFILE_ERROR)
            return false;
        _lclose(file);
        return true;
    }

    void MarkSystemFile(const char *path) override { SetFileAttributesA(path, kSystemFileAttributes); }

    bool WriteBootSector(const char *root) override { return ::WriteBootSector(root); }

private:
    HWND owner_;
};

}  // namespace

bool MakeDisketteBootable(HWND owner, const CreationInputs &inputs)
{
    Win32BootableFrontEnd frontEnd(owner);
    return RunBootableStep(inputs, PlatformKind(), frontEnd);
}

bool CopySystemFiles(HWND owner, const char *root)
{
    Win32BootableFrontEnd frontEnd(owner);
    return CopySystemFiles(root, PlatformKind(), frontEnd);
}
