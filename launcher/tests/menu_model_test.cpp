#include <gtest/gtest.h>

#include <climits>

#include "core/menu_model.h"
#include "fake_strings.h"

namespace {

FakeStrings WithLabels(int language, std::initializer_list<const char *> labels)
{
    FakeStrings strings;
    int i = 0;
    for (const char *label : labels)
        strings.Set(LabelId(language, i++), label);
    return strings;
}

TEST(MenuModel, StringIds)
{
    struct {
        int language, button;
        int title, heading, hint, label, description, action;
    } cases[] = {
        {1, 0, 1, 10, 11, 100, 1100, 2000},
        {2, 4, 2, 20, 21, 204, 1204, 2004},
        {3, 7, 3, 30, 31, 307, 1307, 2007},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.title, TitleId(c.language));
        EXPECT_EQ(c.heading, HeadingId(c.language));
        EXPECT_EQ(c.hint, HintId(c.language));
        EXPECT_EQ(c.label, LabelId(c.language, c.button));
        EXPECT_EQ(c.description, DescriptionId(c.language, c.button));
        EXPECT_EQ(c.action, ActionId(c.button));
        // The text area: label and description when highlighted, heading and
        // hint when not.
        EXPECT_EQ(c.label, TextAreaHeadingId(c.language, c.button));
        EXPECT_EQ(c.description, TextAreaDescriptionId(c.language, c.button));
        EXPECT_EQ(c.heading, TextAreaHeadingId(c.language, -1));
        EXPECT_EQ(c.hint, TextAreaDescriptionId(c.language, -1));
    }
}

TEST(MenuModel, ButtonCount)
{
    struct {
        const char *what;
        FakeStrings strings;
        int language;
        int expected;
    } cases[] = {
        {"six labels", WithLabels(1, {"a", "b", "c", "d", "e", "f"}), 1, 6},
        {"one label", WithLabels(2, {"only"}), 2, 1},
        {"eight labels", WithLabels(3, {"1", "2", "3", "4", "5", "6", "7", "8"}), 3, 8},
        {"ten labels", WithLabels(1, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}), 1, 8},
        // The first label is taken to exist: a block with none still counts 1.
        {"no labels", FakeStrings{}, 1, 1},
        {"other language only", WithLabels(2, {"a", "b", "c"}), 1, 1},
        // Counting stops at the first gap.
        {"gap", FakeStrings{{100, "a"}, {101, "b"}, {103, "d"}}, 1, 2},
        {"first missing", FakeStrings{{101, "b"}, {102, "c"}}, 1, 3},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, CountButtons(c.strings, c.language)) << c.what;
}

TEST(MenuModel, Mnemonics)
{
    struct {
        const char *label;
        int expected;
    } cases[] = {
        {"Quellorn &Hard Drive", 'H'},
        {"E&xit", 'X'},
        {"&floppy", 'F'},
        {"Lecteur de disque&ttes Quellorn", 'T'},
        {"Unidad de disco duro Quellorn", 0},
        {"", 0},
        {"trailing &", 0},
        {"&1 first", '1'},
        {"two &a and &b", 'A'},
        {"Cr\xE9"
         "er &\xE9tiquette",
         0xC9},          // Latin-1 e-acute becomes E-acute
        {"&\xF7", 0xF7}, // the division sign has no capital
        {"&&x", '&'},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, MnemonicOf(c.label)) << c.label;
}

TEST(MenuModel, StripMnemonicMarker)
{
    struct {
        const char *in, *out;
    } cases[] = {
        {"Quellorn &Hard Drive", "Quellorn Hard Drive"},
        {"&Salir", "Salir"},
        {"E&xit", "Exit"},
        {"no marker", "no marker"},
        {"", ""},
        {"end&", "end"},
        {"a&b&c", "ab&c"},
    };
    for (const auto &c : cases) {
        char text[kTextBufferSize];
        std::snprintf(text, sizeof text, "%s", c.in);
        StripMnemonicMarker(text);
        EXPECT_STREQ(c.out, text) << c.in;
    }
}

// A measure that counts characters, so the widest label is the longest.
class CharacterCount : public TextMeasure {
public:
    int Width(const char *text) const override { return static_cast<int>(std::strlen(text)); }
};

TEST(MenuModel, WidestLabelOverAllLanguages)
{
    struct {
        const char *what;
        FakeStrings strings;
        int expected;
    } cases[] = {
        {"widest in another language",
         FakeStrings{{100, "abc"}, {101, "abcd"}, {200, "abcdefgh"}, {300, "ab"}}, 8},
        {"marker is measured", FakeStrings{{100, "&abc"}}, 4},
        {"stops at a gap", FakeStrings{{100, "a"}, {102, "abcdefghij"}}, 1},
        {"ninth label not measured",
         FakeStrings{{300, "1"},
                     {301, "1"},
                     {302, "1"},
                     {303, "1"},
                     {304, "1"},
                     {305, "1"},
                     {306, "1"},
                     {307, "1"},
                     {308, "123456789"}},
         1},
        {"missing first label of a block", FakeStrings{{201, "abcdefg"}, {100, "ab"}}, 2},
        {"empty table", FakeStrings{}, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, WidestLabel(c.strings, CharacterCount())) << c.what;
}

TEST(MenuModel, ActionCodes)
{
    struct {
        const char *text;
        int expected;
    } cases[] = {
        {"5", 5},
        {"86", 86},
        {"  9", 9},
        {"\t5", 5},
        {"+5", 5},
        {"-5", -5},
        {"5x", 5},
        {"05", 5},
        {"", 0},
        {"x5", 0},
        {"- 5", 0},
        {"99999999999999999999", INT_MAX},
        {"-99999999999999999999", INT_MIN},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, ParseActionCode(c.text)) << c.text;
}

// The shipped table gives the menus their buttons and mnemonics.
TEST(MenuModel, ShippedTable)
{
    FakeStrings shipped;
    for (const auto &row : ReadShippedStringTable())
        shipped.Set(row.first, row.second);
    struct {
        int language;
        const char *mnemonics; // '.' for none
        const char *title;
    } cases[] = {
        {1, "HCDUFX", "Quellorn Setup"},
        {2, "...AIS", "Instalaci\xC3\xB3n de Quellorn"},
        {3, "DCTMSQ", "Configuration Quellorn"},
    };
    for (const auto &c : cases) {
        ASSERT_EQ(6, CountButtons(shipped, c.language)) << c.language;
        char text[kTextBufferSize];
        for (int i = 0; i < 6; i++) {
            ASSERT_TRUE(shipped.Load(LabelId(c.language, i), text, sizeof text));
            int expected = c.mnemonics[i] == '.' ? 0 : c.mnemonics[i];
            EXPECT_EQ(expected, MnemonicOf(text)) << c.language << " " << text;
            EXPECT_TRUE(shipped.Load(DescriptionId(c.language, i), text, sizeof text) ||
                        i == 3) // the update descriptions splice in the web host
                << c.language << " " << i;
        }
        ASSERT_TRUE(shipped.Load(TitleId(c.language), text, sizeof text));
        EXPECT_STREQ(c.title, text);
        EXPECT_TRUE(shipped.Load(HeadingId(c.language), text, sizeof text));
        EXPECT_TRUE(shipped.Load(HintId(c.language), text, sizeof text));
    }
    const int actions[] = {1, 2, 3, 5, 9, 86};
    char text[kTextBufferSize];
    for (int i = 0; i < 6; i++) {
        ASSERT_TRUE(shipped.Load(ActionId(i), text, sizeof text));
        EXPECT_EQ(actions[i], ParseActionCode(text));
    }
    EXPECT_FALSE(shipped.Load(ActionId(6), text, sizeof text));
}

} // namespace
