#include "common/core/system_language.h"

namespace {

constexpr unsigned kPrimaryLanguageMask = 0x3FF;

} // namespace

unsigned PrimaryLanguage(unsigned languageId)
{
    return languageId & kPrimaryLanguageMask;
}

Language LanguageFromSystem(unsigned languageId)
{
    switch (PrimaryLanguage(languageId)) {
    case kPrimarySpanish:
        return kSpanish;
    case kPrimaryFrench:
        return kFrench;
    default:
        return kEnglish;
    }
}
