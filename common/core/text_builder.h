// Bounded string assembly for fixed buffers. Once a piece does not fit the
// builder stays failed, so a caller checks once at the end and never uses
// a truncated result.
#pragma once

#include <cstddef>
#include <initializer_list>

class TextBuilder {
public:
    TextBuilder(char *buffer, std::size_t size);

    TextBuilder &Add(const char *text);
    TextBuilder &Add(const char *text, std::size_t length);
    TextBuilder &Add(char c);
    // Ends the text built so far at its last `c`; a text without one stays
    // as it is.
    TextBuilder &CutAtLast(char c);
    // Gives up: nothing that is built can be used.
    TextBuilder &Fail();

    // True when everything fitted with its terminator. On failure the
    // buffer holds an empty string.
    bool Finish();

private:
    char *buffer_;
    std::size_t size_;
    std::size_t used_ = 0;
    bool failed_ = false;
};

// The pieces one after the other in `buffer`, by a TextBuilder: false, with
// an empty buffer, when they do not fit.
bool JoinText(char *buffer, std::size_t size, std::initializer_list<const char *> pieces);

// Bounded strlen: the length of text, but at most limit.
std::size_t BoundedLength(const char *text, std::size_t limit);
