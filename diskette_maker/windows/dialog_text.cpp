#include "windows/dialog_text.h"

#include <cstring>

#include "common/windows/string_row.h"
#include "windows/module_instance.h"

namespace {

// True when the window's text is exactly `text` (at most MAX_PATH - 1 chars).
bool HasText(HWND window, const char *text)
{
    int length = lstrlenA(text);
    char shown[MAX_PATH];
    return GetWindowTextLengthA(window) == length &&
        GetWindowTextA(window, shown, sizeof shown) == length &&
        std::memcmp(shown, text, static_cast<size_t>(length)) == 0;
}

} // namespace

void RefreshTexts(HWND window, const TextTargets &texts, int language)
{
    for (size_t i = 0; i < texts.count; i++) {
        const TextTarget &target = texts.targets[i];
        HWND control =
            target.control == kCaptionTarget ? window : GetDlgItem(window, target.control);
        if (!control)
            continue;
        char text[MAX_PATH];
        LoadText(ModuleInstance(), target.stringBase + language, text, sizeof text);
        // Every paint refreshes, and a button redraws itself on each new
        // text: setting the text it already has would only paint it again,
        // which the product dialog, shown once the main window has painted,
        // would wait for.
        if (!HasText(control, text))
            SetWindowTextA(control, text);
    }
}

void ApplyControlChanges(HWND window, const ControlChanges &changes)
{
    for (size_t i = 0; i < changes.count; i++) {
        const ControlChange &change = changes.changes[i];
        HWND control = GetDlgItem(window, change.control);
        switch (change.action) {
        case kShowControl:
            ShowWindow(control, SW_SHOW);
            break;
        case kHideControl:
            ShowWindow(control, SW_HIDE);
            break;
        case kCheckControl:
            SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
            break;
        case kUncheckControl:
            SendMessageA(control, BM_SETCHECK, BST_UNCHECKED, 0);
            break;
        case kEnableControl:
            EnableWindow(control, TRUE);
            break;
        case kDisableControl:
            EnableWindow(control, FALSE);
            break;
        }
    }
}

HFONT CreateHeadingFont(const char *face, bool underline, bool italic)
{
    LOGFONTA font;
    ZeroMemory(&font, sizeof font);
    font.lfHeight = HIWORD(GetDialogBaseUnits());
    font.lfWeight = FW_BOLD;
    font.lfUnderline = underline;
    font.lfItalic = italic;
    font.lfPitchAndFamily = FF_SWISS;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}
