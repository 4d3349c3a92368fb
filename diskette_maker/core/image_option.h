// The "-image [PATH]" option of Floppwright's command line: make the setup
// diskette as an image file instead of on drive A:. It may stand anywhere
// beside the menu's language code; the language search must not read a
// code into its path ("C:\0009\x.img"), so it is taken out before.
#pragma once

#include <cstddef>

enum { kImagePathSize = 260 };

struct ImageOption {
    bool present;
    char path[kImagePathSize]; // "" when none was given (the Save As dialog asks)
};

// Finds the option in the command-line tail and copies the tail without it
// (and without its path) into rest, cut to restCapacity - 1 characters. The
// path is the next word, or a quoted text; a word that starts with "-" is
// another option, not a path. A path too long for the buffer counts as
// none, so the user is asked.
void TakeImageOption(const char *tail, ImageOption &option, char *rest, size_t restCapacity);
