// Window placement rules of the picker: the dialog's centring and the main
// window that stays where it was minimized.
#ifndef ACROBAT_PICKER_PLACEMENT_H
#define ACROBAT_PICKER_PLACEMENT_H

enum {
    // SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOOWNERZORDER
    FrozenWindowPosFlags = 0x0001 | 0x0002 | 0x0008 | 0x0200
};

// Left (or top) edge that centres a window spanning `low`..`high` on a
// reference `extent` wide: (extent + low - high) / 2, truncated toward zero.
int CentredOrigin(int extent, int low, int high);

// Flags a WM_WINDOWPOSCHANGING goes on with. The first change (the window
// being shown minimized) passes untouched and sets `*seen`; every later one
// is frozen, so restoring, moving or sizing leaves the window as it is.
unsigned FilterWindowPosFlags(int *seen, unsigned flags);

#endif
