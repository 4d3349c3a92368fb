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
const char *FindOption(const char *tail)
{
    static const char kWord[] = "-image";
    for (const char *p = tail; *p; p++) {
        if (p != tail && !Blank(p[-1]))
            continue;
        size_t i = 0;
        while (kWord[i] && Lower(p[i]) == kWord[i])
            i++;
        if (!kWord[i] && (p[i] == '\0' || Blank(p[i])))
            return p;
    }
    return nullptr;
}

} // namespace

void TakeImageOption(const char *tail, ImageOption &option, char *rest, size_t restCapacity)
{
    option.present = false;
    option.path[0] = '\0';
    const char *at = FindOption(tail);
    const char *after = at; // where the tail goes on behind the option and its path
    if (at) {
        option.present = true;
        const char *p = at + 6;
        while (Blank(*p))
            p++;
        const char *start = p;
        const char *end = p;
        after = p;
        if (*p == '"') {
            start = end = p + 1;
            while (*end && *end != '"')
                end++;
            after = *end ? end + 1 : end;
        } else if (*p && *p != '-') {
            while (*end && !Blank(*end))
                end++;
            after = end;
        }
        size_t length = static_cast<size_t>(end - start);
        if (length < kImagePathSize) {
            memcpy(option.path, start, length);
            option.path[length] = '\0';
        }
    }
    // The tail without them; a blank in their place keeps the words apart.
    size_t used = 0;
    for (const char *p = tail; *p && used + 1 < restCapacity; p++) {
        if (at && p >= at && p < after) {
            if (p == at)
                rest[used++] = ' ';
            continue;
        }
        rest[used++] = *p;
    }
    if (restCapacity)
        rest[used] = '\0';
}
