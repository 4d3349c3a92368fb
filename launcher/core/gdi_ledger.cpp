#include "core/gdi_ledger.h"

namespace {
long LiveObjects;
}

void NoteGdiObjectMade()
{
    ++LiveObjects;
}

void NoteGdiObjectDeleted()
{
    --LiveObjects;
}

long LiveGdiObjects()
{
    return LiveObjects;
}
