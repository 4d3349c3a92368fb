// The language a program speaks, from the Windows language id of the system
// or the user.
#pragma once

// A program's LanguageIndex: every text it shows is chosen by it.
enum Language : unsigned short {
    kEnglish = 1,
    kSpanish = 2,
    kFrench = 3,
};

// The primary language ids of the three languages, as Windows numbers them
// and as the CD's language codes write them ("0009", "000a", "000c").
enum PrimaryLanguageId : unsigned {
    kPrimaryEnglish = 0x09,
    kPrimarySpanish = 0x0A,
    kPrimaryFrench = 0x0C,
};

// The primary language of a Windows language id (its low ten bits), the
// same for every country of a language.
unsigned PrimaryLanguage(unsigned languageId);

// Spanish for primary language 0x0A, French for 0x0C, English for every
// other language.
Language LanguageFromSystem(unsigned languageId);
