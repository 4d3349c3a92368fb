// A string table for the unit tests: id -> text.
#pragma once

#include <cstring>
#include <map>
#include <string>

#include "common/core/string_source.h"

class FakeStrings : public StringSource {
public:
    FakeStrings() = default;
    FakeStrings(std::initializer_list<std::pair<const int, std::string>> rows) : rows_(rows) {}

    void Set(int id, const std::string &text) { rows_[id] = text; }

    bool Load(int id, char *buffer, std::size_t size) const override
    {
        if (size == 0)
            return false;
        buffer[0] = '\0';
        auto it = rows_.find(id);
        if (it == rows_.end() || it->second.empty())
            return false;
        std::size_t n = std::min(size - 1, it->second.size());
        std::memcpy(buffer, it->second.data(), n);
        buffer[n] = '\0';
        return true;
    }

private:
    std::map<int, std::string> rows_;
};

// The shipped string table, read from the launcher's resource script: every
// row that is one plain string literal (the rows that splice in the web
// host are left out).
std::map<int, std::string> ReadShippedStringTable();
