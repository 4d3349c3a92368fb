// The bootable step's primitives on the running Windows.
#pragma once

#include <windows.h>

#include "core/creation_plan.h"
#include "core/path_list.h"
#include "core/startup_files.h"
#include "windows/raw_diskette_win.h"
#include "windows/shell_file_operation.h"

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

    void MarkSystemFile(const char *path) override
    {
        SetFileAttributesA(path, kSystemFileAttributes);
    }

    bool WriteBootSector(const char *root) override { return ::WriteBootSector(root); }

private:
    enum {
        kTargetListBytes = 12,
        kSourceListBytes = 520,
        kSystemFileAttributes =
            FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
    };

    HWND owner_;
};
