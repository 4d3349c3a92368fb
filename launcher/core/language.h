// Start-up decisions that need no Windows: the bounded copy of the command
// line, the language from the system id and the command line, and the
// "remove" request.
#pragma once

#include <cstddef>

#include "common/core/system_language.h"

// Size of the launcher's copy of its command line, terminating zero included.
constexpr std::size_t kCommandLineSize = 80;

// Copies at most size - 1 bytes of source and always terminates dest. A
// longer command line is cut, never refused: codes standing in the first
// size - 1 characters survive the cut, and a cut cannot make a code appear
// that was not there. A null source gives an empty copy.
void CopyCommandLine(char *dest, std::size_t size, const char *source);

// The system's choice overridden by codes found anywhere on the command line,
// tested in this order so that each later one wins: "0009", "000c"/"000C",
// "000a"/"000A".
unsigned short ChooseLanguage(unsigned short systemLanguageId, const char *commandLine);

// Lowercases the ASCII letters of text in place and answers whether it
// contains "remove".
bool LowercaseAndFindRemove(char *text);
