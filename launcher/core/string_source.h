// Where the menu's texts come from: the program's string table in the
// Windows front end, a plain table in the unit tests.
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

// Measures a text in the font the front end has selected.
class TextMeasure {
public:
    virtual int Width(const char *text) const = 0;

protected:
    ~TextMeasure() = default;
};
