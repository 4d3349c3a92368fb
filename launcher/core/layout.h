// Pixel arithmetic of the menu window: window size and place, the banner
// strip, the button column with its separator rows, and the text area.
//
// The layout is worked out in pixels of a 96-DPI screen, from fonts of the
// size they have there, and then scaled to the screen's logical DPI as a
// whole: every figure lands within half a pixel of its proportion, where
// fonts measured at the screen's own size would drift a pixel per row.
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

// The resolution the layout's figures are given for.
constexpr int kLayoutDpi = 96;

// Pixels of the 96-DPI layout in pixels of a screen of dpi, rounded as
// MulDiv rounds.
int ScaleToDpi(int pixels, int dpi);
Rect ScaleRectToDpi(const Rect &r, int dpi);
// The other way, rounding up: the 96-DPI pixels that hold at least `pixels`
// pixels of a screen of dpi.
int LayoutPixelsHolding(int pixels, int dpi);

// The banner art drawn for the nearest of 1, 1.25, 1.5 and 2 times the
// 96-DPI size, as 0 to 3; a tie goes to the smaller.
int BannerArtFor(int dpi);

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
// On the screen: the 96-DPI button scaled, each edge rounded on its own.
Rect ButtonRect(int index, int buttonWidth, int buttonHeight, int dpi = kLayoutDpi);

// The separator rows drawn under the buttons: one below each button and one
// more just above the fourth. Writes at most `capacity` rows and returns
// how many it wrote.
int SeparatorRows(int buttonCount, int buttonHeight, int *rows, int capacity);
// A 96-DPI row of a rule from x = 0 to `right`, on the screen: the rows that
// the 1-pixel row becomes there.
Rect RuleRect(int row, int right, int dpi);

struct WindowPlacement {
    int x;
    int y;
    int width;
    int height;
};

// Centred from the size as created (not the new size), on the full-screen
// work area, then sized 570 (scaled) x height.
WindowPlacement PlaceMenuWindow(int fullScreenWidth, int fullScreenHeight, const Rect &created,
                                int height, int dpi = kLayoutDpi);

// The window is 18 label lines tall, which leaves room below six buttons.
// Seven or eight buttons can reach further down; where the column does not
// fit, the window grows so that the last button shows whole, with its
// separator row and a button height of margin beneath. frameHeight is the
// window height less the client height, in the screen's pixels; the label
// metrics and the button height are the 96-DPI ones.
int MenuWindowHeight(const FontMetrics &label, int buttonCount, int buttonHeight, int frameHeight,
                     int dpi = kLayoutDpi);

// client is the screen's; buttonWidth and label are the 96-DPI figures.
Rect BannerRectFor(const Rect &client, int dpi = kLayoutDpi);
Rect TextRectFor(const Rect &client, int buttonWidth, const FontMetrics &label,
                 int dpi = kLayoutDpi);

// Margin of the banner artwork from the strip's top-left corner; the
// bitmap's height is in the screen's pixels.
int BannerMargin(int bitmapHeight, int dpi = kLayoutDpi);

// The heading and the description are drawn in fonts of the screen's own
// size, so their metrics here are the screen's.
// The heading sits one heading line below the top of the text area, with
// extra character spacing of a fifth of its average character width.
Rect HeadingRectFor(const Rect &textRect, const FontMetrics &heading);
int HeadingCharacterExtra(const FontMetrics &heading);
// The description starts 2.5 heading lines lower and keeps clear of the
// right edge by four of its own average characters.
Rect DescriptionRectFor(const Rect &headingRect, const FontMetrics &heading,
                        const FontMetrics &description);
