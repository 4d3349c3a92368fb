// Rows of a program's string table, read with the ANSI function.
#pragma once

#include <windows.h>

#include "common/core/string_source.h"

// Loads string `id` into buffer (`size` chars, NUL included). False, with
// an empty buffer, when the row does not exist or is empty.
bool LoadText(HINSTANCE instance, int id, char *buffer, int size);

// The string table of a module as the core reads it.
class ResourceStrings : public StringSource {
public:
    explicit ResourceStrings(HINSTANCE instance) : instance_(instance) {}
    bool Load(int id, char *buffer, std::size_t size) const override;

private:
    HINSTANCE instance_;
};
