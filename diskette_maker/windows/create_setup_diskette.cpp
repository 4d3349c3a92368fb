#include "windows/create_setup_diskette.h"

#include "core/creation_plan.h"
#include "core/drive_warning.h"
#include "core/run_settings.h"
#include "resource.h"
#include "windows/module_instance.h"
#include "windows/shell_file_operation.h"
#include "windows/startup_files_win.h"

namespace {

// Carries the creation's steps out with the shell's file operations and the
// file APIs, owned by the diskette maker window.
class ShellCreationFrontEnd : public CreationFrontEnd {
public:
    explicit ShellCreationFrontEnd(HWND owner) : owner_(owner)
    {
        ZeroMemory(&operation_, sizeof operation_);
    }

    bool ConfirmErase(const char* root) override
    {
        return ::ConfirmErase(owner_, root) != FALSE;
    }

    bool GetTempFolder(char* folder, size_t capacity) override
    {
        DWORD length = GetTempPathA(static_cast<DWORD>(capacity), folder);
        return length != 0 && length < capacity;
    }

    bool TempFolderUsable(const char* folder) override
    {
        return ::TempFolderUsable(folder) != FALSE;
    }

    bool FileExistsIn(const char* folder, const char* name) override
    {
        return ::FileExistsIn(folder, name) != FALSE;
    }

    FileOperationResult RunFileOperation(const FileOperation& step) override
    {
        operation_.hwnd = owner_;
        operation_.wFunc = static_cast<UINT>(step.operation);
        operation_.pFrom = step.from;
        operation_.pTo = step.to;
        operation_.fFlags = static_cast<FILEOP_FLAGS>(step.flags);
        operation_.hNameMappings = nullptr;
        operation_.lpszProgressTitle = nullptr;
        // The record is reused; an abort of an earlier step must not count
        // against this one.
        operation_.fAnyOperationsAborted = FALSE;
        int returned = ShellFileOperation(&operation_);
        return {returned, operation_.fAnyOperationsAborted != FALSE};
    }

    void MakeBootable() override { ::MakeBootable(owner_); }

    void WriteStartupFiles(int product) override { ::WriteStartupFiles(product); }

    void ShowClosingNote() override
    {
        char text[MAX_PATH], caption[64];
        LoadStringA(ModuleInstance, IDS_FINISHED_BASE + LanguageIndex, text, sizeof text);
        LoadStringA(ModuleInstance, IDS_TITLE_BASE + LanguageIndex, caption, sizeof caption);
        MessageBoxA(owner_, text, caption, MB_OK | MB_ICONINFORMATION);
    }

    void ShowFilesLeftIn(const char* folder) override
    {
        char format[MAX_PATH], caption[64], text[2 * MAX_PATH];
        LoadStringA(ModuleInstance, IDS_FILESLEFT_BASE + LanguageIndex, format, sizeof format);
        LoadStringA(ModuleInstance, IDS_TITLE_BASE + LanguageIndex, caption, sizeof caption);
        FormatDriveWarning(format, folder, text, sizeof text);
        MessageBoxA(owner_, text, caption, MB_OK | MB_ICONWARNING);
    }

private:
    HWND owner_;
    SHFILEOPSTRUCTA operation_;
};

// folder + name into a MAX_PATH buffer; FALSE when it would not fit.
BOOL JoinPath(char (&path)[MAX_PATH], const char* folder, const char* name)
{
    if (lstrlenA(folder) + lstrlenA(name) >= MAX_PATH)
        return FALSE;
    wsprintfA(path, "%s%s", folder, name);
    return TRUE;
}

}  // namespace

BOOL ConfirmErase(HWND owner, const char* root)
{
    char pattern[MAX_PATH];
    if (!JoinPath(pattern, root, "*.*"))
        return FALSE;

    // A drive without a diskette must not raise the system's own dialog.
    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    DWORD error = GetLastError();
    SetErrorMode(previousMode);
    bool found = search != INVALID_HANDLE_VALUE;
    if (found)
        FindClose(search);
    if (!EraseNeedsQuestion(found, error))
        return TRUE;

    char format[MAX_PATH], caption[64], text[MAX_PATH];
    LoadStringA(ModuleInstance, IDS_ERASEWARNING_BASE + LanguageIndex, format, sizeof format);
    LoadStringA(ModuleInstance, IDS_COPY_BASE + LanguageIndex, caption, sizeof caption);
    FormatDriveWarning(format, root, text, sizeof text);
    return MessageBoxA(owner, text, caption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDNO;
}

BOOL FileExistsIn(const char* folder, const char* name)
{
    char path[MAX_PATH];
    if (!JoinPath(path, folder, name))
        return FALSE;
    OFSTRUCT info;
    return OpenFile(path, &info, OF_EXIST) != HFILE_ERROR;
}

BOOL TempFolderUsable(const char* folder)
{
    char probe[MAX_PATH];
    if (!GetTempFileNameA(folder, "$$$", 0, probe))
        return FALSE;
    DeleteFileA(probe);
    return TRUE;
}

BOOL CreateSetupDiskette(HWND owner)
{
    char modulePath[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    if (length == 0 || length >= sizeof modulePath)
        return FALSE;

    CreationInputs inputs;
    inputs.language = LanguageIndex;
    inputs.product = ProductChoice;
    inputs.msdosVariant = IsDlgButtonChecked(owner, IDC_VARIANT_MSDOS) == BST_CHECKED;
    inputs.startupDiskOption = StartupDiskOption != 0;
    inputs.disketteRoot = DisketteRoot;
    inputs.modulePath = modulePath;

    ShellCreationFrontEnd frontEnd(owner);
    return RunCreation(inputs, frontEnd) == EndedFinished;
}
