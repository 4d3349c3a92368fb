// The launcher's command line is free text from whoever starts it: the
// bounded copy, the language search and the "remove" test must take any
// bytes of any length.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/language.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const unsigned short systemId = static_cast<unsigned short>(data[0] | data[1] << 8);
    std::vector<char> text(data + 2, data + size);
    text.push_back('\0');

    char copy[kCommandLineSize];
    CopyCommandLine(copy, sizeof copy, text.data());
    if (std::strlen(copy) >= kCommandLineSize)
        __builtin_trap();

    const unsigned short language = ChooseLanguage(systemId, copy);
    if (language < kEnglish || language > kFrench)
        __builtin_trap();

    LowercaseAndFindRemove(copy);
    return 0;
}
