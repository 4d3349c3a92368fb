#include "common/core/language_codes.h"

#include <cstring>

#include "common/core/system_language.h"

namespace {

struct LanguageCode {
    char text[5];
    unsigned char language;
};

// In the order a command line is searched; the letter codes in both cases.
// The folder names are taken from here too, so the launcher's folders and
// the codes on both command lines cannot drift apart.
const LanguageCode kCodes[] = {
    {"0009", kEnglish}, {"000c", kFrench},  {"000C", kFrench},
    {"000a", kSpanish}, {"000A", kSpanish},
};

} // namespace

const char *LanguageFolder(int languageIndex, LetterCase letters)
{
    int row = languageIndex == kFrench ? 1 : languageIndex == kSpanish ? 3 : 0;
    if (row != 0 && letters == LetterCase::kUpper)
        row++;
    return kCodes[row].text;
}

int LanguageFromCommandLine(const char *commandLine, CodeOrder order, int fallback)
{
    int language = fallback;
    for (const LanguageCode &code : kCodes) {
        if (std::strstr(commandLine, code.text) == nullptr)
            continue;
        language = code.language;
        if (order == CodeOrder::kFirstFoundWins)
            break;
    }
    return language;
}
