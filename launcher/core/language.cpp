#include "core/language.h"

#include <cstring>

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

unsigned short LanguageFromSystem(unsigned short languageId)
{
    switch (languageId & 0x3FF) {
    case 0x0A:
        return kSpanish;
    case 0x0C:
        return kFrench;
    default:
        return kEnglish;
    }
}

unsigned short ChooseLanguage(unsigned short systemLanguageId, const char *commandLine)
{
    unsigned short language = LanguageFromSystem(systemLanguageId);
    if (!commandLine)
        return language;
    if (std::strstr(commandLine, "0009"))
        language = kEnglish;
    if (std::strstr(commandLine, "000c") || std::strstr(commandLine, "000C"))
        language = kFrench;
    if (std::strstr(commandLine, "000a") || std::strstr(commandLine, "000A"))
        language = kSpanish;
    return language;
}

bool LowercaseAndFindRemove(char *text)
{
    for (char *p = text; *p; p++) {
        if (*p >= 'A' && *p <= 'Z')
            *p = static_cast<char>(*p - 'A' + 'a');
    }
    return std::strstr(text, "remove") != nullptr;
}
