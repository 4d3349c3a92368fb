#include "windows/create_setup_diskette.h"

#include "common/core/text_builder.h"
#include "core/creation_plan.h"
#include "resource.h"
#include "windows/creation_inputs.h"
#include "windows/module_instance.h"
#include "windows/shell_file_operation.h"
#include "windows/startup_files_win.h"
#include "windows/table_message.h"

namespace {

// Carries the creation's steps out with the shell's file operations and the
// file APIs, owned by the diskette maker window.
class ShellCreationFrontEnd : public CreationFrontEnd {
public:
    ShellCreationFrontEnd(HWND owner, const CreationInputs& inputs) : owner_(owner), inputs_(inputs)
    {
        ZeroMemory(&operation_, sizeof operation_);
    }

    bool ConfirmErase(const char* root) override
    {
        return ::ConfirmErase(owner_, root, inputs_.language) != FALSE;
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

    void MakeBootable() override { ::MakeBootable(owner_, inputs_); }

    void WriteStartupFiles(int product) override { ::WriteStartupFiles(inputs_.disketteRoot, product); }

    void ShowClosingNote() override
    {
        ShowTableMessage(owner_, inputs_.language, IDS_FINISHED_BASE, IDS_TITLE_BASE, "",
                         MB_OK | MB_ICONINFORMATION);
    }

    void ShowFilesLeftIn(const char* folder) override
    {
        ShowTableMessage(owner_, inputs_.language, IDS_FILESLEFT_BASE, IDS_TITLE_BASE, folder,
                         MB_OK | MB_ICONWARNING);
    }

private:
    HWND owner_;
    const CreationInputs& inputs_;
    SHFILEOPSTRUCTA operation_;
};

}  // namespace

BOOL ConfirmErase(HWND owner, const char* root, int language)
{
    char pattern[MAX_PATH];
    if (!JoinText(pattern, sizeof pattern, {root, "*.*"}))
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

    return ShowTableMessage(owner, language, IDS_ERASEWARNING_BASE, IDS_COPY_BASE, root,
                            MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDNO;
}

BOOL FileExistsIn(const char* folder, const char* name)
{
    char path[MAX_PATH];
    if (!JoinText(path, sizeof path, {folder, name}))
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

BOOL CreateSetupDiskette(HWND owner, const RunSettings& settings)
{
    char modulePath[MAX_PATH];
    CreationInputs inputs;
    if (!GatherCreationInputs(owner, settings, modulePath, inputs))
        return FALSE;
    ShellCreationFrontEnd frontEnd(owner, inputs);
    return RunCreation(inputs, frontEnd) == kEndedFinished;
}
