// The launcher's string table, read with the ANSI functions.
#pragma once

#include <windows.h>

#include "core/string_source.h"

// Loads string id into buffer; an empty buffer when it does not exist.
bool LoadText(HINSTANCE instance, int id, char *buffer, int size);

class ResourceStrings : public StringSource {
public:
    explicit ResourceStrings(HINSTANCE instance) : instance_(instance) {}
    bool Load(int id, char *buffer, std::size_t size) const override;

private:
    HINSTANCE instance_;
};
