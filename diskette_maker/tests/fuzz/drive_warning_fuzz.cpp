// The erase warning's format is a translated string: whatever it holds, the
// formatter must stay within its buffer and read no argument but the root.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/drive_warning.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::size_t capacity = data[0];
    std::vector<char> format(data + 1, data + size);
    format.push_back('\0');
    std::vector<char> out(capacity ? capacity : 1);
    const std::size_t length = FormatDriveWarning(format.data(), "A:\\", out.data(), capacity);
    if (capacity && (length >= capacity || std::strlen(out.data()) != length))
        __builtin_trap();
    return 0;
}
