// The menu as its string table defines it: which rows hold which text, how
// many buttons there are, their mnemonics and their action codes.
#pragma once

#include "common/core/string_source.h"
#include "core/text_measure.h"

constexpr int kMaxButtons = 8;
constexpr int kTextBufferSize = 260;
constexpr int kTitleBufferSize = 80;

// The web-update action code of the command table.
constexpr int kWebUpdateAction = 5;

int TitleId(int language);
int HeadingId(int language);
int HintId(int language);
int LabelId(int language, int button);
int DescriptionId(int language, int button);
int ActionId(int button);

// Heading and description ids for the text area: the highlighted button's
// label and description, or the heading and hint when none (-1).
int TextAreaHeadingId(int language, int highlighted);
int TextAreaDescriptionId(int language, int highlighted);

// One more than the number of consecutive labels after the first, at most
// kMaxButtons: the first label of a language is taken to exist.
int CountButtons(const StringSource &strings, int language);

// Upper-case character after the first "&" of label, 0 when there is none
// (or nothing follows it). Letters of the Latin-1 range are upper-cased too.
int MnemonicOf(const char *label);

// Removes the first "&" of text in place.
void StripMnemonicMarker(char *text);

// Widest label over the three language blocks, "&" included; each block is
// read from its base up to the first missing row, at most kMaxButtons rows.
int WidestLabel(const StringSource &strings, const TextMeasure &measure);

// The value of an action code row as atoi reads it (leading blanks, optional
// sign, decimal digits), saturating instead of overflowing.
int ParseActionCode(const char *text);
