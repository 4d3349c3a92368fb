#include "common/core/language_codes.h"

#include <cstring>

#include "common/core/system_language.h"

namespace {

struct LanguageCode {
    char lower[5];
    char upper[5];
};

// By LanguageIndex - 1. Both programs take this one table, so the launcher's
// folders and the codes on both command lines cannot drift apart.
const LanguageCode kCodes[] = {
    {"0009", "0009"},
    {"000a", "000A"},
    {"000c", "000C"},
};

// The order in which the codes are looked for.
const unsigned char kSearchOrder[] = {kEnglish, kFrench, kSpanish};

const LanguageCode& CodeOf(int languageIndex)
{
    unsigned row = static_cast<unsigned>(languageIndex) - 1;
    return kCodes[row < sizeof kCodes / sizeof kCodes[0] ? row : 0];
}

} // namespace

const char* LanguageFolder(int languageIndex, LetterCase letters)
{
    const LanguageCode& code = CodeOf(languageIndex);
    return letters == LetterCase::kUpper ? code.upper : code.lower;
}

int LanguageFromCommandLine(const char* commandLine, CodeOrder order, int fallback)
{
    int language = fallback;
    for (int candidate : kSearchOrder) {
        const LanguageCode& code = CodeOf(candidate);
        if (!std::strstr(commandLine, code.lower) && !std::strstr(commandLine, code.upper))
            continue;
        if (order == CodeOrder::kFirstFoundWins)
            return candidate;
        language = candidate;
    }
    return language;
}
