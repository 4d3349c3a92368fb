// The fixed data blocks of type "Record" in the module's resources.
#ifndef DISKETTE_MAKER_WINDOWS_RECORD_BLOCKS_H
#define DISKETTE_MAKER_WINDOWS_RECORD_BLOCKS_H

#include <windows.h>

// The block's bytes and size, or null when the module lacks it.
const BYTE *LoadRecordBlock(int id, DWORD *size);

#endif
