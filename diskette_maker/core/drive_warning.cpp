#include "core/drive_warning.h"

namespace {

// Appends what fits of text (at most `limit` characters) to out.
void Append(char *out, std::size_t size, std::size_t *length, const char *text, std::size_t limit)
{
    for (std::size_t i = 0; i < limit && text[i] && *length + 1 < size; ++i)
        out[(*length)++] = text[i];
}

// Reads a text conversion at format[0] == '%': "%s" or "%.Ns". Returns the
// characters it spans (0 when it is no such conversion) and its precision.
std::size_t TextConversion(const char *format, std::size_t *precision)
{
    std::size_t i = 1;
    *precision = static_cast<std::size_t>(-1);
    if (format[i] == '.') {
        ++i;
        std::size_t n = 0;
        if (format[i] < '0' || format[i] > '9')
            return 0;
        for (; format[i] >= '0' && format[i] <= '9'; ++i)
            n = n < 1000 ? n * 10 + static_cast<std::size_t>(format[i] - '0') : n;
        *precision = n;
    }
    return format[i] == 's' ? i + 1 : 0;
}

} // namespace

std::size_t FormatDriveWarning(const char *format, const char *root, char *out, std::size_t size)
{
    if (size == 0)
        return 0;
    std::size_t length = 0;
    bool rootUsed = false;
    while (*format && length + 1 < size) {
        if (format[0] == '%' && format[1] == '%') {
            out[length++] = '%';
            format += 2;
            continue;
        }
        std::size_t precision;
        const std::size_t span =
            format[0] == '%' && !rootUsed ? TextConversion(format, &precision) : 0;
        if (span) {
            Append(out, size, &length, root ? root : "", precision);
            rootUsed = true;
            format += span;
            continue;
        }
        out[length++] = *format++;
    }
    out[length] = '\0';
    return length;
}
