#include "windows/message_dialog.h"

#include "core/menu_model.h"
#include "core/message_painter.h"
#include "resource.h"
#include "windows/dialog_objects.h"
#include "windows/drawing.h"
#include "common/windows/string_row.h"

static_assert(kOdaDrawEntire == ODA_DRAWENTIRE && kOdaSelect == ODA_SELECT &&
                  kOdaFocus == ODA_FOCUS,
              "owner-draw actions");
static_assert(kOdsSelected == ODS_SELECTED && kOdsDisabled == ODS_DISABLED &&
                  kOdsFocus == ODS_FOCUS,
              "owner-draw states");

namespace {

// One opening of the notice: made by ShowMessageDialog, reached through
// DWLP_USER, and its font deleted when the dialog is destroyed.
struct MessageDialog {
    explicit MessageDialog(MenuState &owner) : menu(owner) {}

    MenuState &menu;
    HFONT MessageFont = nullptr;
    bool MessageFirstPaint = true;
};

MessageDialog *MessageDialogOf(HWND dialog)
{
    return reinterpret_cast<MessageDialog *>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The four looks of the notice's owner-drawn buttons. Each repaints the
// whole item rectangle.
void PaintButtonLook(HDC dc, const RECT *item, const char *label, HBRUSH face, Painter painter)
{
    FillRect(dc, item, face);
    ButtonLook look = LookOfPainter(painter, FromRECT(*item));
    for (int i = 0; i < look.frameCount; ++i) {
        RECT frame = ToRECT(look.frames[i].rect);
        int stock = look.frames[i].brush == FrameBrush::kBlack ? BLACK_BRUSH : LTGRAY_BRUSH;
        FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(stock)));
    }
    SetBkMode(dc, TRANSPARENT);
    COLORREF kept = 0;
    if (look.greyText)
        kept = SetTextColor(dc, kDisabledLabelColour);
    RECT text = *item;
    DrawTextA(dc, label, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    if (look.greyText)
        SetTextColor(dc, kept);
}

void DrawButtonNormal(HDC dc, const RECT *item, const char *label, HBRUSH face)
{
    PaintButtonLook(dc, item, label, face, Painter::kNormal);
}

void DrawButtonFocus(HDC dc, const RECT *item, const char *label, HBRUSH face)
{
    PaintButtonLook(dc, item, label, face, Painter::kFocus);
}

void DrawButtonPressed(HDC dc, const RECT *item, const char *label, HBRUSH face)
{
    PaintButtonLook(dc, item, label, face, Painter::kPressed);
}

void DrawButtonDisabled(HDC dc, const RECT *item, const char *label, HBRUSH face)
{
    PaintButtonLook(dc, item, label, face, Painter::kDisabled);
}

// The one-pixel black line along the edge of the borderless dialog.
void FrameDialog(HWND dialog, HDC dc)
{
    RECT client;
    GetClientRect(dialog, &client);
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

HBRUSH InfoBrush()
{
    return GetSysColorBrush(COLOR_INFOBK);
}

INT_PTR OnMessageInitDialog(HWND dialog, MessageDialog &notice)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&notice));
    CentreOnOwnerWindow(dialog);
    return TRUE;
}

// The text and its font arrive with the first paint; every paint frames.
INT_PTR OnMessagePaint(HWND dialog, MessageDialog &notice)
{
    HDC dc = GetDC(dialog);
    if (notice.MessageFirstPaint) {
        notice.MessageFirstPaint = false;
        SetMapMode(dc, MM_TEXT);
        notice.MessageFont = CreateDialogFont(dc, FALSE);
        WPARAM font = reinterpret_cast<WPARAM>(notice.MessageFont);
        SendDlgItemMessageA(dialog, kMessageText, WM_SETFONT, font, TRUE);
        SendDlgItemMessageA(dialog, kMessageOk, WM_SETFONT, font, TRUE);
        char text[kTextBufferSize];
        LoadText(notice.menu.MenuInstance, MessageTextId(notice.menu.LanguageIndex), text,
                 sizeof text);
        SetDlgItemTextA(dialog, kMessageText, text);
        FrameDialog(dialog, dc);
        ReleaseDC(dialog, dc);
        SetFocus(GetDlgItem(dialog, kMessageOk));
        return FALSE;
    }
    FrameDialog(dialog, dc);
    ReleaseDC(dialog, dc);
    return FALSE;
}

// The default painting erases the client area after WM_PAINT has framed
// it, so the erase draws the frame again on top of the background.
INT_PTR OnMessageEraseBackground(HWND dialog, HDC dc)
{
    RECT client;
    GetClientRect(dialog, &client);
    FillRect(dc, &client, InfoBrush());
    FrameDialog(dialog, dc);
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

using ButtonPainter = void (*)(HDC, const RECT *, const char *, HBRUSH);

INT_PTR OnMessageDrawItem(MessageDialog &notice, const DRAWITEMSTRUCT *item)
{
    if (item == nullptr)
        return FALSE;
    unsigned labelId = MessageLabelId(static_cast<int>(item->CtlID), notice.menu.LanguageIndex);
    if (labelId == 0)
        return FALSE;
    static const ButtonPainter painters[] = {
        DrawButtonNormal,
        DrawButtonFocus,
        DrawButtonPressed,
        DrawButtonDisabled,
    };
    Painter chosen[4];
    int count = ChooseMessagePainters(static_cast<int>(item->CtlID), item->itemAction,
                                      item->itemState, chosen);
    HBRUSH face = CreateDialogBrush(kMessageFaceColour);
    char label[kTextBufferSize];
    LoadText(notice.menu.MenuInstance, labelId, label, sizeof label);
    for (int i = 0; i < count; ++i)
        painters[static_cast<int>(chosen[i])](item->hDC, &item->rcItem, label, face);
    DeleteDialogObject(&face);
    return TRUE;
}

// Every way out ends here; the font goes on WM_DESTROY.
INT_PTR OnMessageCommand(HWND dialog, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case kMessageOk:
        EndDialog(dialog, 1);
        return TRUE;
    case kMessageCancel: // also Esc and the system close
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnMessageInitDialog(dialog, *reinterpret_cast<MessageDialog *>(lParam));
    MessageDialog *state = MessageDialogOf(dialog);
    if (state == nullptr)
        return FALSE;
    MessageDialog &notice = *state;
    switch (message) {
    case WM_PAINT:
        return OnMessagePaint(dialog, notice);
    case WM_ERASEBKGND:
        return OnMessageEraseBackground(dialog, reinterpret_cast<HDC>(wParam));
    case WM_DRAWITEM:
        return OnMessageDrawItem(notice, reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
    case WM_COMMAND:
        return OnMessageCommand(dialog, wParam);
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        // A high-contrast theme may make the tooltip colour dark: its text
        // colour goes with it.
        if (notice.menu.Look.highContrast)
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_INFOTEXT));
        return reinterpret_cast<INT_PTR>(InfoBrush());
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(InfoBrush());
    case WM_DESTROY:
        DeleteDialogObject(&notice.MessageFont);
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

void ShowMessageDialog(HWND owner, MenuState &menu)
{
    MessageDialog notice(menu);
    DialogBoxParamA(menu.MenuInstance, MAKEINTRESOURCEA(IDD_MESSAGE), owner, MessageDialogProc,
                    reinterpret_cast<LPARAM>(&notice));
}
