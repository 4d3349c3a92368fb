// Test variant only, in place of windows/dialog_objects.cpp: the shipping
// helpers, compiled here inside a namespace of their own, with books kept of
// what the dialogs made and have not deleted yet. Windows 9x has a small GDI
// heap and no way to ask how much of it a process holds; after any number of
// openings the balance must be back where it started.
#include "tests/variant/dialog_object_count.h"
#include "windows/dialog_objects.h"

namespace shipping {
#include "windows/dialog_objects.cpp"
} // namespace shipping

namespace {

long Live; // objects made and not yet deleted; one menu per process

template <typename Handle> Handle Noted(Handle object)
{
    if (object != nullptr)
        ++Live;
    return object;
}

template <typename Handle> void DeleteNoted(Handle *object)
{
    if (*object != nullptr)
        --Live;
    shipping::DeleteDialogObject(object);
}

} // namespace

long LiveDialogObjects()
{
    return Live;
}

HFONT CreateDialogFont(HDC dc, BOOL underline)
{
    return Noted(shipping::CreateDialogFont(dc, underline));
}

HBITMAP LoadDialogBitmap(HINSTANCE instance, int id)
{
    return Noted(shipping::LoadDialogBitmap(instance, id));
}

HBRUSH CreateDialogBrush(COLORREF colour)
{
    return Noted(shipping::CreateDialogBrush(colour));
}

void DeleteDialogObject(HFONT *object)
{
    DeleteNoted(object);
}

void DeleteDialogObject(HBITMAP *object)
{
    DeleteNoted(object);
}

void DeleteDialogObject(HBRUSH *object)
{
    DeleteNoted(object);
}
