#include "core/path_list.h"

#include <cstring>

namespace {

// Offset of the list's closing NUL, or capacity when there is none.
size_t ClosingNul(const char *list, size_t capacity)
{
    size_t at = 0;
    while (at < capacity && list[at] != '\0') {
        while (at < capacity && list[at] != '\0')
            at++;
        at++; // past the entry's own NUL
    }
    return at < capacity ? at : capacity;
}

// Bytes the list would occupy with path added, or 0 if it cannot take it.
size_t BytesAfterAppend(const char *list, const char *path, size_t capacity)
{
    size_t end = ClosingNul(list, capacity);
    size_t length = strlen(path);
    if (end >= capacity || length == 0)
        return 0;
    if (length > capacity || end + length + 2 > capacity)
        return 0;
    return end + length + 2;
}

} // namespace

size_t PathListBytes(const char *list, size_t capacity)
{
    size_t end = ClosingNul(list, capacity);
    return end < capacity ? end + 1 : 0;
}

size_t AppendToPathList(char *list, const char *path, size_t capacity)
{
    size_t total = BytesAfterAppend(list, path, capacity);
    if (total == 0)
        return 0;
    size_t end = ClosingNul(list, capacity);
    size_t length = total - end - 2;
    memcpy(list + end, path, length);
    list[end + length] = '\0';
    list[end + length + 1] = '\0';
    return total;
}

bool AppendToPathListPair(char *first, const char *firstPath, size_t firstCapacity, char *second,
                          const char *secondPath, size_t secondCapacity)
{
    if (BytesAfterAppend(first, firstPath, firstCapacity) == 0 ||
        BytesAfterAppend(second, secondPath, secondCapacity) == 0)
        return false;
    AppendToPathList(first, firstPath, firstCapacity);
    AppendToPathList(second, secondPath, secondCapacity);
    return true;
}
