#include "core/language.h"

#include <cstring>

#include "common/core/language_codes.h"

void CopyCommandLine(char *dest, std::size_t size, const char *source)
{
    if (size == 0)
        return;
    std::size_t n = 0;
    if (source) {
        while (n + 1 < size && source[n] != '\0') {
            dest[n] = source[n];
            n++;
        }
    }
    dest[n] = '\0';
}

unsigned short ChooseLanguage(unsigned short systemLanguageId, const char *commandLine)
{
    unsigned short language = LanguageFromSystem(systemLanguageId);
    if (!commandLine)
        return language;
    return static_cast<unsigned short>(
        LanguageFromCommandLine(commandLine, CodeOrder::kLastFoundWins, language));
}

bool LowercaseAndFindRemove(char *text)
{
    for (char *p = text; *p; p++) {
        if (*p >= 'A' && *p <= 'Z')
            *p = static_cast<char>(*p - 'A' + 'a');
    }
    return std::strstr(text, "remove") != nullptr;
}
