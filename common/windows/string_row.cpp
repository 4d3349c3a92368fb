#include "common/windows/string_row.h"

bool LoadText(HINSTANCE instance, int id, char *buffer, int size)
{
    if (size <= 0)
        return false;
    buffer[0] = '\0';
    return LoadStringA(instance, id, buffer, size) > 0;
}

bool ResourceStrings::Load(int id, char *buffer, std::size_t size) const
{
    return LoadText(instance_, id, buffer, static_cast<int>(size));
}
