#include "windows/dialog_objects.h"

namespace {

void DeleteIfSet(HGDIOBJ object)
{
    if (object != nullptr)
        DeleteObject(object);
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
    return CreateFontIndirectA(&font);
}

HBITMAP LoadDialogBitmap(HINSTANCE instance, int id)
{
    return LoadBitmapA(instance, MAKEINTRESOURCEA(id));
}

HBRUSH CreateDialogBrush(COLORREF colour)
{
    return CreateSolidBrush(colour);
}

void DeleteDialogObject(HFONT *object)
{
    DeleteIfSet(*object);
    *object = nullptr;
}

void DeleteDialogObject(HBITMAP *object)
{
    DeleteIfSet(*object);
    *object = nullptr;
}

void DeleteDialogObject(HBRUSH *object)
{
    DeleteIfSet(*object);
    *object = nullptr;
}
