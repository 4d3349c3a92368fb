// The language codes of the CD: "0009" English, "000a" Spanish, "000c"
// French. They name the CD's language folders and pass a language on a
// command line.
#pragma once

enum class LetterCase {
    kUpper,
    kLower,
};

// The folder of a LanguageIndex, "0009", "000A" or "000C" (the launcher's
// setup and guide folders) or in lower case (the setup folders Floppwright
// copies from); English for any other value.
const char *LanguageFolder(int languageIndex, LetterCase letters);

// Which code counts when a command line carries more than one.
enum class CodeOrder {
    // The launcher's rule: "0009", then "000c", then "000a" are looked for,
    // and each one found overrides the one before, so Spanish beats French
    // beats English.
    kLastFoundWins,
    // Floppwright's rule: the first of "0009", "000c", "000a" that is found
    // decides, so English beats French beats Spanish. Each program keeps the
    // rule it has always had: Floppwright gets one code from the launcher,
    // so the two differ only for a command line typed with several.
    kFirstFoundWins,
};

// The LanguageIndex of the codes found anywhere in `commandLine` (inside
// words and behind switch characters too), in either case of the letter,
// or `fallback` when it holds none.
int LanguageFromCommandLine(const char *commandLine, CodeOrder order, int fallback);
