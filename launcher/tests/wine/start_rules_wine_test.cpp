// The menu against three rules of Windows that Wine does not apply by
// itself: from Vista on, CreateProcess refuses a setup that wants to run
// as administrator (the call log makes Wine refuse it too); a program path
// with blanks, given unquoted, is first tried word by word as a program of
// its own ("D:\HD.exe" for "D:\HD and CD-ROM\..."); and a DLL that is not
// a KnownDLL is looked for in the program's folder before the system's
// (Wine prefers its own unless told otherwise with WINEDLLOVERRIDES).
#include <gtest/gtest.h>

#include "call_log.h"
#include "call_log_shared.h"
#include "launcher_cd.h"

using namespace qlh;

namespace {

const char *const kSetups[] = {
    "HD and CD-ROM\\0009\\Setup.exe",
    "Diskette Drive\\Setup.exe",
};

// Buttons 0 and 1 start the English hard-drive and CD-ROM setup, 2 the
// diskette-drive setup. Each must start the genuine program at `cd`.
void ExpectSetupsStart(const LauncherCd &cd, bool modelElevation)
{
    const struct {
        int button;
        const char *program;
    } cases[] = {
        {0, kSetups[0]},
        {1, kSetups[0]},
        {2, kSetups[1]},
    };
    for (const auto &c : cases) {
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

} // namespace

// Without a manifest a Setup.exe counts as an installer on Vista and later,
// so the real setups are refused like these stand-ins, and the shell must
// start them.
TEST(StartRules, SetupsThatNeedConsentStartThroughTheShell)
{
    LauncherCd cd(ShippedLauncherExe());
    for (const char *setup : kSetups)
        ASSERT_TRUE(CopyFileA(WindowsPathOfUnix(QL_ADMIN_RECORDER_EXE).c_str(),
                              cd.Path(setup).c_str(), FALSE));
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

// Stand-ins for winmm.dll and shell32.dll beside Setup.exe, preferred by
// Wine (its DllOverrides for Setup.exe) as Windows prefers them: the click sound and the update
// page still work, and neither stand-in is ever loaded. (version.dll and msvcrt.dll cannot be tried
// so: Wine's own user32 and its DLLs need the real ones; the release check proves that the programs
// import neither.)
TEST(StartRules, PlantedDllsAreNeverLoaded)
{
    const char *const kPlanted[] = {"winmm", "shell32"};
    LauncherCd cd(ShippedLauncherExe());
    for (const char *dll : kPlanted)
        ASSERT_TRUE(CopyFileA(WindowsPathOfUnix(QL_PLANTED_DLL).c_str(),
                              cd.Path(std::string(dll) + ".dll").c_str(), FALSE));
    InstallWebFixtures();
    ClearRecorderLog();

    const std::string overrides = "HKCU\\Software\\Wine\\AppDefaults\\Setup.exe\\DllOverrides";
    ScopedRegistryKey kept(overrides);
    for (const char *dll : kPlanted)
        ASSERT_TRUE(RegSetString(overrides, dll, "native,builtin"));
    RunningLauncher run;
    ASSERT_TRUE(StartLauncher(run, cd, "-0009"));
    ASSERT_TRUE(DismissNotice(run));

    CallLog calls;
    ASSERT_TRUE(calls.Attach(run.menu));
    HWND button = FindWindowExA(run.menu, nullptr, "Button", nullptr);
    ASSERT_NE(nullptr, button);
    MouseMove(button, 20, 5);
    EXPECT_TRUE(WaitUntil(
        [&] {
            for (const LoggedCall &call : calls.Calls())
                if (call.kind == CallPlaySound)
                    return true;
            return false;
        },
        3000))
        << "the click sound";

    Command(run.menu, 3);
    std::vector<RecorderEntry> entries = WaitRecorderEntries(1);
    ASSERT_EQ(1u, entries.size());
    EXPECT_NE(std::string::npos, entries[0].command_line.find("/software_library/index.html"))
        << entries[0].command_line;

    for (const char *dll : kPlanted)
        EXPECT_FALSE(FileExists(cd.Path(std::string(dll) + ".dll.loaded"))) << dll;
}
