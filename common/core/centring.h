// Centring arithmetic of every window and dialog of the three programs.
// Every division truncates toward zero (C++ signed division), so a window
// larger than its reference gets a negative origin, as Windows expects.
#pragma once

#include "common/core/geometry.h"

// One axis: (reference extent + near edge - far edge) / 2.
inline int CentreCoordinate(int referenceExtent, int nearEdge, int farEdge)
{
    return (referenceExtent + nearEdge - farEdge) / 2;
}

// Origin that centres `window` on a reference area of the given size whose
// origin is (0, 0): the work area or the whole screen.
Point CentreInArea(int referenceWidth, int referenceHeight, const Rect &window);

// Origin that centres `window` on the rectangle of its owner, both in screen
// coordinates: owner.left + (owner width - window width) / 2, likewise for y.
Point CentreOnOwner(const Rect &owner, const Rect &window);
