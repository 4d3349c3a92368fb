#include "core/reader_command.h"

#include <cstring>

#include "common/core/text_builder.h"

bool ExtractReaderProgram(const char *data, std::size_t length, char *out, std::size_t outSize)
{
    if (out != nullptr && outSize != 0)
        out[0] = '\0';
    if (data == nullptr)
        return false;
    // A REG_SZ may or may not carry its NUL; the text ends at whichever
    // comes first, the NUL or the bytes actually returned.
    const char *begin = data;
    const char *end = data + BoundedLength(data, length);

    if (const void *quote = std::memchr(begin, '"', std::size_t(end - begin)))
        begin = static_cast<const char *>(quote) + 1;

    for (const char *p = end; p != begin; --p) {
        if (p[-1] == ' ') {
            end = p - 1;
            break;
        }
    }

    if (const void *quote = std::memchr(begin, '"', std::size_t(end - begin)))
        end = static_cast<const char *>(quote);

    if (begin == end)
        return false;
    TextBuilder b(out, outSize);
    b.Add(begin, std::size_t(end - begin));
    return b.Finish();
}

bool ReaderVersionSuffices(bool hasVersion, std::uint32_t versionMS, std::uint32_t required)
{
    return hasVersion && versionMS >= required;
}
