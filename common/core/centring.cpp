#include "common/core/centring.h"

Point CentreInArea(int referenceWidth, int referenceHeight, const Rect &window)
{
    return Point{CentreCoordinate(referenceWidth, window.left, window.right),
                 CentreCoordinate(referenceHeight, window.top, window.bottom)};
}

Point CentreOnOwner(const Rect &owner, const Rect &window)
{
    return Point{owner.left + (RectWidth(owner) - RectWidth(window)) / 2,
                 owner.top + (RectHeight(owner) - RectHeight(window)) / 2};
}
