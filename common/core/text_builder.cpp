#include "common/core/text_builder.h"

#include <cstring>

TextBuilder::TextBuilder(char *buffer, std::size_t size) : buffer_(buffer), size_(size)
{
    if (buffer_ == nullptr || size_ == 0)
        failed_ = true;
    else
        buffer_[0] = '\0';
}

TextBuilder &TextBuilder::Add(const char *text, std::size_t length)
{
    if (failed_)
        return *this;
    // One byte always stays free for the terminator.
    if (length >= size_ - used_) {
        failed_ = true;
        return *this;
    }
    std::memcpy(buffer_ + used_, text, length);
    used_ += length;
    buffer_[used_] = '\0';
    return *this;
}

TextBuilder &TextBuilder::Add(const char *text)
{
    if (text == nullptr)
        return Fail();
    return Add(text, std::strlen(text));
}

TextBuilder &TextBuilder::Add(char c)
{
    return Add(&c, 1);
}

TextBuilder &TextBuilder::CutAtLast(char c)
{
    if (failed_)
        return *this;
    std::size_t n = used_;
    while (n > 0 && buffer_[n - 1] != c)
        --n;
    if (n > 0) {
        used_ = n - 1;
        buffer_[used_] = '\0';
    }
    return *this;
}

TextBuilder &TextBuilder::Fail()
{
    failed_ = true;
    return *this;
}

bool TextBuilder::Finish()
{
    if (failed_) {
        if (buffer_ != nullptr && size_ != 0)
            buffer_[0] = '\0';
        return false;
    }
    return true;
}

bool JoinText(char *buffer, std::size_t size, std::initializer_list<const char *> pieces)
{
    TextBuilder b(buffer, size);
    for (const char *piece : pieces)
        b.Add(piece);
    return b.Finish();
}

std::size_t BoundedLength(const char *text, std::size_t limit)
{
    std::size_t n = 0;
    while (n < limit && text[n] != '\0')
        ++n;
    return n;
}
