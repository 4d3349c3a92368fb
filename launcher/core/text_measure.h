// How wide a text is in the font the front end has selected.
#pragma once

class TextMeasure {
public:
    virtual int Width(const char *text) const = 0;

protected:
    ~TextMeasure() = default;
};
