#include "windows/message_dialog.h"

#include "core/menu_model.h"
#include "core/message_painter.h"
#include "windows/dialog_objects.h"
#include "windows/drawing.h"
#include "windows/menu_window.h"
#include "windows/strings.h"

static_assert(kOdaDrawEntire == ODA_DRAWENTIRE && kOdaSelect == ODA_SELECT && kOdaFocus == ODA_FOCUS,
              "owner-draw actions");
static_assert(kOdsSelected == ODS_SELECTED && kOdsDisabled == ODS_DISABLED && kOdsFocus == ODS_FOCUS,
              "owner-draw states");

// One notice at a time: made afresh at each opening.
static HFONT MessageFont;
static BOOL MessageFirstPaint;

static void PaintButtonLook(HDC dc, const RECT* item, const char* label, HBRUSH face, Painter painter)
{
    FillRect(dc, item, face);
    ButtonLook look = LookOfPainter(painter, FromRECT(*item));
    for (int i = 0; i < look.frameCount; ++i) {
        RECT frame = ToRECT(look.frames[i].rect);
        int stock = look.frames[i].brush == FrameBrush::Black ? BLACK_BRUSH : LTGRAY_BRUSH;
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

void DrawButtonNormal(HDC dc, const RECT* item, const char* label, HBRUSH face)
{
    PaintButtonLook(dc, item, label, face, Painter::Normal);
}

void DrawButtonFocus(HDC dc, const RECT* item, const char* label, HBRUSH face)
{
    PaintButtonLook(dc, item, label, face, Painter::Focus);
}

void DrawButtonPressed(HDC dc, const RECT* item, const char* label, HBRUSH face)
{
    PaintButtonLook(dc, item, label, face, Painter::Pressed);
}

void DrawButtonDisabled(HDC dc, const RECT* item, const char* label, HBRUSH face)
{
    PaintButtonLook(dc, item, label, face, Painter::Disabled);
}

// The one-pixel black line along the edge of the borderless dialog.
static void FrameDialog(HWND dialog, HDC dc)
{
    RECT client;
    GetClientRect(dialog, &client);
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

static HBRUSH InfoBrush()
{
    return GetSysColorBrush(COLOR_INFOBK);
}

static INT_PTR OnMessageInitDialog(HWND dialog)
{
    MessageFirstPaint = TRUE;
    CentreOnOwnerWindow(dialog);
    return TRUE;
}

// The text and its font arrive with the first paint; every paint frames.
static INT_PTR OnMessagePaint(HWND dialog)
{
    HDC dc = GetDC(dialog);
    if (MessageFirstPaint) {
        MessageFirstPaint = FALSE;
        SetMapMode(dc, MM_TEXT);
        MessageFont = CreateDialogFont(dc, FALSE);
        SendDlgItemMessageA(dialog, kMessageText, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont), TRUE);
        SendDlgItemMessageA(dialog, kMessageOk, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont), TRUE);
        char text[kTextBufferSize];
        LoadText(MenuInstance, MessageTextId(LanguageIndex), text, sizeof text);
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
static INT_PTR OnMessageEraseBackground(HWND dialog, HDC dc)
{
    RECT client;
    GetClientRect(dialog, &client);
    FillRect(dc, &client, InfoBrush());
    FrameDialog(dialog, dc);
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

typedef void (*ButtonPainter)(HDC, const RECT*, const char*, HBRUSH);

static INT_PTR OnMessageDrawItem(const DRAWITEMSTRUCT* item)
{
    if (item == NULL)
        return FALSE;
    unsigned labelId = MessageLabelId(static_cast<int>(item->CtlID), LanguageIndex);
    if (labelId == 0)
        return FALSE;
    static const ButtonPainter painters[] = {
        DrawButtonNormal, DrawButtonFocus, DrawButtonPressed, DrawButtonDisabled,
    };
    Painter chosen[4];
    int count = ChooseMessagePainters(static_cast<int>(item->CtlID), item->itemAction, item->itemState, chosen);
    HBRUSH face = CreateDialogBrush(kMessageFaceColour);
    char label[kTextBufferSize];
    LoadText(MenuInstance, labelId, label, sizeof label);
    for (int i = 0; i < count; ++i)
        painters[static_cast<int>(chosen[i])](item->hDC, &item->rcItem, label, face);
    DeleteDialogObject(&face);
    return TRUE;
}

static INT_PTR EndMessageDialog(HWND dialog, INT_PTR result)
{
    DeleteDialogObject(&MessageFont);
    EndDialog(dialog, result);
    return TRUE;
}

static INT_PTR OnMessageCommand(HWND dialog, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case kMessageOk:
        return EndMessageDialog(dialog, 1);
    case kMessageCancel:   // also Esc and the system close
        return EndMessageDialog(dialog, 0);
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnMessageInitDialog(dialog);
    case WM_PAINT:
        return OnMessagePaint(dialog);
    case WM_ERASEBKGND:
        return OnMessageEraseBackground(dialog, reinterpret_cast<HDC>(wParam));
    case WM_DRAWITEM:
        return OnMessageDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND:
        return OnMessageCommand(dialog, wParam);
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(InfoBrush());
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(InfoBrush());
    case WM_DESTROY:
        // However the dialog went, the font goes with it.
        DeleteDialogObject(&MessageFont);
        return FALSE;
    default:
        return FALSE;
    }
}
