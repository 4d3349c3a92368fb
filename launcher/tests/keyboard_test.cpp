#include <gtest/gtest.h>

#include <vector>

#include "core/keyboard.h"

namespace {

constexpr KeyActionKind kNone = KeyActionKind::kNone;
constexpr KeyActionKind kFocus = KeyActionKind::kFocus;
constexpr KeyActionKind kCommand = KeyActionKind::kCommand;
constexpr KeyActionKind kClose = KeyActionKind::kClose;

struct CharCase {
    int ch;
    int from; // highlighted button (menu) or own index (button)
    int count;
    bool shift;
    KeyActionKind kind;
    int button;
};

TEST(Keyboard, MenuWindowCharacters)
{
    const CharCase cases[] = {
        // Tab from no highlight goes to the first button; Shift+Tab to the
        // second-to-last, as (-1 + count - 1) mod count gives.
        {kTabChar, -1, 6, false, kFocus, 0},
        {kTabChar, -1, 6, true, kFocus, 4},
        {kTabChar, -1, 8, true, kFocus, 6},
        {kTabChar, -1, 2, true, kFocus, 0},
        {kTabChar, -1, 1, false, kFocus, 0},
        {kTabChar, -1, 1, true, kFocus, 0},
        // The menu window keeps a highlight while a dialog gave it the focus.
        {kTabChar, 0, 6, false, kFocus, 1},
        {kTabChar, 5, 6, false, kFocus, 0},
        {kTabChar, 0, 6, true, kFocus, 5},
        {kTabChar, 5, 6, true, kFocus, 4},
        // Enter runs the highlighted button; with none nothing runs.
        {kEnterChar, -1, 6, false, kNone, -1},
        {kEnterChar, 2, 6, false, kCommand, 2},
        {kEnterChar, 5, 6, true, kCommand, 5},
        {kEscapeChar, -1, 6, false, kClose, -1},
        {kEscapeChar, 3, 6, false, kClose, -1},
        // Space and other characters do nothing in the window itself.
        {kSpaceChar, 2, 6, false, kNone, -1},
        {'h', -1, 6, false, kNone, -1},
        {'H', 1, 6, false, kNone, -1},
    };
    for (const CharCase &c : cases) {
        KeyAction a = RouteMenuChar(c.ch, c.from, c.count, c.shift);
        EXPECT_EQ(c.kind, a.kind) << c.ch << " from " << c.from << " shift " << c.shift;
        if (c.kind == kFocus || c.kind == kCommand) {
            EXPECT_EQ(c.button, a.button) << c.ch << " from " << c.from << " shift " << c.shift;
        }
    }
}

TEST(Keyboard, ButtonCharacters)
{
    const CharCase cases[] = {
        {kTabChar, 0, 6, false, kFocus, 1},     {kTabChar, 4, 6, false, kFocus, 5},
        {kTabChar, 5, 6, false, kFocus, 0},     {kTabChar, 0, 6, true, kFocus, 5},
        {kTabChar, 3, 6, true, kFocus, 2},      {kTabChar, 7, 8, false, kFocus, 0},
        {kTabChar, 0, 1, false, kFocus, 0},     {kTabChar, 0, 1, true, kFocus, 0},
        {kEnterChar, 3, 6, false, kCommand, 3}, {kSpaceChar, 0, 6, false, kCommand, 0},
        {kSpaceChar, 5, 6, true, kCommand, 5},  {kEscapeChar, 2, 6, false, kClose, -1},
        {'x', 2, 6, false, kNone, -1},          {0, 2, 6, false, kNone, -1},
    };
    for (const CharCase &c : cases) {
        KeyAction a = RouteButtonChar(c.ch, c.from, c.count, c.shift);
        EXPECT_EQ(c.kind, a.kind) << c.ch << " on " << c.from << " shift " << c.shift;
        if (c.kind == kFocus || c.kind == kCommand) {
            EXPECT_EQ(c.button, a.button) << c.ch << " on " << c.from << " shift " << c.shift;
        }
    }
}

const int kEnglish[] = {'H', 'C', 'D', 'U', 'F', 'X'};
const int kSpanish[] = {0, 0, 0, 'A', 'I', 'S'};
const int kShared[] = {'S', 'A', 'S', 0, 'S', 'Q'};

TEST(Keyboard, MnemonicKeys)
{
    struct {
        const int *mnemonics;
        int key;
        std::vector<int> expected;
    } cases[] = {
        {kEnglish, 'H', {0}}, {kEnglish, 'X', {5}},
        {kEnglish, 'h', {}},                     // virtual-key codes of letters are capitals
        {kEnglish, 'Q', {}},  {kSpanish, 0, {}}, // no "&" never matches, not even key 0
        {kSpanish, 'S', {5}}, {kShared, 'S', {0, 2, 4}}, // every match, in index order
        {kShared, 0, {}},
    };
    for (const auto &c : cases) {
        int matches[8];
        int n = MatchMnemonics(c.mnemonics, 6, c.key, matches);
        EXPECT_EQ(c.expected, std::vector<int>(matches, matches + n)) << c.key;
    }
}

TEST(Keyboard, SystemCommands)
{
    const unsigned kKeyMenu = 0xF100, kMove = 0xF010, kClose = 0xF060, kMouseMenu = 0xF090;
    struct {
        const int *mnemonics;
        unsigned command, parameter;
        int expected;
    } cases[] = {
        {kEnglish, kKeyMenu, 'h', 0}, // Alt+H: bit 0x20 cleared
        {kEnglish, kKeyMenu, 'H', 0},
        {kEnglish, kKeyMenu, 'x', 5},
        {kEnglish, kKeyMenu | 3, 'd', 2}, // low four bits are the system's own
        {kEnglish, kKeyMenu, ' ', -1},    // Alt+Space opens the system menu
        {kEnglish, kKeyMenu, 0, -1},      // Alt alone
        {kEnglish, kKeyMenu, 'q', -1},
        {kSpanish, kKeyMenu, 0, -1}, // no mnemonic is 0
        {kShared, kKeyMenu, 's', 0}, // first match only
        // Mouse-chosen commands carry the pointer's x in the parameter:
        // 72 is 'H' but must not run the hard-drive setup.
        {kEnglish, kMove, 72, -1},
        {kEnglish, kClose, 72, -1},
        {kEnglish, kMouseMenu, 'h', -1},
        {kEnglish, kKeyMenu, 0x10000 | 'h', 0}, // only the low word is the character
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.expected, MatchSystemCommand(c.mnemonics, 6, c.command, c.parameter))
            << std::hex << c.command << " " << c.parameter;
    }
}

} // namespace
