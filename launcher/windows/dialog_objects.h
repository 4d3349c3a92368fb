// GDI objects of the launcher's two dialogs. Every one of them is made and
// deleted through these helpers; the test variant links its own, which
// count what is made and not yet deleted.
#pragma once

#include <windows.h>

// The bold italic 11-point Arial of both dialogs, optionally underlined,
// sized for the device context of the dialog window.
HFONT CreateDialogFont(HDC dc, BOOL underline);

// A bitmap of the launcher's resources; null when it cannot be loaded.
HBITMAP LoadDialogBitmap(HINSTANCE instance, int id);

HBRUSH CreateDialogBrush(COLORREF colour);

// Deletes *object if it is set and clears it, so that a second way out of
// a dialog cannot delete anything twice.
void DeleteDialogObject(HFONT *object);
void DeleteDialogObject(HBITMAP *object);
void DeleteDialogObject(HBRUSH *object);
