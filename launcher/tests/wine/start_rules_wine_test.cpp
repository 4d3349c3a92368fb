// The menu's starts against two rules of Windows that Wine does not apply
// by itself: from Vista on, CreateProcess refuses a setup that wants to run
// as administrator (the call log makes Wine refuse it too), and a program
// path with blanks, given unquoted, is first tried word by word as a
// program of its own ("D:\HD.exe" for "D:\HD and CD-ROM\...").
#include <gtest/gtest.h>

#include "call_log.h"
#include "launcher_cd.h"

using namespace qlh;

namespace {

const char* const kSetups[] = {
    "HD and CD-ROM\\0009\\Setup.exe",
    "Diskette Drive\\Setup.exe",
};

// Buttons 0 and 1 start the English hard-drive and CD-ROM setup, 2 the
// diskette-drive setup. Each must start the genuine program at `cd`.
void ExpectSetupsStart(const LauncherCd& cd, bool modelElevation)
{
    const struct { int button; const char* program; } cases[] = {
        {0, kSetups[0]}, {1, kSetups[0]}, {2, kSetups[1]},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(cd.Root() + " button " + std::to_string(c.button));
        ClearRecorderLog();
        RunningLauncher run;
        ASSERT_TRUE(StartLauncher(run, cd, "-0009"));
        ASSERT_TRUE(DismissNotice(run));
        CallLog log;
        if (modelElevation) {
            ASSERT_TRUE(log.Attach(run.menu));
        }
        Command(run.menu, static_cast<WORD>(c.button));
        std::vector<RecorderEntry> entries = WaitRecorderEntries(1);
        ASSERT_EQ(1u, entries.size());
        EXPECT_EQ(cd.Path(c.program), entries[0].module);
        EXPECT_EQ("\"" + cd.Path(c.program) + "\"", entries[0].command_line);
    }
}

}  // namespace

// Without a manifest a Setup.exe counts as an installer on Vista and later,
// so the real setups are refused like these stand-ins, and the shell must
// start them.
TEST(StartRules, SetupsThatNeedConsentStartThroughTheShell)
{
    LauncherCd cd(ShippedLauncherExe());
    for (const char* setup : kSetups)
        ASSERT_TRUE(CopyFileA(WindowsPathOfUnix(QL_ADMIN_RECORDER_EXE).c_str(), cd.Path(setup).c_str(), FALSE));
    ExpectSetupsStart(cd, true);
}

// Programs named by the first words of the setups' paths, at the CD's root
// and, for a CD copied to "C:\My CD\", at the root of C:.
TEST(StartRules, PlantedProgramsNeverRunInstead)
{
    LauncherCd cd(ShippedLauncherExe());
    ASSERT_TRUE(InstallRecorder(cd.Path("HD.exe")));
    ASSERT_TRUE(InstallRecorder(cd.Path("Diskette.exe")));
    ExpectSetupsStart(cd, false);

    LauncherCd copied(cd, "C:\\My CD\\");
    ASSERT_TRUE(FileExists(copied.Path("Setup.exe")));
    struct Planted {
        ~Planted() { DeleteFileA("C:\\My.exe"); }
    } planted;
    ASSERT_TRUE(InstallRecorder("C:\\My.exe"));
    ExpectSetupsStart(copied, false);
}
