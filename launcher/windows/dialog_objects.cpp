#include "windows/dialog_objects.h"

#include "core/gdi_ledger.h"

namespace {

template <typename Handle>
Handle Noted(Handle object)
{
    if (object != nullptr)
        NoteGdiObjectMade();
    return object;
}

void DeleteNoted(HGDIOBJ *object)
{
    if (*object == nullptr)
        return;
    DeleteObject(*object);
    *object = nullptr;
    NoteGdiObjectDeleted();
}

} // namespace

HFONT CreateDialogFont(HDC dc, BOOL underline)
{
    LOGFONTA font;
    ZeroMemory(&font, sizeof font);
    font.lfHeight = -MulDiv(11, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfWeight = FW_BOLD;
    font.lfItalic = TRUE;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
    return Noted(CreateFontIndirectA(&font));
}

HBITMAP LoadDialogBitmap(HINSTANCE instance, int id)
{
    return Noted(LoadBitmapA(instance, MAKEINTRESOURCEA(id)));
}

HBRUSH CreateDialogBrush(COLORREF colour)
{
    return Noted(CreateSolidBrush(colour));
}

void DeleteDialogObject(HFONT *object)
{
    HGDIOBJ generic = *object;
    DeleteNoted(&generic);
    *object = nullptr;
}

void DeleteDialogObject(HBITMAP *object)
{
    HGDIOBJ generic = *object;
    DeleteNoted(&generic);
    *object = nullptr;
}

void DeleteDialogObject(HBRUSH *object)
{
    HGDIOBJ generic = *object;
    DeleteNoted(&generic);
    *object = nullptr;
}
