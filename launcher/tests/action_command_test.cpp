#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/action_command.h"
#include "core/menu_model.h"

namespace {

std::string Command(int code, const char *dir, int language)
{
    char out[kCommandSize];
    if (!BuildActionCommand(code, dir, language, out, sizeof out))
        return "<refused>";
    return out;
}

struct CommandCase {
    int code;
    int language;
    const char *expected;
};

// Upper-case folders for the CD, lower-case switch for Floppwright, every
// program's path quoted.
TEST(ActionCommand, EveryCodeInEveryLanguage)
{
    const CommandCase cases[] = {
        {1, 1, "\"D:\\HD and CD-ROM\\0009\\Setup.exe\""},
        {1, 2, "\"D:\\HD and CD-ROM\\000A\\Setup.exe\""},
        {1, 3, "\"D:\\HD and CD-ROM\\000C\\Setup.exe\""},
        {2, 1, "\"D:\\HD and CD-ROM\\0009\\Setup.exe\""},
        {2, 2, "\"D:\\HD and CD-ROM\\000A\\Setup.exe\""},
        {2, 3, "\"D:\\HD and CD-ROM\\000C\\Setup.exe\""},
        {3, 1, "\"D:\\Diskette Drive\\Setup.exe\""},
        {3, 2, "\"D:\\Diskette Drive\\Setup.exe\""},
        {3, 3, "\"D:\\Diskette Drive\\Setup.exe\""},
        {9, 1, "\"D:\\Utility\\Floppwright.exe\" -0009"},
        {9, 2, "\"D:\\Utility\\Floppwright.exe\" -000a"},
        {9, 3, "\"D:\\Utility\\Floppwright.exe\" -000c"},
        // A language out of range falls back to the English folder and
        // passes no switch at all.
        {1, 0, "\"D:\\HD and CD-ROM\\0009\\Setup.exe\""},
        {9, 4, "\"D:\\Utility\\Floppwright.exe\""},
        // Codes that start no program build nothing.
        {5, 1, "<refused>"},
        {6, 1, "<refused>"},
        {10, 1, "<refused>"},
        {86, 1, "<refused>"},
        {0, 1, "<refused>"},
        {4, 1, "<refused>"},
    };
    for (const CommandCase &c : cases)
        EXPECT_EQ(c.expected, Command(c.code, "D:\\", c.language))
            << "code " << c.code << " language " << c.language;
}

TEST(ActionCommand, OtherCommands)
{
    char out[kCommandSize];
    ASSERT_TRUE(BuildLingpickCommand("E:\\CD\\", out, sizeof out));
    EXPECT_STREQ("\"E:\\CD\\Utility\\Lingpick .exe\"", out);

    const struct {
        int language;
        const char *expected;
    } folders[] = {
        {1, "E:\\CD\\User's Guides\\0009"},
        {2, "E:\\CD\\User's Guides\\000A"},
        {3, "E:\\CD\\User's Guides\\000C"},
        {7, "E:\\CD\\User's Guides\\0009"},
    };
    for (const auto &f : folders) {
        ASSERT_TRUE(BuildGuidesFolder("E:\\CD\\", f.language, out, sizeof out));
        EXPECT_STREQ(f.expected, out);
    }

    ASSERT_TRUE(BuildUpdateUrl("www.example.test", out, sizeof out));
    EXPECT_STREQ("http://www.example.test/software_library/index.html", out);

    EXPECT_EQ(1500u, ReaderQuestionId(1));
    EXPECT_EQ(1600u, ReaderQuestionId(2));
    EXPECT_EQ(1700u, ReaderQuestionId(3));
}

// A launcher installed deep in a folder tree must start nothing rather
// than a cut-off path, which could name another program. Each command is
// tried with the deepest directory that still fits and one a character
// deeper.
std::string Directory(std::size_t length)
{
    return "C:\\" + std::string(length - 4, 'x') + "\\";
}

TEST(ActionCommand, OverlongCommandsAreRefused)
{
    const int codes[] = {1, 2, 3, 9};
    for (int code : codes) {
        char out[kCommandSize];
        ASSERT_TRUE(BuildActionCommand(code, "C:\\", 2, out, sizeof out));
        std::size_t fixed = std::string(out).size() - 3;
        std::string fits = Directory(kCommandSize - 1 - fixed);
        ASSERT_TRUE(BuildActionCommand(code, fits.c_str(), 2, out, sizeof out)) << code;
        EXPECT_EQ(kCommandSize - 1, std::string(out).size()) << code;
        std::string deeper = Directory(kCommandSize - fixed);
        EXPECT_FALSE(BuildActionCommand(code, deeper.c_str(), 2, out, sizeof out)) << code;
        EXPECT_STREQ("", out) << code;
    }

    char out[kCommandSize];
    std::string fits = Directory(kCommandSize - 1 - std::strlen("\"Utility\\Lingpick .exe\""));
    EXPECT_TRUE(BuildLingpickCommand(fits.c_str(), out, sizeof out));
    EXPECT_FALSE(BuildLingpickCommand((fits + "y").c_str(), out, sizeof out));
    EXPECT_STREQ("", out);
    fits = Directory(kCommandSize - 1 - std::strlen("User's Guides\\0009"));
    EXPECT_TRUE(BuildGuidesFolder(fits.c_str(), 1, out, sizeof out));
    EXPECT_FALSE(BuildGuidesFolder((fits + "y").c_str(), 1, out, sizeof out));
    EXPECT_FALSE(BuildUpdateUrl(std::string(250, 'h').c_str(), out, sizeof out));
}

TEST(ActionCommand, LauncherDirectory)
{
    const struct {
        const char *module;
        const char *expected;
    } cases[] = {
        {"D:\\Setup.exe", "D:\\"},
        {"C:\\Quellorn CD\\Setup.exe", "C:\\Quellorn CD\\"},
        {"\\\\server\\share\\cd\\Setup.exe", "\\\\server\\share\\cd\\"},
        {"C:\\dir\\", "C:\\dir\\"},
        {"Setup.exe", nullptr},
        {"", nullptr},
    };
    for (const auto &c : cases) {
        char out[kCommandSize] = "junk";
        bool ok = LauncherDirectoryFrom(c.module, out, sizeof out);
        EXPECT_EQ(c.expected != nullptr, ok) << c.module;
        EXPECT_STREQ(c.expected ? c.expected : "", out) << c.module;
    }
    char small[4];
    EXPECT_FALSE(LauncherDirectoryFrom("C:\\a\\b.exe", small, sizeof small));
    EXPECT_STREQ("", small);
}

// The command table's codes are read as atoi reads them.
TEST(ActionCommand, CodesFromTheStringTable)
{
    const struct {
        const char *text;
        int code;
        Action action;
    } cases[] = {
        {"1", 1, Action::kRunProgram},
        {"2", 2, Action::kRunProgram},
        {"3", 3, Action::kRunProgram},
        {"5", 5, Action::kOpenWebPage},
        {"6", 6, Action::kShowGuides},
        {"9", 9, Action::kRunProgram},
        {"10", 10, Action::kShowMessage},
        {"86", 86, Action::kEndLauncher},
        {"  86", 86, Action::kEndLauncher},
        {"\t+6", 6, Action::kShowGuides},
        {"9 and more", 9, Action::kRunProgram},
        {"010", 10, Action::kShowMessage},
        {"-1", -1, Action::kNothing},
        {"four", 0, Action::kNothing},
        {"", 0, Action::kNothing},
        {"- 5", 0, Action::kNothing},
        {"7", 7, Action::kNothing},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.code, ParseActionCode(c.text)) << '"' << c.text << '"';
        EXPECT_EQ(c.action, ActionForCode(ParseActionCode(c.text))) << '"' << c.text << '"';
    }
}

} // namespace
