#include "windows/record_blocks.h"

#include "resource.h"
#include "windows/module_instance.h"

const BYTE *LoadRecordBlock(int id, DWORD *size)
{
    *size = 0;
    HRSRC found = FindResourceA(ModuleInstance(), MAKEINTRESOURCEA(id), RECORD_TYPE_NAME);
    if (!found)
        return NULL;
    HGLOBAL loaded = LoadResource(ModuleInstance(), found);
    const BYTE *bytes = loaded ? (const BYTE *)LockResource(loaded) : NULL;
    if (bytes)
        *size = SizeofResource(ModuleInstance(), found);
    return bytes;
}
