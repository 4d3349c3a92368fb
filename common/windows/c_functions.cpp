// The few C library functions that the programs and their cores call, for
// programs that link no C runtime (program_entry.cpp). Plain loops: the
// strings and blocks are short, and small code matters more here than
// speed. The heap is the process heap, which frees everything at exit.
#include <windows.h>

#include <stddef.h>

extern "C" {

void *memcpy(void *to, const void *from, size_t n)
{
    unsigned char *t = static_cast<unsigned char *>(to);
    const unsigned char *f = static_cast<const unsigned char *>(from);
    while (n--)
        *t++ = *f++;
    return to;
}

void *memmove(void *to, const void *from, size_t n)
{
    unsigned char *t = static_cast<unsigned char *>(to);
    const unsigned char *f = static_cast<const unsigned char *>(from);
    if (t <= f || t >= f + n)
        return memcpy(to, from, n);
    while (n--)
        t[n] = f[n];
    return to;
}

void *memset(void *to, int value, size_t n)
{
    unsigned char *t = static_cast<unsigned char *>(to);
    while (n--)
        *t++ = static_cast<unsigned char>(value);
    return to;
}

int memcmp(const void *a, const void *b, size_t n)
{
    const unsigned char *p = static_cast<const unsigned char *>(a);
    const unsigned char *q = static_cast<const unsigned char *>(b);
    for (; n; n--, p++, q++)
        if (*p != *q)
            return *p - *q;
    return 0;
}

void *memchr(const void *block, int value, size_t n)
{
    const unsigned char *p = static_cast<const unsigned char *>(block);
    for (; n; n--, p++)
        if (*p == static_cast<unsigned char>(value))
            return const_cast<unsigned char *>(p);
    return nullptr;
}

size_t strlen(const char *s)
{
    const char *p = s;
    while (*p)
        p++;
    return static_cast<size_t>(p - s);
}

int strncmp(const char *a, const char *b, size_t n)
{
    for (; n; n--, a++, b++) {
        unsigned char c = static_cast<unsigned char>(*a), d = static_cast<unsigned char>(*b);
        if (c != d || !c)
            return c - d;
    }
    return 0;
}

int strcmp(const char *a, const char *b)
{
    return strncmp(a, b, static_cast<size_t>(-1));
}

char *strcpy(char *to, const char *from)
{
    char *t = to;
    while ((*t++ = *from++) != '\0') {}
    return to;
}

char *strchr(const char *s, int c)
{
    for (;; s++) {
        if (*s == static_cast<char>(c))
            return const_cast<char *>(s);
        if (!*s)
            return nullptr;
    }
}

char *strrchr(const char *s, int c)
{
    const char *found = nullptr;
    for (;; s++) {
        if (*s == static_cast<char>(c))
            found = s;
        if (!*s)
            return const_cast<char *>(found);
    }
}

char *strstr(const char *s, const char *part)
{
    size_t n = strlen(part);
    for (; *s; s++)
        if (strncmp(s, part, n) == 0)
            return const_cast<char *>(s);
    return n ? nullptr : const_cast<char *>(s);
}

size_t strcspn(const char *s, const char *stops)
{
    size_t n = 0;
    while (s[n] && !strchr(stops, s[n]))
        n++;
    return n;
}

void *malloc(size_t size)
{
    return HeapAlloc(GetProcessHeap(), 0, size);
}

void *calloc(size_t count, size_t size)
{
    if (size && count > static_cast<size_t>(-1) / size)
        return nullptr;
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, count * size);
}

void *realloc(void *block, size_t size)
{
    if (!block)
        return malloc(size);
    return HeapReAlloc(GetProcessHeap(), 0, block, size);
}

void free(void *block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

// An insertion sort: the lists sorted here are one folder's names.
void qsort(void *base, size_t count, size_t size, int (*compare)(const void *, const void *))
{
    unsigned char *items = static_cast<unsigned char *>(base);
    for (size_t i = 1; i < count; i++)
        for (size_t j = i; j > 0 && compare(items + (j - 1) * size, items + j * size) > 0; j--) {
            unsigned char *a = items + (j - 1) * size, *b = items + j * size;
            for (size_t k = 0; k < size; k++) {
                unsigned char t = a[k];
                a[k] = b[k];
                b[k] = t;
            }
        }
}

} // extern "C"
