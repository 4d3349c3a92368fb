// GDI objects of the launcher's two dialogs. Every one of them is made and
// deleted through these helpers, which keep the books in the menu's ledger.
#pragma once

#include <windows.h>

#include "core/gdi_ledger.h"

// The bold italic 11-point Arial of both dialogs, optionally underlined,
// sized for the device context of the dialog window.
HFONT CreateDialogFont(GdiLedger &ledger, HDC dc, BOOL underline);

// A bitmap of the launcher's resources; null when it cannot be loaded.
HBITMAP LoadDialogBitmap(GdiLedger &ledger, HINSTANCE instance, int id);

HBRUSH CreateDialogBrush(GdiLedger &ledger, COLORREF colour);

// Deletes *object if it is set and clears it, so that a second way out of
// a dialog cannot delete anything twice.
void DeleteDialogObject(GdiLedger &ledger, HFONT *object);
void DeleteDialogObject(GdiLedger &ledger, HBITMAP *object);
void DeleteDialogObject(GdiLedger &ledger, HBRUSH *object);
