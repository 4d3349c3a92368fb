#include "windows/dialog_objects.h"

#include "core/gdi_ledger.h"
#include "windows/menu_window.h"

namespace {

template <typename Handle>
Handle Noted(Handle object)
{
    if (object != NULL)
        NoteGdiObjectMade();
    return object;
}

void DeleteNoted(HGDIOBJ* object)
{
    if (*object == NULL)
        return;
    DeleteObject(*object);
    *object = NULL;
    NoteGdiObjectDeleted();
}

}  // namespace

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

HBITMAP LoadDialogBitmap(int id)
{
    return Noted(LoadBitmapA(MenuInstance, MAKEINTRESOURCEA(id)));
}

HBRUSH CreateDialogBrush(COLORREF colour)
{
    return Noted(CreateSolidBrush(colour));
}

void DeleteDialogObject(HFONT* object)
{
    HGDIOBJ generic = *object;
    DeleteNoted(&generic);
    *object = NULL;
}

void DeleteDialogObject(HBITMAP* object)
{
    HGDIOBJ generic = *object;
    DeleteNoted(&generic);
    *object = NULL;
}

void DeleteDialogObject(HBRUSH* object)
{
    HGDIOBJ generic = *object;
    DeleteNoted(&generic);
    *object = NULL;
}
