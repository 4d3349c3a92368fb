#include "windows/guides_dialog.h"

#include "core/guide_hover.h"
#include "core/guides.h"
#include "core/message_painter.h"
#include "windows/dialog_objects.h"
#include "windows/drawing.h"
#include "resource.h"
#include "windows/menu_window.h"
#include "windows/shell_open.h"
#include "common/windows/string_row.h"

namespace {

// One opening of the dialog: made by ShowGuidesDialog, reached through
// DWLP_USER, and its objects deleted when the dialog is destroyed.
struct GuidesDialog {
    GuidesDialog(MenuState &owner, const char *guides) : menu(owner), folder(guides) {}

    MenuState &menu;
    const char *folder;
    char GuidePath[kGuidePathSize] = {};
    char GuideFile1[kGuideFileSize] = {};
    char GuideFile2[kGuideFileSize] = {};
    HBITMAP CloseBitmap = nullptr;  // 168
    HBITMAP Guide1Bitmap = nullptr; // 179
    HBITMAP Guide2Bitmap = nullptr; // 178
    HFONT GuideFont = nullptr;
    HFONT GuideHoverFont = nullptr;
    bool GuideFontsPending = true;
    GuideHover HoverButton;
    WNDPROC StdButtonProc = nullptr;
};

LRESULT CALLBACK GuideButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);

GuidesDialog *GuidesDialogOf(HWND dialog)
{
    return reinterpret_cast<GuidesDialog *>(GetWindowLongPtrA(dialog, DWLP_USER));
}

HBITMAP BitmapOfGuideButton(const GuidesDialog &guides, int controlId)
{
    switch (ContentOfGuideButton(controlId).bitmapId) {
    case kCloseCrossBitmap:
        return guides.CloseBitmap;
    case kSpeedDiscBitmap:
        return guides.Guide1Bitmap;
    case kSegmentDiscBitmap:
        return guides.Guide2Bitmap;
    default:
        return nullptr;
    }
}

void ReleaseGuideObjects(GuidesDialog &guides)
{
    DeleteDialogObject(&guides.CloseBitmap);
    DeleteDialogObject(&guides.Guide1Bitmap);
    DeleteDialogObject(&guides.Guide2Bitmap);
    DeleteDialogObject(&guides.GuideFont);
    DeleteDialogObject(&guides.GuideHoverFont);
}

void MakeGuideFontsIfPending(HWND dialog, GuidesDialog &guides)
{
    if (!guides.GuideFontsPending)
        return;
    HDC dc = GetDC(dialog);
    SetMapMode(dc, MM_TEXT);
    guides.GuideFont = CreateDialogFont(dc, FALSE);
    guides.GuideHoverFont = CreateDialogFont(dc, TRUE);
    ReleaseDC(dialog, dc);
    guides.GuideFontsPending = false;
}

void Redraw(HWND dialog, int controlId, BOOL erase)
{
    if (controlId != kNoHover)
        InvalidateRect(GetDlgItem(dialog, controlId), nullptr, erase);
}

void SubclassGuideButtons(HWND dialog, GuidesDialog &guides)
{
    static const int order[] = {kGuideTitle1, kGuideTitle2, kGuideClose, kGuidePicture1,
                                kGuidePicture2};
    for (int id : order) {
        LONG_PTR previous = SetWindowLongPtrA(GetDlgItem(dialog, id), GWLP_WNDPROC,
                                              reinterpret_cast<LONG_PTR>(GuideButtonProc));
        if (id == kGuideTitle1)
            guides.StdButtonProc = reinterpret_cast<WNDPROC>(previous);
    }
}

// A button's window text names it for screen readers: a title and its
// picture carry the guide's title, the close box the Cancel caption of the
// string table. The drawing never reads these texts, and none has an "&",
// so the dialog manager finds no mnemonic in them.
void NameGuideButtons(HWND dialog, const GuidesDialog &guides)
{
    static const int ids[] = {kGuideTitle1, kGuideTitle2, kGuideClose, kGuidePicture1,
                              kGuidePicture2};
    char text[kGuideFileSize];
    for (int id : ids) {
        const char *file = nullptr;
        switch (GuideCommandFor(id)) {
        case GuideCommand::kOpenGuide1:
            file = guides.GuideFile1;
            break;
        case GuideCommand::kOpenGuide2:
            file = guides.GuideFile2;
            break;
        case GuideCommand::kClose:
            LoadText(guides.menu.MenuInstance,
                     static_cast<int>(MessageLabelId(IDCANCEL, guides.menu.LanguageIndex)), text,
                     sizeof text);
            break;
        case GuideCommand::kIgnore:
            continue;
        }
        if (file != nullptr)
            lstrcpynA(text, file, static_cast<int>(GuideTitleLength(file)) + 1);
        SetDlgItemTextA(dialog, id, text);
    }
}

INT_PTR OnGuidesInitDialog(HWND dialog, GuidesDialog &guides)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&guides));
    CentreOnOwnerWindow(dialog);
    HINSTANCE instance = guides.menu.MenuInstance;
    guides.CloseBitmap = LoadDialogBitmap(instance, kCloseCrossBitmap);
    guides.Guide1Bitmap = LoadDialogBitmap(instance, kSpeedDiscBitmap);
    guides.Guide2Bitmap = LoadDialogBitmap(instance, kSegmentDiscBitmap);
    SubclassGuideButtons(dialog, guides);
    // An overlong folder leaves GuidePath empty, and no guide then opens.
    StoreGuideFolder(guides.GuidePath, sizeof guides.GuidePath, guides.folder);
    unsigned id = GuideNameId(guides.folder != nullptr ? guides.folder : "");
    LoadText(instance, id, guides.GuideFile1, sizeof guides.GuideFile1);
    LoadText(instance, id + 1, guides.GuideFile2, sizeof guides.GuideFile2);
    NameGuideButtons(dialog, guides);
    return TRUE;
}

void DrawGuideTitle(const GuidesDialog &guides, const DRAWITEMSTRUCT *item, const char *fileName)
{
    HDC dc = item->hDC;
    HGDIOBJ kept = guides.GuideFont != nullptr ? SelectObject(dc, guides.GuideFont) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    TitleLook look = LookOfTitle(guides.HoverButton.IsHovered(static_cast<int>(item->CtlID)));
    if (look.underlined && guides.GuideHoverFont != nullptr)
        SelectObject(dc, guides.GuideHoverFont);
    // In a high-contrast theme the background is the window colour, and
    // the title takes the window text; the underline still marks the hover.
    SetTextColor(dc,
                 guides.menu.Look.highContrast ? guides.menu.Look.text
                                               : static_cast<COLORREF>(look.colour));
    RECT text = item->rcItem;
    DrawTextA(dc, fileName, static_cast<int>(GuideTitleLength(fileName)), &text, DT_WORDBREAK);
    if (kept != nullptr)
        SelectObject(dc, kept);
}

INT_PTR OnGuidesDrawItem(const GuidesDialog &guides, const DRAWITEMSTRUCT *item)
{
    if (item == nullptr)
        return FALSE;
    int id = static_cast<int>(item->CtlID);
    GuideButtonContent content = ContentOfGuideButton(id);
    if (content.bitmapId == 0 && content.guide == 0)
        return FALSE;
    FillRect(item->hDC, &item->rcItem, guides.menu.BannerBrush);
    const RECT &r = item->rcItem;
    if (content.bitmapId != 0)
        DrawBitmap(item->hDC, r.left, r.top, r.right, r.bottom, BitmapOfGuideButton(guides, id),
                   SRCCOPY);
    else
        DrawGuideTitle(guides, item, content.guide == 1 ? guides.GuideFile1 : guides.GuideFile2);
    return TRUE;
}

void OpenGuide(GuidesDialog &guides, const char *fileName)
{
    // A path that would not fit MAX_PATH opens nothing rather than a cut one.
    if (AppendGuideFile(guides.GuidePath, sizeof guides.GuidePath, fileName))
        OpenWithShell(guides.GuidePath);
}

// Every way out ends here; what the dialog made goes on WM_DESTROY.
INT_PTR OnGuidesCommand(HWND dialog, GuidesDialog &guides, WPARAM wParam)
{
    switch (GuideCommandFor(LOWORD(wParam))) {
    case GuideCommand::kOpenGuide1:
        OpenGuide(guides, guides.GuideFile1);
        break;
    case GuideCommand::kOpenGuide2:
        OpenGuide(guides, guides.GuideFile2);
        break;
    case GuideCommand::kClose:
        break;
    case GuideCommand::kIgnore:
        return FALSE;
    }
    EndDialog(dialog, 0);
    return TRUE;
}

// The pointer on the dialog's own background: no title is hovered any more.
INT_PTR OnGuidesMouseMove(HWND dialog, GuidesDialog &guides)
{
    HoverStep step = guides.HoverButton.PointerOnBackground();
    Redraw(dialog, step.redrawPlain, FALSE);
    if (step.focusClose)
        SetFocus(GetDlgItem(dialog, kGuideClose));
    MakeGuideFontsIfPending(dialog, guides);
    return FALSE;
}

INT_PTR CALLBACK GuidesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnGuidesInitDialog(dialog, *reinterpret_cast<GuidesDialog *>(lParam));
    GuidesDialog *state = GuidesDialogOf(dialog);
    if (state == nullptr)
        return FALSE;
    GuidesDialog &guides = *state;
    switch (message) {
    case WM_PAINT:
        MakeGuideFontsIfPending(dialog, guides);
        return FALSE;
    case WM_MOUSEMOVE:
        return OnGuidesMouseMove(dialog, guides);
    case WM_DRAWITEM:
        return OnGuidesDrawItem(guides, reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
    case WM_COMMAND:
        return OnGuidesCommand(dialog, guides, wParam);
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(guides.menu.BannerBrush);
    case WM_DESTROY:
        ReleaseGuideObjects(guides);
        return FALSE;
    default:
        return FALSE;
    }
}

LRESULT OnGuideButtonSetCursor(HWND button, GuidesDialog &guides)
{
    SetCursor(guides.menu.HandCursor);
    HoverStep step = guides.HoverButton.PointerOnButton(GetDlgCtrlID(button));
    HWND dialog = GetParent(button);
    Redraw(dialog, step.redrawPlain, FALSE);
    Redraw(dialog, step.redrawHover, TRUE);
    return TRUE;
}

// The buttons are subclassed on WM_INITDIALOG and destroyed with the
// dialog, so the dialog's state is there for every message they get.
LRESULT CALLBACK GuideButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    GuidesDialog *state = GuidesDialogOf(GetParent(button));
    if (state == nullptr)
        return DefWindowProcA(button, message, wParam, lParam);
    GuidesDialog &guides = *state;
    switch (message) {
    case WM_SETFOCUS:
        PlayClickSound(guides.menu);
        return 1;
    case WM_SETCURSOR:
        return OnGuideButtonSetCursor(button, guides);
    default:
        return CallWindowProcA(guides.StdButtonProc, button, message, wParam, lParam);
    }
}

} // namespace

void ShowGuidesDialog(HWND owner, MenuState &menu, const char *folder)
{
    GuidesDialog guides(menu, folder);
    DialogBoxParamA(menu.MenuInstance, MAKEINTRESOURCEA(IDD_GUIDES), owner, GuidesDialogProc,
                    reinterpret_cast<LPARAM>(&guides));
}
