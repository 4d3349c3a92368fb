#include "core/placement.h"

int CentredOrigin(int extent, int low, int high)
{
    return (extent + low - high) / 2;
}

unsigned FilterWindowPosFlags(int *seen, unsigned flags)
{
    if (!*seen) {
        *seen = 1;
        return flags;
    }
    return FrozenWindowPosFlags;
}
