#include <gtest/gtest.h>

#include <string>

#include "core/message_painter.h"

namespace {

std::string Painters(int id, unsigned action, unsigned state)
{
    Painter out[4];
    int n = ChooseMessagePainters(id, action, state, out);
    std::string s;
    for (int i = 0; i < n; ++i) {
        static const char *const names[] = {"N", "F", "P", "D"};
        s += names[int(out[i])];
    }
    return s;
}

// itemAction x itemState x id: every painter that applies runs, in order,
// so the last one decides the look.
TEST(MessagePainter, Choice)
{
    const unsigned E = kOdaDrawEntire, S = kOdaSelect, F = kOdaFocus;
    const unsigned fo = kOdsFocus, se = kOdsSelected, di = kOdsDisabled;
    const struct {
        int id;
        unsigned action, state;
        const char *painters;
    } cases[] = {
        {1, E, 0, "N"},
        {1, E, fo, "NF"},
        {1, E, se, "NP"},
        {1, E, fo | se, "NFP"},
        {1, E, di, "ND"},
        {1, E, fo | se | di, "NFPD"},
        {1, F, fo, "F"},
        {1, F, 0, ""}, // focus leaves: the old look stays
        {1, S, se | fo, "FP"},
        {1, S, fo, "F"}, // released with the focus kept
        {1, S, 0, ""},
        {1, F, di, "D"},
        {1, S, kOdsGrayed | kOdsChecked, ""},
        {2, E, 0, "N"},
        {2, E, fo | se | di, "NFP"}, // Cancel has no disabled look
        {2, S, se, "P"},
        {2, F, di, ""},
        {1031, E, fo, ""},
        {0, E, 0, ""},
        {3, E, fo, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.painters, Painters(c.id, c.action, c.state))
            << "id " << c.id << " action " << c.action << " state " << c.state;
}

bool Same(const Rect &a, const Rect &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(MessagePainter, Frames)
{
    const Rect r{10, 20, 85, 43};
    const struct {
        Painter painter;
        int count;
        Rect first, second;
        FrameBrush brush;
        bool grey;
    } cases[] = {
        {Painter::kNormal, 1, {10, 20, 85, 43}, {}, FrameBrush::kBlack, false},
        {Painter::kFocus, 2, {10, 20, 85, 43}, {10, 20, 84, 42}, FrameBrush::kBlack, false},
        {Painter::kPressed, 2, {11, 21, 84, 42}, {12, 22, 84, 42}, FrameBrush::kBlack, false},
        {Painter::kDisabled, 1, {10, 20, 85, 43}, {}, FrameBrush::kLightGray, true},
    };
    for (const auto &c : cases) {
        ButtonLook look = LookOfPainter(c.painter, r);
        SCOPED_TRACE(int(c.painter));
        ASSERT_EQ(c.count, look.frameCount);
        EXPECT_TRUE(Same(c.first, look.frames[0].rect));
        if (c.count == 2) {
            EXPECT_TRUE(Same(c.second, look.frames[1].rect));
        }
        for (int i = 0; i < look.frameCount; ++i)
            EXPECT_EQ(c.brush, look.frames[i].brush);
        EXPECT_EQ(c.grey, look.greyText);
    }
}

TEST(MessagePainter, StringIds)
{
    const struct {
        int id, language;
        unsigned label;
    } cases[] = {
        {1, 1, 5101}, {1, 2, 5102}, {1, 3, 5103}, {2, 1, 5201},
        {2, 2, 5202}, {2, 3, 5203}, {1031, 1, 0}, {3, 2, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.label, MessageLabelId(c.id, c.language)) << c.id << "/" << c.language;
    EXPECT_EQ(5001u, MessageTextId(1));
    EXPECT_EQ(5002u, MessageTextId(2));
    EXPECT_EQ(5003u, MessageTextId(3));
}

} // namespace
