#include "core/layout.h"

#include "common/core/centring.h"

int FontHeightForPoints(int points, int pixelsPerInch)
{
    // MulDiv rounds half away from zero; points and resolution are positive.
    long long product = static_cast<long long>(points) * pixelsPerInch;
    return -static_cast<int>((product + 36) / 72);
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

Rect ButtonRect(int index, int buttonWidth, int buttonHeight)
{
    int top = ButtonTop(index, buttonHeight);
    return Rect{0, top, buttonWidth, top + buttonHeight};
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

WindowPlacement PlaceMenuWindow(int fullScreenWidth, int fullScreenHeight,
                                const Rect &created, int height)
{
    Point origin = CentreInArea(fullScreenWidth, fullScreenHeight, created);
    WindowPlacement p;
    p.x = origin.x;
    p.y = origin.y;
    p.width = kMenuWidth;
    p.height = height;
    return p;
}

int MenuWindowHeight(const FontMetrics &label, int buttonCount, int buttonHeight,
                     int frameHeight)
{
    int height = kHeightInTextLines * label.height;
    if (buttonCount < 1)
        return height;
    // The column ends with the separator row under the last button.
    int column = ButtonTop(buttonCount - 1, buttonHeight) + buttonHeight + 1;
    if (column + frameHeight > height)
        height = column + buttonHeight + frameHeight;
    return height;
}

Rect BannerRectFor(const Rect &client)
{
    return Rect{0, 0, RectWidth(client), kBannerBottom};
}

Rect TextRectFor(const Rect &client, int buttonWidth, const FontMetrics &label)
{
    return Rect{buttonWidth + 2 * label.aveCharWidth, kBannerBottom,
                RectWidth(client) - label.aveCharWidth, RectHeight(client)};
}

int BannerMargin(int bitmapHeight)
{
    return (kBannerBottom - bitmapHeight) / 2;
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
