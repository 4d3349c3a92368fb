#include "windows/dialog_objects.h"

namespace {

template <typename Handle>
Handle Noted(GdiLedger &ledger, Handle object)
{
    if (object != nullptr)
        ledger.NoteMade();
    return object;
}

void DeleteNoted(GdiLedger &ledger, HGDIOBJ *object)
{
    if (*object == nullptr)
        return;
    DeleteObject(*object);
    *object = nullptr;
    ledger.NoteDeleted();
}

} // namespace

HFONT CreateDialogFont(GdiLedger &ledger, HDC dc, BOOL underline)
{
    LOGFONTA font;
    ZeroMemory(&font, sizeof font);
    font.lfHeight = -MulDiv(11, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfWeight = FW_BOLD;
    font.lfItalic = TRUE;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
    return Noted(ledger, CreateFontIndirectA(&font));
}

HBITMAP LoadDialogBitmap(GdiLedger &ledger, HINSTANCE instance, int id)
{
    return Noted(ledger, LoadBitmapA(instance, MAKEINTRESOURCEA(id)));
}

HBRUSH CreateDialogBrush(GdiLedger &ledger, COLORREF colour)
{
    return Noted(ledger, CreateSolidBrush(colour));
}

void DeleteDialogObject(GdiLedger &ledger, HFONT *object)
{
    HGDIOBJ generic = *object;
    DeleteNoted(ledger, &generic);
    *object = nullptr;
}

void DeleteDialogObject(GdiLedger &ledger, HBITMAP *object)
{
    HGDIOBJ generic = *object;
    DeleteNoted(ledger, &generic);
    *object = nullptr;
}

void DeleteDialogObject(GdiLedger &ledger, HBRUSH *object)
{
    HGDIOBJ generic = *object;
    DeleteNoted(ledger, &generic);
    *object = nullptr;
}
