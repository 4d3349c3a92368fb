// Keyboard routing of the menu: what a key does in the menu window or on a
// button, given the highlight and the buttons' mnemonics.
#pragma once

enum class KeyActionKind {
    kNone,    // ignored
    kFocus,   // move the focus (and so the highlight) to `button`
    kCommand, // run `button`'s command
    kClose,   // end the launcher
};

struct KeyAction {
    KeyActionKind kind;
    int button;
};

constexpr int kTabChar = 9;
constexpr int kEnterChar = 13;
constexpr int kEscapeChar = 27;
constexpr int kSpaceChar = 32;

// Character in the menu window, which has the focus only while no button is
// highlighted. Tab goes to (highlighted + 1) mod count, Shift+Tab to
// (highlighted + count - 1) mod count; Enter runs the highlighted button.
KeyAction RouteMenuChar(int ch, int highlighted, int buttonCount, bool shift);

// Character on button `own`: Tab and Shift+Tab step from the button itself,
// Enter and Space run it.
KeyAction RouteButtonChar(int ch, int own, int buttonCount, bool shift);

// Buttons whose mnemonic equals key (a mnemonic of 0 never matches), in
// index order; returns how many were written to matches.
int MatchMnemonics(const int *mnemonics, int buttonCount, int key, int *matches);

// The button that a keyboard menu command (SC_KEYMENU, whose parameter is
// the typed character) selects: the first whose mnemonic equals the
// character with bit 0x20 cleared, or -1. Other system commands carry the
// pointer's position in that parameter and never select a button.
int MatchSystemCommand(const int *mnemonics, int buttonCount, unsigned command,
                       unsigned parameterLow);
