// The registered PDF-reader command comes from the registry as raw bytes,
// with or without a terminating NUL: the parser must never read past them.
// The input is copied into a buffer of exactly its size so that the address
// sanitizer catches any byte read beyond it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/reader_command.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > kReaderCommandSize)
        size = kReaderCommandSize;
    std::unique_ptr<char[]> value(new char[size ? size : 1]);
    if (size)
        std::memcpy(value.get(), data, size);

    char program[kReaderCommandSize];
    if (ExtractReaderProgram(value.get(), size, program, sizeof program)) {
        const std::size_t length = strnlen(program, sizeof program);
        if (length == 0 || length >= sizeof program)
            __builtin_trap();
    }
    return 0;
}
