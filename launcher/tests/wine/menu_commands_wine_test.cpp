// The menu's buttons under Wine: what each command starts, with recorders
// standing in for every program.
#include <gtest/gtest.h>

#include "launcher_cd.h"

using namespace qlh;

namespace {

class MenuCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite() { cd_ = new LauncherCd(ShippedLauncherExe()); }
    static void TearDownTestSuite()
    {
        delete cd_;
        cd_ = nullptr;
    }
    static LauncherCd *cd_;
};
LauncherCd *MenuCommands::cd_;

struct StartCase {
    const char *args;
    int button;
    const char *program;     // relative to the CD root
    const char *commandLine; // after the quote and the CD root
};

// Every program's path is quoted; Floppwright gets the lower-case language
// switch, the setups nothing.
TEST_F(MenuCommands, ProgramsStartWithTheirExactCommandLines)
{
    const StartCase cases[] = {
        {"-0009", 0, "HD and CD-ROM\\0009\\Setup.exe", "HD and CD-ROM\\0009\\Setup.exe\""},
        {"-000a", 0, "HD and CD-ROM\\000A\\Setup.exe", "HD and CD-ROM\\000A\\Setup.exe\""},
        {"-000c", 1, "HD and CD-ROM\\000C\\Setup.exe", "HD and CD-ROM\\000C\\Setup.exe\""},
        {"-0009", 1, "HD and CD-ROM\\0009\\Setup.exe", "HD and CD-ROM\\0009\\Setup.exe\""},
        {"-000a", 2, "Diskette Drive\\Setup.exe", "Diskette Drive\\Setup.exe\""},
        {"-0009", 4, "Utility\\Floppwright.exe", "Utility\\Floppwright.exe\" -0009"},
        {"-000a", 4, "Utility\\Floppwright.exe", "Utility\\Floppwright.exe\" -000a"},
        {"-000c", 4, "Utility\\Floppwright.exe", "Utility\\Floppwright.exe\" -000c"},
    };
    for (const StartCase &c : cases) {
        SCOPED_TRACE(std::string(c.args) + " button " + std::to_string(c.button));
        ClearRecorderLog();
        RunningLauncher run;
        ASSERT_TRUE(StartLauncher(run, *cd_, c.args));
        ASSERT_TRUE(DismissNotice(run));
        Command(run.menu, static_cast<WORD>(c.button));
        std::vector<RecorderEntry> entries = WaitRecorderEntries(1);
        ASSERT_EQ(1u, entries.size());
        EXPECT_EQ(cd_->Path(c.program), entries[0].module);
        EXPECT_EQ("\"" + cd_->Root() + c.commandLine, entries[0].command_line);
        EXPECT_TRUE(run.process.Running()) << "the menu stays after a start";
    }
}

TEST_F(MenuCommands, UpdatePageReachesTheWebBrowser)
{
    InstallWebFixtures();
    ClearRecorderLog();
    RunningLauncher run;
    ASSERT_TRUE(StartLauncher(run, *cd_, "-0009"));
    ASSERT_TRUE(DismissNotice(run));
    Command(run.menu, 3);
    std::vector<RecorderEntry> entries = WaitRecorderEntries(1);
    ASSERT_EQ(1u, entries.size());
    EXPECT_NE(
        std::string::npos,
        entries[0].command_line.find("http://" QL_MAKER_WEB_HOST "/software_library/index.html"))
        << entries[0].command_line;
}

// Without a TCP/IP client protocol the update button is unavailable and
// ignores clicks; the other buttons still work.
TEST_F(MenuCommands, UnavailableUpdateButtonIgnoresClicks)
{
    ScopedRegistryKey rpc("HKLM\\Software\\Microsoft\\Rpc\\ClientProtocols");
    ASSERT_TRUE(RegRemoveValue("HKLM\\Software\\Microsoft\\Rpc\\ClientProtocols", "ncacn_ip_tcp"));
    ClearRecorderLog();
    RunningLauncher run;
    ASSERT_TRUE(StartLauncher(run, *cd_, "-0009"));
    ASSERT_TRUE(DismissNotice(run));
    Command(run.menu, 3);
    EXPECT_TRUE(StartsNothingWithin(run.process, 1000));
    Command(run.menu, 2);
    EXPECT_EQ(1u, WaitRecorderEntries(1).size());
}

TEST_F(MenuCommands, ExitEndsTheLauncherWithZero)
{
    RunningLauncher run;
    ASSERT_TRUE(StartLauncher(run, *cd_, "-000c"));
    ASSERT_TRUE(DismissNotice(run));
    Command(run.menu, 5);
    DWORD code = 1;
    ASSERT_TRUE(run.process.WaitExit(5000, &code));
    EXPECT_EQ(0u, code);
}

// Notifications other than a click, and ids that are no button, do nothing.
TEST_F(MenuCommands, OtherCommandsAreIgnored)
{
    ClearRecorderLog();
    RunningLauncher run;
    ASSERT_TRUE(StartLauncher(run, *cd_, "-0009"));
    ASSERT_TRUE(DismissNotice(run));
    Command(run.menu, 0, BN_SETFOCUS);
    Command(run.menu, 0xFFFF, 0xFFFF);
    Command(run.menu, 6);
    Command(run.menu, 7);
    Command(run.menu, 200);
    EXPECT_TRUE(StartsNothingWithin(run.process, 500));
    EXPECT_TRUE(run.process.Running());
    EXPECT_TRUE(FindTopWindows(WindowQuery{"#32770", nullptr, run.process.Pid()}).empty());
}

} // namespace
