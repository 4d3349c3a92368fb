#include "windows/table_message.h"

#include "common/windows/string_row.h"
#include "core/drive_warning.h"
#include "windows/module_instance.h"

int ShowTableMessage(HWND owner, int language, int textBase, int captionBase, const char* argument,
                     UINT style)
{
    char format[MAX_PATH], caption[64], text[2 * MAX_PATH];
    LoadText(ModuleInstance, textBase + language, format, sizeof format);
    LoadText(ModuleInstance, captionBase + language, caption, sizeof caption);
    FormatDriveWarning(format, argument, text, sizeof text);
    return MessageBoxA(owner, text, caption, style);
}
