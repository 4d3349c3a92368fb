#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/language.h"

namespace {

struct LanguageCase {
    unsigned short systemId;
    const char *commandLine;
    unsigned short expected;
};

TEST(Language, SystemAndCommandLine)
{
    const LanguageCase cases[] = {
        // The system alone, any country of a language.
        {0x0409, "", kEnglish},
        {0x0809, "", kEnglish},
        {0x0C0A, "", kSpanish},
        {0x040A, "", kSpanish},
        {0x080A, "", kSpanish},
        {0x040C, "", kFrench},
        {0x0C0C, "", kFrench},
        {0x0407, "", kEnglish},
        {0x0411, "", kEnglish},
        {0x0000, "", kEnglish},
        // Only the primary-language bits count: 0x040A | 0xFC00 is Spanish.
        {0xFC0A, "", kSpanish},
        // A code beats the system.
        {0x040C, "0009", kEnglish},
        {0x0C0A, "0009", kEnglish},
        {0x0409, "000c", kFrench},
        {0x0409, "000C", kFrench},
        {0x0409, "000a", kSpanish},
        {0x0409, "000A", kSpanish},
        // Spanish beats French beats English, in either order on the line.
        {0x0409, "000c 000a", kSpanish},
        {0x0409, "000A 000C", kSpanish},
        {0x0409, "0009 000c", kFrench},
        {0x0409, "000C 0009", kFrench},
        {0x0409, "0009 000c 000a", kSpanish},
        // Codes count inside words and behind switches.
        {0x0409, "-000a", kSpanish},
        {0x0409, "/lang=000Cx", kFrench},
        {0x040C, "x0009y", kEnglish},
        {0x0409, "1000a", kSpanish},
        // Codes that are not there: other digits, mixed case inside, split.
        {0x0409, "00a", kEnglish},
        {0x040C, "000b 0008", kFrench},
        {0x0409, "00 0a", kEnglish},
    };
    for (const LanguageCase &c : cases) {
        EXPECT_EQ(c.expected, ChooseLanguage(c.systemId, c.commandLine))
            << std::hex << c.systemId << " \"" << c.commandLine << "\"";
    }
    EXPECT_EQ(kFrench, ChooseLanguage(0x040C, nullptr));
}

// What survives the 80-byte copy: a code or "remove" that stands within the
// first 79 characters, and nothing that straddles the cut.
struct CutCase {
    int padding; // characters in front of the text
    const char *text;
    unsigned short language; // on an English system
    bool remove;
};

TEST(Language, CommandLineCut)
{
    const CutCase cases[] = {
        {0, "000a", kSpanish, false},
        {75, "000a", kSpanish, false}, // ends at character 79
        {76, "000a", kEnglish, false}, // its last digit is cut
        {78, "000c", kEnglish, false},
        {200, "000c", kEnglish, false},
        {73, "remove", kEnglish, true},  // ends at character 79
        {74, "REMOVE", kEnglish, false}, // its "e" is cut
        {10, "-Remove 000C", kFrench, true},
        {74, "000c000a", kFrench, false}, // the Spanish code is cut off
    };
    for (const CutCase &c : cases) {
        std::string line(static_cast<std::size_t>(c.padding), 'x');
        line += c.text;
        line += std::string(100, 'y');
        char copy[kCommandLineSize];
        std::memset(copy, '#', sizeof copy);
        CopyCommandLine(copy, sizeof copy, line.c_str());
        ASSERT_EQ(std::min<std::size_t>(line.size(), kCommandLineSize - 1), std::strlen(copy))
            << c.padding << " " << c.text;
        EXPECT_EQ(c.language, ChooseLanguage(0x0409, copy)) << c.padding << " " << c.text;
        EXPECT_EQ(c.remove, LowercaseAndFindRemove(copy)) << c.padding << " " << c.text;
    }
}

TEST(Language, CommandLineCopyBounds)
{
    // Exactly 79 characters fit; the zero always lands inside the buffer,
    // and nothing is written past it (ASan watches the heap copy).
    for (std::size_t length : {0u, 1u, 78u, 79u, 80u, 81u, 4096u}) {
        std::string line(length, 'q');
        char *copy = new char[kCommandLineSize];
        CopyCommandLine(copy, kCommandLineSize, line.c_str());
        EXPECT_EQ(std::min<std::size_t>(length, 79), std::strlen(copy)) << length;
        delete[] copy;
    }
    char one[1] = {'z'};
    CopyCommandLine(one, 1, "abc");
    EXPECT_EQ('\0', one[0]);
    char none[4] = {'z', 'z', 'z', 'z'};
    CopyCommandLine(none, sizeof none, nullptr);
    EXPECT_EQ('\0', none[0]);
}

struct RemoveCase {
    const char *commandLine;
    bool remove;
    const char *lowered;
};

TEST(Language, RemoveInAnyCase)
{
    const RemoveCase cases[] = {
        {"remove", true, "remove"},
        {"REMOVE", true, "remove"},
        {"-Remove", true, "-remove"},
        {"/uninstall:rEmOvE now", true, "/uninstall:remove now"},
        {"removed", true, "removed"},
        {"rem ove", false, "rem ove"},
        {"", false, ""},
        {"000A", false, "000a"},
    };
    for (const RemoveCase &c : cases) {
        char copy[kCommandLineSize];
        CopyCommandLine(copy, sizeof copy, c.commandLine);
        EXPECT_EQ(c.remove, LowercaseAndFindRemove(copy)) << c.commandLine;
        EXPECT_STREQ(c.lowered, copy);
    }
}

} // namespace
