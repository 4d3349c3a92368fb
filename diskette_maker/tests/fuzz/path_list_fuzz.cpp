// Path lists are filled from folder names the system hands us (the temporary
// folder, the CD root) of any length. Whatever is appended, a list must stay
// within its capacity, keep its closing NUL, and a pair of lists must stay
// entry for entry alike.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/path_list.h"

namespace {

std::size_t CountEntries(const char *list, std::size_t capacity)
{
    std::size_t entries = 0;
    std::size_t i = 0;
    while (i < capacity && list[i]) {
        i += std::strlen(list + i) + 1;
        ++entries;
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::size_t capacity = 1 + data[0] % 64;
    const std::size_t partnerCapacity = 1 + data[1] % 128;
    std::vector<char> list(capacity, 0);
    std::vector<char> saved(capacity, 0);
    std::vector<char> partner(partnerCapacity, 0);

    std::string path;
    for (std::size_t i = 2; i <= size; ++i) {
        if (i < size && data[i] != '\n') {
            path.push_back(static_cast<char>(data[i]));
            continue;
        }
        const std::size_t before = PathListBytes(list.data(), capacity);
        const std::size_t after = AppendToPathList(list.data(), path.c_str(), capacity);
        if (after > capacity || (after && after != PathListBytes(list.data(), capacity)))
            __builtin_trap();
        if (!after && PathListBytes(list.data(), capacity) != before)
            __builtin_trap();

        const std::string twin = path + path;
        AppendToPathListPair(saved.data(), path.c_str(), capacity, partner.data(), twin.c_str(),
                             partnerCapacity);
        if (CountEntries(saved.data(), capacity) != CountEntries(partner.data(), partnerCapacity))
            __builtin_trap();
        path.clear();
    }
    return 0;
}
