#include "windows/create_setup_diskette.h"

#include "common/core/text_builder.h"
#include "core/creation_plan.h"
#include "resource.h"
#include "windows/bootable_front_end_win.h"
#include "windows/creation_inputs.h"
#include "windows/module_instance.h"
#include "windows/shell_file_operation.h"
#include "windows/startup_files_win.h"
#include "windows/table_message.h"

namespace {

// Asks before erasing a diskette that may hold files; true to go on.
bool AskBeforeErase(HWND owner, const char *root, Language language)
{
    char pattern[MAX_PATH];
    if (!JoinText(pattern, sizeof pattern, {root, "*.*"}))
        return false;

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
        return true;

    return ShowTableMessage(owner, language, IDS_ERASEWARNING_BASE, IDS_COPY_BASE, root,
                            MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDNO;
}

// Whether folder (ending in a backslash) holds a file of that name; hidden,
// system and read-only files count.
bool FolderHoldsFile(const char *folder, const char *name)
{
    char path[MAX_PATH];
    if (!JoinText(path, sizeof path, {folder, name}))
        return false;
    OFSTRUCT info;
    return OpenFile(path, &info, OF_EXIST) != HFILE_ERROR;
}

// Makes a new folder in temp (ending in a backslash) with a name made unique
// as GetTempFileNameA makes one, and gives its path with a backslash in
// folder (MAX_PATH characters).
bool MakeUniqueFolder(const char *temp, char (&folder)[MAX_PATH])
{
    // GetTempFileNameA makes a file, not a folder, for the number 0; for
    // any other it only names one, which CreateDirectoryA then claims.
    DWORD unique = GetTickCount();
    for (int tries = 0; tries < 1000; tries++) {
        unique = (unique + 1) & 0xFFFF;
        char path[MAX_PATH];
        if (unique == 0)
            continue;
        if (!GetTempFileNameA(temp, "$$$", unique, path))
            return false;
        if (CreateDirectoryA(path, nullptr))
            return JoinText(folder, sizeof folder, {path, "\\"});
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}

// Carries the creation's steps out with the shell's file operations and the
// file APIs, owned by the diskette maker window.
class ShellCreationFrontEnd : public CreationFrontEnd {
public:
    ShellCreationFrontEnd(HWND owner, const CreationInputs &inputs)
        : owner_(owner), inputs_(inputs), bootable_(owner)
    {
        ZeroMemory(&operation_, sizeof operation_);
    }

    bool ConfirmErase(const char *root) override
    {
        return AskBeforeErase(owner_, root, inputs_.language);
    }

    bool GetTempFolder(char *folder, size_t capacity) override
    {
        DWORD length = GetTempPathA(static_cast<DWORD>(capacity), folder);
        return length != 0 && length < capacity;
    }

    bool MakeSaveFolder(char *folder, size_t capacity) override
    {
        char made[MAX_PATH];
        return MakeUniqueFolder(folder, made) && JoinText(folder, capacity, {made});
    }

    void RemoveSaveFolder(const char *folder) override { RemoveDirectoryA(folder); }

    bool FileExistsIn(const char *folder, const char *name) override
    {
        return FolderHoldsFile(folder, name);
    }

    FileOperationResult RunFileOperation(const FileOperation &step) override
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

    BootableFrontEnd &Bootable() override { return bootable_; }

    StartupFileWriter &StartupFiles() override { return startupFiles_; }

    void ShowClosingNote(bool withoutSystemFiles) override
    {
        ::ShowClosingNote(owner_, inputs_.language, IDS_FINISHED_BASE, "", withoutSystemFiles);
    }

    void ShowFilesLeftIn(const char *folder) override
    {
        ShowTableMessage(owner_, inputs_.language, IDS_FILESLEFT_BASE, IDS_TITLE_BASE, folder,
                         MB_OK | MB_ICONWARNING);
    }

private:
    HWND owner_;
    const CreationInputs &inputs_;
    SHFILEOPSTRUCTA operation_;
    Win32BootableFrontEnd bootable_;
    Win32StartupFiles startupFiles_;
};

} // namespace

BOOL CreateSetupDiskette(HWND owner, const RunSettings &settings)
{
    char modulePath[MAX_PATH];
    CreationInputs inputs;
    if (!GatherCreationInputs(owner, settings, modulePath, inputs))
        return FALSE;
    ShellCreationFrontEnd frontEnd(owner, inputs);
    return RunCreation(inputs, frontEnd) == kEndedFinished;
}
