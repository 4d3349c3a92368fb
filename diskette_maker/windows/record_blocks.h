// The fixed data blocks of type "Record" in the module's resources.
#pragma once

#include <windows.h>

// The block's bytes and size, or null when the module lacks it.
const BYTE *LoadRecordBlock(int id, DWORD *size);
