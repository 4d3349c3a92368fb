// Whether the computer can show the maker's web page: TCP/IP is registered
// as an RPC client protocol, and some program opens .htm files.
#pragma once

#include <cstddef>

#include "common/core/string_source.h"
#include "core/menu_model.h"

enum class RegistryRoot {
    kLocalMachine,
    kClassesRoot,
};

enum class RegistryStatus {
    kRead,     // a string value was read; `bytesRead` bytes are in the buffer
    kReadData, // a value of another type was read, `bytesRead` bytes of it
    kTooLong,  // the value exists but does not fit the buffer
    kMissing,  // no such key or value, or another failure
};

// Read-only access to string values; the front end asks the real registry,
// the tests a table.
class RegistryReader {
public:
    // Reads value `name` (nullptr: the key's default value) of `key` into
    // buffer, which holds `size` bytes. The data need not be terminated.
    virtual RegistryStatus Read(RegistryRoot root, const char *key, const char *name, char *buffer,
                                std::size_t size, std::size_t *bytesRead) const = 0;

protected:
    ~RegistryReader() = default;
};

// Size of every registry read of the probe.
constexpr std::size_t kRegistryBufferSize = 255;

// Makes registry string data a C string inside buffer, which must hold
// kRegistryBufferSize + 1 bytes: the text ends at its first zero or at
// bytesRead, whichever comes first.
void TerminateRegistryText(char *buffer, std::size_t bytesRead);

// Joins a and b into dest (size bytes); false, with dest empty, when the
// result would not fit.
bool JoinKeyName(char *dest, std::size_t size, const char *a, const char *b);

// True when the web page can be shown.
bool WebAccessAvailable(const RegistryReader &registry);

// Sets entries 0 to 3 of unavailable to 0, then marks those of buttons 0 to
// 3 whose action code is the web update when the web cannot be reached.
// Buttons 4 to 7 are left alone.
void MarkWebButtons(bool webAvailable, const StringSource &strings,
                    unsigned char unavailable[kMaxButtons]);
