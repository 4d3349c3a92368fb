#include "core/keyboard.h"

namespace {

constexpr unsigned kCommandMask = 0xFFF0;
constexpr unsigned kKeyMenuCommand = 0xF100; // SC_KEYMENU

int Wrap(int value, int count)
{
    int r = value % count;
    return r < 0 ? r + count : r;
}

int Step(int from, int buttonCount, bool shift)
{
    return Wrap(shift ? from + buttonCount - 1 : from + 1, buttonCount);
}

} // namespace

KeyAction RouteMenuChar(int ch, int highlighted, int buttonCount, bool shift)
{
    switch (ch) {
    case kTabChar:
        if (buttonCount < 1)
            return {KeyActionKind::kNone, -1};
        return {KeyActionKind::kFocus, Step(highlighted, buttonCount, shift)};
    case kEnterChar:
        // With no highlight there is nothing to run.
        if (highlighted < 0 || highlighted >= buttonCount)
            return {KeyActionKind::kNone, -1};
        return {KeyActionKind::kCommand, highlighted};
    case kEscapeChar:
        return {KeyActionKind::kClose, -1};
    default:
        return {KeyActionKind::kNone, -1};
    }
}

KeyAction RouteButtonChar(int ch, int own, int buttonCount, bool shift)
{
    switch (ch) {
    case kTabChar:
        if (buttonCount < 1)
            return {KeyActionKind::kNone, -1};
        return {KeyActionKind::kFocus, Step(own, buttonCount, shift)};
    case kEnterChar:
    case kSpaceChar:
        return {KeyActionKind::kCommand, own};
    case kEscapeChar:
        return {KeyActionKind::kClose, -1};
    default:
        return {KeyActionKind::kNone, -1};
    }
}

int MatchMnemonics(const int *mnemonics, int buttonCount, int key, int *matches)
{
    int n = 0;
    if (key == 0)
        return 0;
    for (int i = 0; i < buttonCount; i++) {
        if (mnemonics[i] == key)
            matches[n++] = i;
    }
    return n;
}

int MatchSystemCommand(const int *mnemonics, int buttonCount, unsigned command,
                       unsigned parameterLow)
{
    if ((command & kCommandMask) != kKeyMenuCommand)
        return -1;
    int key = static_cast<int>((parameterLow & 0xFFFF) & ~0x20u);
    if (key == 0)
        return -1;
    for (int i = 0; i < buttonCount; i++) {
        if (mnemonics[i] == key)
            return i;
    }
    return -1;
}
