#include <gtest/gtest.h>

#include <cstdlib>

#include "core/layout.h"

static bool operator==(const Rect &a, const Rect &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static std::ostream &operator<<(std::ostream &os, const Rect &r)
{
    return os << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

namespace {

TEST(Layout, FontHeight)
{
    struct {
        int points, dpi, expected;
    } cases[] = {
        {11, 96, -15},               // 14.67 rounds up
        {13, 96, -17},               // 17.33 rounds down
        {10, 96, -13},               // 13.33
        {11, 120, -18},              // 18.33
        {13, 120, -22},              // 21.67
        {12, 96, -16},               // exact
        {9, 96, -12},   {3, 12, -1}, // exactly one half rounds away from zero
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, FontHeightForPoints(c.points, c.dpi)) << c.points << "pt " << c.dpi;
}

TEST(Layout, ButtonSize)
{
    struct {
        FontMetrics label;
        int widest;
        int height, width;
    } cases[] = {
        {{18, 0, 8}, 180, 27, 196},
        {{18, 1, 8}, 180, 28, 196}, // (18 + 1) * 3 / 2 truncates
        {{15, 0, 7}, 150, 22, 164},
        {{23, 2, 10}, 0, 37, 20},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.height, ButtonHeightFor(c.label)) << c.label.height;
        EXPECT_EQ(c.width, ButtonWidthFor(c.widest, c.label)) << c.widest;
    }
}

TEST(Layout, ButtonTops)
{
    // 71, 72 + H, 73 + 2H, then a gap of H: 74 + 4H, 75 + 5H, ... 78 + 8H.
    for (int h : {27, 22, 1}) {
        const int expected[] = {71,         72 + h,     73 + 2 * h, 74 + 4 * h,
                                75 + 5 * h, 76 + 6 * h, 77 + 7 * h, 78 + 8 * h};
        for (int i = 0; i < 8; i++) {
            EXPECT_EQ(expected[i], ButtonTop(i, h)) << "H " << h << " button " << i;
            Rect r = ButtonRect(i, 196, h);
            EXPECT_EQ((Rect{0, expected[i], 196, expected[i] + h}), r);
        }
    }
}

TEST(Layout, SeparatorRows)
{
    const int h = 27;
    int rows[16];
    // Six buttons: one row under each, plus the row just above button 3.
    int n = SeparatorRows(6, h, rows, 16);
    const int six[] = {98, 126, 154, 181, 209, 237, 265};
    ASSERT_EQ(7, n);
    for (int k = 0; k < n; k++)
        EXPECT_EQ(six[k], rows[k]) << k;
    EXPECT_EQ(ButtonTop(3, h) - 1, rows[3]);
    for (int k = 0; k < 6; k++)
        EXPECT_EQ(ButtonTop(k, h) + h, rows[k < 3 ? k : k + 1]);

    struct {
        int buttons, capacity, expected;
    } counts[] = {{1, 16, 1}, {2, 16, 2}, {3, 16, 4}, {8, 16, 9}, {8, 9, 9}, {8, 4, 4}, {0, 16, 0}};
    for (const auto &c : counts) {
        int buffer[16];
        for (int &b : buffer)
            b = -7;
        EXPECT_EQ(c.expected, SeparatorRows(c.buttons, h, buffer, c.capacity)) << c.buttons;
        // Nothing written past the capacity.
        for (int k = c.capacity; k < 16; k++)
            EXPECT_EQ(-7, buffer[k]);
    }
}

TEST(Layout, WindowPlacement)
{
    struct {
        int screenW, screenH;
        Rect created;
        int height;
        WindowPlacement expected;
    } cases[] = {
        // Centred by the size as created, whatever the new size.
        {1024, 742, {0, 0, 530, 360}, 324, {247, 191, 570, 324}},
        {1024, 768, {300, 200, 830, 560}, 324, {247, 204, 570, 324}},
        {800, 573, {0, 0, 530, 360}, 288, {135, 106, 570, 288}},
        {640, 461, {0, 0, 530, 360}, 600, {55, 50, 570, 600}},
        {501, 301, {0, 0, 530, 360}, 324, {-14, -29, 570, 324}}, // truncated toward zero
    };
    for (const auto &c : cases) {
        WindowPlacement p = PlaceMenuWindow(c.screenW, c.screenH, c.created, c.height);
        EXPECT_EQ(c.expected.x, p.x) << c.screenW;
        EXPECT_EQ(c.expected.y, p.y) << c.screenH;
        EXPECT_EQ(c.expected.width, p.width);
        EXPECT_EQ(c.expected.height, p.height);
    }
}

TEST(Layout, WindowHeight)
{
    struct {
        int tmHeight, buttons, frame, expected;
    } cases[] = {
        // 18 label lines, as long as the column fits in them.
        {18, 6, 27, 324}, // H 27: column ends at 266, client 297
        {16, 6, 27, 288}, // H 24: column ends at 245, client 261
        {18, 7, 27, 324}, // column ends at 294, client 297
        {18, 1, 27, 324},
        {18, 0, 27, 324},
        // Where it does not, the last button shows whole, with a margin.
        {18, 7, 31, 352}, // column ends at 294, client 293: 294 + 27 + 31
        {18, 8, 27, 376}, // column ends at 294 + 27 + 1, + 27 + 27
        {18, 8, 40, 389},
        {12, 8, 27, 286}, // H 18: column ends at 241, + 18 + 27; 18 lines give 216
    };
    for (const auto &c : cases) {
        FontMetrics label{c.tmHeight, 0, 8};
        int h = ButtonHeightFor(label);
        int height = MenuWindowHeight(label, c.buttons, h, c.frame);
        EXPECT_EQ(c.expected, height) << c.buttons << " buttons, tm " << c.tmHeight;
        if (c.buttons > 0) {
            // The client area holds the last button's separator row.
            EXPECT_GE(height - c.frame, ButtonTop(c.buttons - 1, h) + h + 1) << c.buttons;
        }
    }
}

TEST(Layout, BannerAndTextRects)
{
    struct {
        Rect client;
        int buttonWidth;
        FontMetrics label;
        Rect banner, text;
    } cases[] = {
        {{0, 0, 564, 300}, 196, {18, 0, 8}, {0, 0, 564, 70}, {212, 70, 556, 300}},
        {{0, 0, 564, 260}, 164, {15, 0, 7}, {0, 0, 564, 70}, {178, 70, 557, 260}},
        // Only the client size counts, whatever its origin.
        {{5, 5, 105, 205}, 40, {10, 0, 4}, {0, 0, 100, 70}, {48, 70, 96, 200}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.banner, BannerRectFor(c.client));
        EXPECT_EQ(c.text, TextRectFor(c.client, c.buttonWidth, c.label));
    }
}

TEST(Layout, BannerMargin)
{
    EXPECT_EQ(16, BannerMargin(38));
    EXPECT_EQ(17, BannerMargin(35));
    EXPECT_EQ(35, BannerMargin(0));
    EXPECT_EQ(0, BannerMargin(70));
    EXPECT_EQ(-5, BannerMargin(80));
}

TEST(Layout, HeadingAndDescription)
{
    struct {
        Rect text;
        FontMetrics heading, description;
        Rect headingRect;
        int extra;
        Rect descriptionRect;
    } cases[] = {
        {{212, 70, 556, 300}, {21, 0, 9}, {13, 0, 6}, {212, 91, 556, 300}, 1, {212, 143, 532, 300}},
        {{178, 70, 557, 260},
         {17, 0, 11},
         {13, 0, 5},
         {178, 87, 557, 260},
         2,
         {178, 129, 537, 260}},
        {{0, 0, 100, 100}, {4, 0, 4}, {1, 0, 1}, {0, 4, 100, 100}, 0, {0, 14, 96, 100}},
    };
    for (const auto &c : cases) {
        Rect heading = HeadingRectFor(c.text, c.heading);
        EXPECT_EQ(c.headingRect, heading);
        EXPECT_EQ(c.extra, HeadingCharacterExtra(c.heading));
        EXPECT_EQ(c.descriptionRect, DescriptionRectFor(heading, c.heading, c.description));
    }
}

// Beyond 96 DPI the whole layout scales, each edge within half a pixel of
// its proportion, and the 1-pixel gaps and rules never vanish.
TEST(Layout, ScalesToTheScreensDpi)
{
    const int h = 27, w = 230;
    FontMetrics label = {18, 0, 8};
    for (int dpi : {120, 144, 192}) {
        for (int i = 0; i < 8; i++) {
            Rect b = ButtonRect(i, w, h, dpi), base = ButtonRect(i, w, h);
            EXPECT_LE(std::abs(b.top * 96 - base.top * dpi), 48) << dpi << " " << i;
            EXPECT_LE(std::abs(b.bottom * 96 - base.bottom * dpi), 48) << dpi << " " << i;
            EXPECT_EQ(ScaleToDpi(w, dpi), b.right);
            if (i > 0) {
                Rect above = ButtonRect(i - 1, w, h, dpi);
                EXPECT_GE(b.top - above.bottom, 1) << dpi << " " << i;
            }
        }
        int rows[9];
        int n = SeparatorRows(6, h, rows, 9);
        for (int k = 0; k < n; k++) {
            Rect rule = RuleRect(rows[k], w, dpi);
            EXPECT_GE(RectHeight(rule), 1) << dpi << " " << k;
        }
        Rect client = {0, 0, ScaleToDpi(564, dpi), ScaleToDpi(300, dpi)};
        Rect text = TextRectFor(client, w, label, dpi);
        EXPECT_EQ(ScaleToDpi(w + 16, dpi), text.left);
        EXPECT_EQ(ScaleToDpi(70, dpi), text.top);
        EXPECT_EQ(client.right - ScaleToDpi(8, dpi), text.right);
        EXPECT_EQ(ScaleToDpi(70, dpi), BannerRectFor(client, dpi).bottom);
        EXPECT_EQ(ScaleToDpi(570, dpi),
                  PlaceMenuWindow(1000, 700, Rect{0, 0, 662, 450}, 400, dpi).width);
        EXPECT_EQ(ScaleToDpi(18 * 18, dpi), MenuWindowHeight(label, 6, h, 30, dpi));
    }
    // At 96 DPI nothing moves.
    EXPECT_EQ(570, ScaleToDpi(570, 96));
    EXPECT_EQ(71, ButtonRect(0, w, h, 96).top);
    // The label column holds what the screen's font draws.
    EXPECT_EQ(200, LayoutPixelsHolding(250, 120));
    EXPECT_EQ(201, LayoutPixelsHolding(251, 120));
    // The banner drawn for the nearest DPI; ties to the smaller.
    const int dpis[] = {72, 96, 108, 109, 120, 132, 133, 144, 168, 169, 192, 288};
    const int art[] = {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3};
    for (int k = 0; k < 12; k++)
        EXPECT_EQ(art[k], BannerArtFor(dpis[k])) << dpis[k];
}

} // namespace
