#include "core/image_option.h"

#include <cstring>

namespace {

bool Blank(char c)
{
    return c == ' ' || c == '\t';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The option as a word of its own: "-image" in any case, with a blank or
// the end on both sides.
const char* FindOption(const char* tail)
{
    static const char Word[] = "-image";
    for (const char* p = tail; *p; p++) {
        if (p != tail && !Blank(p[-1]))
            continue;
        size_t i = 0;
        while (Word[i] && Lower(p[i]) == Word[i])
            i++;
        if (!Word[i] && (p[i] == '\0' || Blank(p[i])))
            return p;
    }
    return nullptr;
}

void Append(char* rest, size_t capacity, size_t& used, const char* from, size_t length)
{
    if (capacity == 0)
        return;
    size_t room = capacity - 1 - used;
    if (length > room)
        length = room;
    memcpy(rest + used, from, length);
    used += length;
    rest[used] = '\0';
}

}  // namespace

void TakeImageOption(const char* tail, ImageOption& option, char* rest, size_t restCapacity)
{
    option.present = false;
    option.path[0] = '\0';
    size_t used = 0;
    if (restCapacity)
        rest[0] = '\0';
    const char* at = FindOption(tail);
    if (!at) {
        Append(rest, restCapacity, used, tail, strlen(tail));
        return;
    }
    option.present = true;
    Append(rest, restCapacity, used, tail, static_cast<size_t>(at - tail));

    const char* p = at + 6;
    while (Blank(*p))
        p++;
    const char* start = p;
    const char* end = p;
    const char* after = p;
    if (*p == '"') {
        start = p + 1;
        end = strchr(start, '"');
        if (!end)
            end = start + strlen(start);
        after = *end ? end + 1 : end;
    } else if (*p && *p != '-') {
        while (*end && !Blank(*end))
            end++;
        after = end;
    }
    size_t length = static_cast<size_t>(end - start);
    if (length < ImagePathSize) {
        memcpy(option.path, start, length);
        option.path[length] = '\0';
    }
    Append(rest, restCapacity, used, " ", 1);
    Append(rest, restCapacity, used, after, strlen(after));
}
