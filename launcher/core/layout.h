// Pixel arithmetic of the menu window: window size and place, the banner
// strip, the button column with its separator rows, and the text area.
#pragma once

#include "common/core/geometry.h"

// The window as created, before it measures its texts.
constexpr int kCreatedWidth = 530;
constexpr int kCreatedHeight = 360;
// Final width; the final height is kHeightInTextLines lines of the label font.
constexpr int kMenuWidth = 570;
constexpr int kHeightInTextLines = 18;
// The banner strip ends here; the first button starts one row lower.
constexpr int kBannerBottom = 70;
constexpr int kFirstButtonTop = 71;

// The few text metrics the layout needs (a subset of TEXTMETRIC).
struct FontMetrics {
    int height;
    int externalLeading;
    int aveCharWidth;
};

// Font height for a LOGFONT: -MulDiv(points, pixelsPerInch, 72).
int FontHeightForPoints(int points, int pixelsPerInch);

int ButtonHeightFor(const FontMetrics &label);
int ButtonWidthFor(int widestLabel, const FontMetrics &label);

// Buttons are 1 pixel apart, with one button height of extra gap after the
// third: 71, 72 + H, 73 + 2H, 74 + 4H, 75 + 5H, ...
int ButtonTop(int index, int buttonHeight);
Rect ButtonRect(int index, int buttonWidth, int buttonHeight);

// The separator rows drawn under the buttons: one below each button and one
// more just above the fourth. Writes at most `capacity` rows and returns
// how many it wrote.
int SeparatorRows(int buttonCount, int buttonHeight, int *rows, int capacity);

struct WindowPlacement {
    int x;
    int y;
    int width;
    int height;
};

// Centred from the size as created (not the new size), on the full-screen
// work area, then sized 570 x height.
WindowPlacement PlaceMenuWindow(int fullScreenWidth, int fullScreenHeight,
                                const Rect &created, int height);

// The window is 18 label lines tall, which leaves room below six buttons.
// Seven or eight buttons can reach further down; where the column does not
// fit, the window grows so that the last button shows whole, with its
// separator row and a button height of margin beneath. frameHeight is the
// window height less the client height.
int MenuWindowHeight(const FontMetrics &label, int buttonCount, int buttonHeight,
                     int frameHeight);

Rect BannerRectFor(const Rect &client);
Rect TextRectFor(const Rect &client, int buttonWidth, const FontMetrics &label);

// Margin of the banner artwork from the strip's top-left corner.
int BannerMargin(int bitmapHeight);

// The heading sits one heading line below the top of the text area, with
// extra character spacing of a fifth of its average character width.
Rect HeadingRectFor(const Rect &textRect, const FontMetrics &heading);
int HeadingCharacterExtra(const FontMetrics &heading);
// The description starts 2.5 heading lines lower and keeps clear of the
// right edge by four of its own average characters.
Rect DescriptionRectFor(const Rect &headingRect, const FontMetrics &heading,
                        const FontMetrics &description);
