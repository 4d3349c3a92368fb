#include "windows/table_message.h"

#include "common/core/text_builder.h"
#include "common/windows/string_row.h"
#include "core/drive_warning.h"
#include "core/startup_files.h"
#include "resource.h"
#include "windows/module_instance.h"

namespace {

void FormatTableText(int language, int textBase, const char *argument, char (&text)[2 * MAX_PATH])
{
    char format[MAX_PATH];
    LoadText(ModuleInstance(), textBase + language, format, sizeof format);
    FormatDriveWarning(format, argument, text, sizeof text);
}

int ShowText(HWND owner, int language, const char *text, int captionBase, UINT style)
{
    char caption[64];
    LoadText(ModuleInstance(), captionBase + language, caption, sizeof caption);
    return MessageBoxA(owner, text, caption, style);
}

} // namespace

int ShowTableMessage(HWND owner, int language, int textBase, int captionBase, const char *argument,
                     UINT style)
{
    char text[2 * MAX_PATH];
    FormatTableText(language, textBase, argument, text);
    return ShowText(owner, language, text, captionBase, style);
}

void ShowClosingNote(HWND owner, int language, int textBase, const char *argument,
                     bool withoutSystemFiles)
{
    // Room for two whole formatted texts and the blank line between them.
    char note[4 * MAX_PATH + 2], text[2 * MAX_PATH], windows[MAX_PATH], folder[MAX_PATH];
    FormatTableText(language, textBase, argument, text);
    TextBuilder builder(note, sizeof note);
    builder.Add(text);
    UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (withoutSystemFiles && length && length < sizeof windows &&
        EmergencyBootFolder(windows, folder)) {
        FormatTableText(language, IDS_NOT_BOOTABLE_BASE, folder, text);
        builder.Add("\n\n").Add(text);
    }
    builder.Finish();
    ShowText(owner, language, note, IDS_TITLE_BASE, MB_OK | MB_ICONINFORMATION);
}
