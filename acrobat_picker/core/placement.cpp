#include "core/placement.h"

unsigned FilterWindowPosFlags(bool &seen, unsigned flags)
{
    if (!seen) {
        seen = true;
        return flags;
    }
    return kFrozenWindowPosFlags;
}
