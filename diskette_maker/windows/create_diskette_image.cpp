#include "windows/create_diskette_image.h"

#include <commdlg.h>
#include <stdlib.h>

#include "common/core/text_builder.h"
#include "common/windows/string_row.h"
#include "common/windows/system_library.h"
#include "core/image_front_end.h"
#include "core/startup_files.h"
#include "resource.h"
#include "windows/creation_inputs.h"
#include "windows/module_instance.h"
#include "windows/platform_kind_win.h"
#include "windows/table_message.h"
#include "windows/win32_host_files.h"

namespace {

typedef BOOL(WINAPI *SaveFileNameFunction)(OPENFILENAMEA *);

// One of this run's messages: its text from the string table, formatted
// with one argument; the question goes under "Create Disk" as the erase
// warning does, a refusal under "No image was made", the rest under the
// window's title.
int ShowMessage(HWND owner, int language, int base, const char *argument, UINT style)
{
    int captionBase = style & MB_YESNO ? IDS_COPY_BASE : IDS_TITLE_BASE;
    if (base >= IDS_IMAGE_MISSING_BASE && base <= IDS_IMAGE_TOOMANY_BASE)
        captionBase = IDS_IMAGE_NOTMADE_BASE;
    return ShowTableMessage(owner, language, base, captionBase, argument, style);
}

bool AskForPath(HWND owner, int language, char (&path)[MAX_PATH])
{
    SaveFileNameFunction save = SystemFunction<SaveFileNameFunction>(kComdlg32, "GetSaveFileNameA");
    if (!save)
        return false;
    // The filter's parts are kept apart by "|" in the string table; its
    // closing "|" becomes the list's second NUL.
    char filter[MAX_PATH];
    LoadText(ModuleInstance(), IDS_IMAGE_FILTER_BASE + language, filter, sizeof filter);
    for (char *p = filter; *p; p++)
        if (*p == '|')
            *p = '\0';
    path[0] = '\0';

    OPENFILENAMEA dialog;
    ZeroMemory(&dialog, sizeof dialog);
    dialog.lStructSize = sizeof dialog; // the Windows 95 size: no 5.0 fields at WINVER 4.0
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = "img";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return save(&dialog) != FALSE;
}

// The emergency-boot folder, where Windows 98, Me and NT 4.0 keep the
// system files the drive path would copy; the bootable step decides by the
// running Windows whether it is asked at all.
void SystemFolder(char (&folder)[MAX_PATH])
{
    char windows[MAX_PATH];
    UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows || !EmergencyBootFolder(windows, folder))
        folder[0] = '\0';
}

typedef BOOL(WINAPI *MoveFileExFunction)(const char *, const char *, DWORD);

// Puts the new image in the old one's place so that a failure keeps the old
// one. The NT family replaces in one step; the 95 family, whose kernel has
// no MoveFileExA to import, moves the old file aside first and back if the
// new one cannot go in. A read-only image is refused on both.
bool MoveOver(const char *temp, const char *path, const char *folder)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return MoveFileA(temp, path) != FALSE;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return false;
    int platform = PlatformKind();
    if (platform == kPlatformNtLater || platform == kPlatformNt4) {
        MoveFileExFunction moveEx = reinterpret_cast<MoveFileExFunction>(reinterpret_cast<void *>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "MoveFileExA")));
        return moveEx && moveEx(temp, path, MOVEFILE_REPLACE_EXISTING);
    }
    char aside[MAX_PATH];
    if (!GetTempFileNameA(folder, "flp", 0, aside))
        return false;
    DeleteFileA(aside); // made by GetTempFileNameA; the move wants the name free
    if (!MoveFileA(path, aside))
        return false;
    if (!MoveFileA(temp, path)) {
        MoveFileA(aside, path);
        return false;
    }
    DeleteFileA(aside);
    return true;
}

// Written beside the target first and moved over it, so a failure leaves
// neither a partly written image nor a spoilt old file.
bool WriteImageFile(const char *path, const char *name, const uint8_t *image)
{
    char folder[MAX_PATH], temp[MAX_PATH];
    lstrcpynA(folder, path, static_cast<int>(name - path) + 1);
    if (!GetTempFileNameA(folder, "flp", 0, temp))
        return false;
    HANDLE file =
        CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = false;
    if (file != INVALID_HANDLE_VALUE) {
        DWORD done = 0;
        written = WriteFile(file, image, kImageBytes, &done, nullptr) && done == kImageBytes;
        written = CloseHandle(file) && written;
    }
    // A folder of that name stays, and so the move fails.
    if (written)
        written = MoveOver(temp, path, folder);
    if (!written)
        DeleteFileA(temp);
    return written;
}

// A count of bytes in decimal. It may pass 4 GiB, and the program divides
// in 32 bits only (no runtime helper for 64-bit division): 16-bit limbs.
void Decimal(uint64_t value, char (&text)[24])
{
    uint32_t limbs[4] = {
        static_cast<uint32_t>(value >> 48), static_cast<uint32_t>(value >> 32) & 0xFFFF,
        static_cast<uint32_t>(value >> 16) & 0xFFFF, static_cast<uint32_t>(value) & 0xFFFF};
    char reversed[24];
    int count = 0;
    bool more = true;
    while (more) {
        uint32_t rest = 0;
        more = false;
        for (uint32_t &limb : limbs) {
            uint32_t part = rest << 16 | limb;
            limb = part / 10;
            rest = part % 10;
            more = more || limb != 0;
        }
        reversed[count++] = static_cast<char>('0' + rest);
    }
    for (int i = 0; i < count; i++)
        text[i] = reversed[count - 1 - i];
    text[count] = '\0';
}

void ShowRefusal(HWND owner, int language, const ImageRunResult &result)
{
    char bytes[24];
    const char *argument = result.path;
    int text = IDS_IMAGE_TOOMANY_BASE;
    if (result.outcome == kImageRunNoSource || result.outcome == kImageRunUnreadable ||
        result.outcome == kImageRunNotPlain) {
        text = IDS_IMAGE_MISSING_BASE;
    } else if (result.outcome == kImageRunBadName) {
        text = IDS_IMAGE_BADNAME_BASE;
    } else if (result.outcome == kImageRunTooLarge) {
        Decimal(result.summary.bytesShort, bytes);
        argument = bytes;
        text = IDS_IMAGE_TOOLARGE_BASE;
    }
    ShowMessage(owner, language, text, argument, MB_OK | MB_ICONERROR);
}

} // namespace

BOOL CreateDisketteImage(HWND owner, const ImageOption &request, const RunSettings &settings)
{
    Language language = settings.LanguageIndex;
    char chosen[MAX_PATH], path[MAX_PATH];
    if (request.path[0]) {
        lstrcpynA(chosen, request.path, MAX_PATH);
    } else if (!AskForPath(owner, language, chosen)) {
        return FALSE;
    }
    // A path that ends in a backslash names a folder, and no file.
    char *name = nullptr;
    DWORD length = GetFullPathNameA(chosen, MAX_PATH, path, &name);
    if (length == 0 || length >= MAX_PATH || !name) {
        ShowTableMessage(owner, language, IDS_IMAGE_UNWRITABLE_BASE, IDS_IMAGE_NOTMADE_BASE, chosen,
                         MB_OK | MB_ICONERROR);
        return FALSE;
    }
    // Save As asked already; a path from the command line is asked here.
    if (request.path[0] && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES &&
        ShowMessage(owner, language, IDS_IMAGE_REPLACE_BASE, path,
                    MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDNO)
        return FALSE;

    char modulePath[MAX_PATH];
    CreationInputs inputs;
    if (!GatherCreationInputs(owner, settings, modulePath, inputs))
        return FALSE;
    uint8_t *image = static_cast<uint8_t *>(malloc(kImageBytes));
    if (!image)
        return FALSE;

    char systemFolder[MAX_PATH];
    SystemFolder(systemFolder);
    Win32HostFiles files;
    ResourceRecords records;
    ImageCreationFrontEnd frontEnd(files, records, systemFolder);
    ImageRunResult result = frontEnd.Make(inputs, image);
    bool written = result.outcome == kImageRunMade && WriteImageFile(path, name, image);
    free(image);

    if (result.outcome != kImageRunMade)
        ShowRefusal(owner, language, result);
    else if (!written)
        ShowMessage(owner, language, IDS_IMAGE_UNWRITABLE_BASE, path, MB_OK | MB_ICONERROR);
    else
        ShowClosingNote(owner, language, IDS_IMAGE_DONE_BASE, path, result.withoutSystemFiles);
    return written;
}
