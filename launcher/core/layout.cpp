#include "core/layout.h"

#include "common/core/centring.h"

namespace {

// MulDiv(value, numerator, denominator) for the small positive figures of
// a layout (pixels and resolutions well below 46340): rounds halves up, as
// MulDiv does for positive figures, in plain int arithmetic.
int MulDivRounded(int value, int numerator, int denominator)
{
    return (value * numerator + denominator / 2) / denominator;
}

} // namespace

int ScaleToDpi(int pixels, int dpi)
{
    return MulDivRounded(pixels, dpi, kLayoutDpi);
}

Rect ScaleRectToDpi(const Rect &r, int dpi)
{
    return Rect{ScaleToDpi(r.left, dpi), ScaleToDpi(r.top, dpi), ScaleToDpi(r.right, dpi),
                ScaleToDpi(r.bottom, dpi)};
}

int LayoutPixelsHolding(int pixels, int dpi)
{
    return (pixels * kLayoutDpi + dpi - 1) / dpi;
}

int BannerArtFor(int dpi)
{
    // The art is drawn for 96, 120, 144 and 192 DPI; the midpoints between
    // them divide the screens, and a tie goes to the smaller art.
    const int upTo[] = {108, 132, 168};
    int art = 0;
    while (art < 3 && dpi > upTo[art])
        art++;
    return art;
}

int FontHeightForPoints(int points, int pixelsPerInch)
{
    // Points and resolution are positive.
    return -MulDivRounded(points, pixelsPerInch, 72);
}

int ButtonHeightFor(const FontMetrics &label)
{
    return (label.height + label.externalLeading) * 3 / 2;
}

int ButtonWidthFor(int widestLabel, const FontMetrics &label)
{
    return widestLabel + 2 * label.aveCharWidth;
}

int ButtonTop(int index, int buttonHeight)
{
    int top = kFirstButtonTop + index * (buttonHeight + 1);
    if (index >= 3)
        top += buttonHeight;
    return top;
}

Rect ButtonRect(int index, int buttonWidth, int buttonHeight, int dpi)
{
    int top = ButtonTop(index, buttonHeight);
    return ScaleRectToDpi(Rect{0, top, buttonWidth, top + buttonHeight}, dpi);
}

int SeparatorRows(int buttonCount, int buttonHeight, int *rows, int capacity)
{
    int n = 0;
    for (int k = 0; k < buttonCount; k++) {
        int below = ButtonTop(k, buttonHeight) + buttonHeight;
        if (n < capacity)
            rows[n++] = below;
        if (k == 2 && n < capacity)
            rows[n++] = below + buttonHeight;
    }
    return n;
}

Rect RuleRect(int row, int right, int dpi)
{
    return ScaleRectToDpi(Rect{0, row, right, row + 1}, dpi);
}

WindowPlacement PlaceMenuWindow(int fullScreenWidth, int fullScreenHeight, const Rect &created,
                                int height, int dpi)
{
    Point origin = CentreInArea(fullScreenWidth, fullScreenHeight, created);
    WindowPlacement p;
    p.x = origin.x;
    p.y = origin.y;
    p.width = ScaleToDpi(kMenuWidth, dpi);
    p.height = height;
    return p;
}

int MenuWindowHeight(const FontMetrics &label, int buttonCount, int buttonHeight, int frameHeight,
                     int dpi)
{
    int height = ScaleToDpi(kHeightInTextLines * label.height, dpi);
    if (buttonCount < 1)
        return height;
    // The column ends with the separator row under the last button.
    int column = ScaleToDpi(ButtonTop(buttonCount - 1, buttonHeight) + buttonHeight + 1, dpi);
    if (column + frameHeight > height)
        height = column + ScaleToDpi(buttonHeight, dpi) + frameHeight;
    return height;
}

Rect BannerRectFor(const Rect &client, int dpi)
{
    return Rect{0, 0, RectWidth(client), ScaleToDpi(kBannerBottom, dpi)};
}

Rect TextRectFor(const Rect &client, int buttonWidth, const FontMetrics &label, int dpi)
{
    return Rect{ScaleToDpi(buttonWidth + 2 * label.aveCharWidth, dpi),
                ScaleToDpi(kBannerBottom, dpi),
                RectWidth(client) - ScaleToDpi(label.aveCharWidth, dpi), RectHeight(client)};
}

int BannerMargin(int bitmapHeight, int dpi)
{
    return (ScaleToDpi(kBannerBottom, dpi) - bitmapHeight) / 2;
}

Rect HeadingRectFor(const Rect &textRect, const FontMetrics &heading)
{
    Rect r = textRect;
    r.top += heading.height;
    return r;
}

int HeadingCharacterExtra(const FontMetrics &heading)
{
    return heading.aveCharWidth / 5;
}

Rect DescriptionRectFor(const Rect &headingRect, const FontMetrics &heading,
                        const FontMetrics &description)
{
    Rect r = headingRect;
    r.top += 5 * heading.height / 2;
    r.right -= 4 * description.aveCharWidth;
    return r;
}
