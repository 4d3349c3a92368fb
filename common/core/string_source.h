// Where a program's texts come from: its string table in the Windows front
// end, a plain table in the unit tests.
#pragma once

#include <cstddef>

class StringSource {
public:
    // Copies string `id` into buffer (always terminated when size > 0) and
    // answers whether the string exists and is not empty.
    virtual bool Load(int id, char *buffer, std::size_t size) const = 0;

protected:
    ~StringSource() = default;
};
