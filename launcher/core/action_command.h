// What a menu button's action code asks for, and the command lines it runs.
// Every builder writes into a caller's buffer of the given size and refuses
// (returns false, leaves an empty string) when the result would not fit: a
// cut-off path could name a different program, so nothing is better.
#pragma once

#include <cstddef>

// Buffers for command lines and paths are MAX_PATH long.
constexpr std::size_t kCommandSize = 260;

enum class Action {
    kNothing,
    kRunProgram,  // start the command line (StartProgram)
    kOpenWebPage, // ShellExecute "open" on the URL
    kShowGuides,  // reader check, then the guides dialog or the question
    kShowMessage, // the start-up notice
    kEndLauncher, // DestroyWindow of the menu
};

enum ActionCode {
    kHardDriveSetup = 1,
    kCdRomSetup = 2,
    kDisketteSetup = 3,
    kSoftwareUpdates = 5,
    kUserGuides = 6,
    kDisketteMaker = 9,
    kMessageDialog = 10,
    kEndLauncher = 86,
};

// The command id that opens the notice, also posted once at start-up.
constexpr unsigned kMessageCommandId = 10;

// Which action a code (string 2000 + i, read by ParseActionCode) stands
// for; unknown codes do nothing.
Action ActionForCode(int code);

// " -0009", " -000a", " -000c", or "" for an unknown language.
const char *LanguageSwitch(int languageIndex);

// The module file name up to and including its last backslash. False when
// there is no backslash or it does not fit.
bool LauncherDirectoryFrom(const char *moduleFileName, char *out, std::size_t outSize);

// The command line started for codes 1, 2, 3 and 9, its program's path in
// double quotes. False for any
// other code, or when it does not fit.
bool BuildActionCommand(int code, const char *launcherDirectory, int languageIndex, char *out,
                        std::size_t outSize);

// The reader installer's picker, started when the user wants a PDF reader.
bool BuildLingpickCommand(const char *launcherDirectory, char *out, std::size_t outSize);

// The folder of the guides in the user's language, without a trailing
// backslash.
bool BuildGuidesFolder(const char *launcherDirectory, int languageIndex, char *out,
                       std::size_t outSize);

// The software-update page on the maker's web host.
bool BuildUpdateUrl(const char *webHost, char *out, std::size_t outSize);

// The question asked when no recent enough PDF reader is registered.
unsigned ReaderQuestionId(int languageIndex);
