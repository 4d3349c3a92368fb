#include "windows/guides_dialog.h"

#include "core/guide_hover.h"
#include "core/guides.h"
#include "core/message_painter.h"
#include "windows/dialog_objects.h"
#include "windows/drawing.h"
#include "windows/menu_window.h"
#include "windows/shell_open.h"
#include "windows/startup.h"
#include "windows/strings.h"

// One guides dialog at a time; each opening starts afresh.
static char GuidePath[kGuidePathSize];
static char GuideFile1[kGuideFileSize];
static char GuideFile2[kGuideFileSize];
static HBITMAP CloseBitmap;     // 168
static HBITMAP Guide1Bitmap;    // 179
static HBITMAP Guide2Bitmap;    // 178
static HFONT GuideFont;
static HFONT GuideHoverFont;
static BOOL GuideFontsPending;
static GuideHover HoverButton;
static WNDPROC StdButtonProc;

static HBITMAP BitmapOfGuideButton(int controlId)
{
    switch (ContentOfGuideButton(controlId).bitmapId) {
    case kCloseCrossBitmap: return CloseBitmap;
    case kSpeedDiscBitmap: return Guide1Bitmap;
    case kSegmentDiscBitmap: return Guide2Bitmap;
    default: return NULL;
    }
}

static void ReleaseGuideObjects()
{
    DeleteDialogObject(&CloseBitmap);
    DeleteDialogObject(&Guide1Bitmap);
    DeleteDialogObject(&Guide2Bitmap);
    DeleteDialogObject(&GuideFont);
    DeleteDialogObject(&GuideHoverFont);
}

static void MakeGuideFontsIfPending(HWND dialog)
{
    if (!GuideFontsPending)
        return;
    HDC dc = GetDC(dialog);
    SetMapMode(dc, MM_TEXT);
    GuideFont = CreateDialogFont(dc, FALSE);
    GuideHoverFont = CreateDialogFont(dc, TRUE);
    ReleaseDC(dialog, dc);
    GuideFontsPending = FALSE;
}

static void Redraw(HWND dialog, int controlId, BOOL erase)
{
    if (controlId != kNoHover)
        InvalidateRect(GetDlgItem(dialog, controlId), NULL, erase);
}

static void SubclassGuideButtons(HWND dialog)
{
    static const int order[] = {kGuideTitle1, kGuideTitle2, kGuideClose, kGuidePicture1, kGuidePicture2};
    for (int id : order) {
        LONG_PTR previous = SetWindowLongPtrA(GetDlgItem(dialog, id), GWLP_WNDPROC,
                                              reinterpret_cast<LONG_PTR>(GuideButtonProc));
        if (id == kGuideTitle1)
            StdButtonProc = reinterpret_cast<WNDPROC>(previous);
    }
}

// A button's window text names it for screen readers: a title and its
// picture carry the guide's title, the close box the Cancel caption of the
// string table. The drawing never reads these texts, and none has an "&",
// so the dialog manager finds no mnemonic in them.
static void NameGuideButtons(HWND dialog)
{
    static const int ids[] = {kGuideTitle1, kGuideTitle2, kGuideClose, kGuidePicture1, kGuidePicture2};
    char text[kGuideFileSize];
    for (int id : ids) {
        const char* file = NULL;
        switch (GuideCommandFor(id)) {
        case GuideCommand::OpenGuide1: file = GuideFile1; break;
        case GuideCommand::OpenGuide2: file = GuideFile2; break;
        case GuideCommand::Close:
            LoadText(MenuInstance, static_cast<int>(MessageLabelId(IDCANCEL, LanguageIndex)), text,
                     sizeof text);
            break;
        case GuideCommand::Ignore: continue;
        }
        if (file != NULL)
            lstrcpynA(text, file, static_cast<int>(GuideTitleLength(file)) + 1);
        SetDlgItemTextA(dialog, id, text);
    }
}

static INT_PTR OnGuidesInitDialog(HWND dialog, const char* folder)
{
    GuideFontsPending = TRUE;
    HoverButton.Reset();
    CentreOnOwnerWindow(dialog);
    CloseBitmap = LoadDialogBitmap(kCloseCrossBitmap);
    Guide1Bitmap = LoadDialogBitmap(kSpeedDiscBitmap);
    Guide2Bitmap = LoadDialogBitmap(kSegmentDiscBitmap);
    SubclassGuideButtons(dialog);
    // An overlong folder leaves GuidePath empty, and no guide then opens.
    StoreGuideFolder(GuidePath, sizeof GuidePath, folder);
    unsigned id = GuideNameId(folder != NULL ? folder : "");
    LoadText(MenuInstance, id, GuideFile1, sizeof GuideFile1);
    LoadText(MenuInstance, id + 1, GuideFile2, sizeof GuideFile2);
    NameGuideButtons(dialog);
    return TRUE;
}

static void DrawGuideTitle(const DRAWITEMSTRUCT* item, const char* fileName)
{
    HDC dc = item->hDC;
    HGDIOBJ kept = GuideFont != NULL ? SelectObject(dc, GuideFont) : NULL;
    SetBkMode(dc, TRANSPARENT);
    TitleLook look = LookOfTitle(HoverButton.IsHovered(static_cast<int>(item->CtlID)));
    if (look.underlined && GuideHoverFont != NULL)
        SelectObject(dc, GuideHoverFont);
    SetTextColor(dc, static_cast<COLORREF>(look.colour));
    RECT text = item->rcItem;
    DrawTextA(dc, fileName, static_cast<int>(GuideTitleLength(fileName)), &text, DT_WORDBREAK);
    if (kept != NULL)
        SelectObject(dc, kept);
}

static INT_PTR OnGuidesDrawItem(const DRAWITEMSTRUCT* item)
{
    if (item == NULL)
        return FALSE;
    int id = static_cast<int>(item->CtlID);
    GuideButtonContent content = ContentOfGuideButton(id);
    if (content.bitmapId == 0 && content.guide == 0)
        return FALSE;
    FillRect(item->hDC, &item->rcItem, BannerBrush);
    const RECT& r = item->rcItem;
    if (content.bitmapId != 0)
        DrawBitmap(item->hDC, r.left, r.top, r.right, r.bottom, BitmapOfGuideButton(id), SRCCOPY);
    else
        DrawGuideTitle(item, content.guide == 1 ? GuideFile1 : GuideFile2);
    return TRUE;
}

static void OpenGuide(const char* fileName)
{
    // A path that would not fit MAX_PATH opens nothing rather than a cut one.
    if (AppendGuideFile(GuidePath, sizeof GuidePath, fileName))
        OpenWithShell(GuidePath);
}

static INT_PTR OnGuidesCommand(HWND dialog, WPARAM wParam)
{
    switch (GuideCommandFor(LOWORD(wParam))) {
    case GuideCommand::OpenGuide1:
        OpenGuide(GuideFile1);
        break;
    case GuideCommand::OpenGuide2:
        OpenGuide(GuideFile2);
        break;
    case GuideCommand::Close:
        break;
    case GuideCommand::Ignore:
        return FALSE;
    }
    ReleaseGuideObjects();
    EndDialog(dialog, 0);
    return TRUE;
}

// The pointer on the dialog's own background: no title is hovered any more.
static INT_PTR OnGuidesMouseMove(HWND dialog)
{
    HoverStep step = HoverButton.PointerOnBackground();
    Redraw(dialog, step.redrawPlain, FALSE);
    if (step.focusClose)
        SetFocus(GetDlgItem(dialog, kGuideClose));
    MakeGuideFontsIfPending(dialog);
    return FALSE;
}

INT_PTR CALLBACK GuidesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnGuidesInitDialog(dialog, reinterpret_cast<const char*>(lParam));
    case WM_PAINT:
        MakeGuideFontsIfPending(dialog);
        return FALSE;
    case WM_MOUSEMOVE:
        return OnGuidesMouseMove(dialog);
    case WM_DRAWITEM:
        return OnGuidesDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND:
        return OnGuidesCommand(dialog, wParam);
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(BannerBrush);
    case WM_DESTROY:
        // Nothing else ends the dialog, but should anything, it leaks nothing.
        ReleaseGuideObjects();
        return FALSE;
    default:
        return FALSE;
    }
}

static LRESULT OnGuideButtonSetCursor(HWND button)
{
    SetCursor(HandCursor);
    HoverStep step = HoverButton.PointerOnButton(GetDlgCtrlID(button));
    HWND dialog = GetParent(button);
    Redraw(dialog, step.redrawPlain, FALSE);
    Redraw(dialog, step.redrawHover, TRUE);
    return TRUE;
}

LRESULT CALLBACK GuideButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        PlayClickSound();
        return 1;
    case WM_SETCURSOR:
        return OnGuideButtonSetCursor(button);
    default:
        return CallWindowProcA(StdButtonProc, button, message, wParam, lParam);
    }
}
