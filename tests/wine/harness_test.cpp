// The harness proves itself against programs whose behaviour we know: the
// recorder and the little test window.

#include "wine_harness.h"

#include <gtest/gtest.h>

using namespace qlh;

namespace {

HWND StartTestWindow(Process &process, const std::string &args)
{
    if (!process.Start(TestWindowExe(), args))
        return nullptr;
    return WaitForWindow(WindowQuery{"QlTestWindow", nullptr, process.Pid()});
}

} // namespace

TEST(Harness, FindsTheWindowAndReadsItsTexts)
{
    Process process;
    HWND window = StartTestWindow(process, "-title Alpha");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), "Alpha");
    EXPECT_EQ(ClassName(window), "QlTestWindow");
    EXPECT_EQ(WindowPid(window), process.Pid());
    EXPECT_EQ(WaitForWindow(WindowQuery{nullptr, "Alpha", process.Pid()}), window);
    EXPECT_TRUE(FindTopWindows(WindowQuery{"QlTestWindow", "Beta", 0}).empty());

    HWND button = FindChild(window, 100);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(WindowText(button), "Press");
    EXPECT_EQ(FindChildByClass(window, "Static"), FindChild(window, 101));
    EXPECT_EQ(FindChildByText(window, "idle"), FindChild(window, 101));
    EXPECT_EQ(FindChild(window, 999), nullptr);
}

TEST(Harness, ClicksReachTheWindowAndShowOnScreen)
{
    Process process;
    HWND window = StartTestWindow(process, "");
    ASSERT_NE(window, nullptr);
    COLORREF seen = 0;
    EXPECT_TRUE(WaitClientPixel(window, 150, 100, RGB(0x12, 0x34, 0x56), 3000, &seen))
        << ColorName(seen);

    ClickAt(window, 150, 100);
    EXPECT_TRUE(WaitText(FindChild(window, 101), "pressed 150,100"));
    EXPECT_TRUE(WaitClientPixel(window, 150, 100, RGB(0xC0, 0x20, 0x20), 3000, &seen))
        << ColorName(seen);

    // A block read agrees with single pixels, rows from the top: row 20
    // crosses the status text, the last row the painted client area.
    RECT client;
    GetClientRect(window, &client);
    ASSERT_TRUE(
        WaitUntil([&] { return ClientPixel(window, 150, 20) != RGB(0xC0, 0x20, 0x20); }, 3000));
    RECT block = {140, 0, 160, client.bottom};
    std::vector<COLORREF> pixels;
    ASSERT_TRUE(ClientPixels(window, block, &pixels));
    ASSERT_EQ(pixels.size(), 20u * client.bottom);
    EXPECT_EQ(pixels[20 * 20 + 10], ClientPixel(window, 150, 20));
    EXPECT_EQ(pixels.back(), RGB(0xC0, 0x20, 0x20));
    EXPECT_NE(pixels[20 * 20 + 10], pixels.back());

    ClickButton(FindChild(window, 100));
    EXPECT_EQ(WindowText(FindChild(window, 101)), "pressed -1,-1");
}

TEST(Harness, RealInputReachesTheForegroundWindow)
{
    Process process;
    HWND window = StartTestWindow(process, "");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(ActivateWindow(window));
    HWND status = FindChild(window, 101);

    SendKey(VK_TAB);
    EXPECT_TRUE(WaitText(status, "tab")) << WindowText(status);
    SendKey(VK_TAB, true);
    EXPECT_TRUE(WaitText(status, "shift+tab")) << WindowText(status);
    SendMouseClick(window, 200, 120);
    EXPECT_TRUE(WaitText(status, "pressed 200,120")) << WindowText(status);
}

TEST(Harness, ExitCodeAfterKeyAndSysCommand)
{
    struct Case {
        const char *args;
        bool escape;
        DWORD code;
    };
    const Case cases[] = {
        {"-exit 7", true, 7},
        {"-exit 3", false, 3},
        {"", false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args);
        Process process;
        HWND window = StartTestWindow(process, c.args);
        ASSERT_NE(window, nullptr);
        if (c.escape)
            KeyPress(window, VK_ESCAPE);
        else
            SysCommand(window, SC_CLOSE);
        DWORD code = 0xDEAD;
        EXPECT_TRUE(process.WaitExit(5000, &code));
        EXPECT_EQ(code, c.code);
        EXPECT_TRUE(WaitWindowGone(window, 1000));
    }
}

TEST(Harness, AnswersAMessageBox)
{
    struct Case {
        int button;
        DWORD code;
    };
    for (Case c : {Case{IDYES, IDYES}, Case{IDNO, IDNO}}) {
        Process process;
        ASSERT_TRUE(process.Start(TestWindowExe(), "-msgbox"));
        DialogInfo info;
        HWND box = WaitForDialog(process.Pid(), "Harness", 5000, &info);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(info.caption, "Harness");
        EXPECT_EQ(info.text, "Question?");
        EXPECT_EQ(info.buttons.size(), 2u);
        PressDialogButton(box, c.button);
        DWORD code = 0;
        EXPECT_TRUE(process.WaitExit(5000, &code));
        EXPECT_EQ(code, c.code);
    }
}

TEST(Harness, KillEndsTheProgramAndWhatItStarted)
{
    Process process;
    HWND window = StartTestWindow(process, "-spawn");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return process.JobProcessCount() == 2; }, 3000))
        << process.JobProcessCount();
    EXPECT_FALSE(process.WaitExit(200));
    process.Kill();
    // Nothing is left the moment Kill returns: the next test may start at once.
    EXPECT_FALSE(process.Running());
    EXPECT_EQ(process.JobProcessCount(), 0);
    EXPECT_FALSE(IsWindow(window));
}

TEST(Harness, RecorderLogsEachStartInOrder)
{
    TempDir dir;
    std::string first = dir / "HD and CD-ROM\\000A\\Setup.exe";
    std::string second = dir / "Utility\\Lingpick .exe";
    ASSERT_TRUE(InstallRecorder(first));
    ASSERT_TRUE(InstallRecorder(second));
    ClearRecorderLog();
    EXPECT_TRUE(ReadRecorderLog().empty());

    // Unquoted with blanks, as the menu starts them; and quoted with an argument.
    for (const std::string &command_line : {first, "\"" + second + "\" -000a"}) {
        Process process;
        ASSERT_TRUE(process.StartCommandLine(command_line));
        DWORD code = 1;
        EXPECT_TRUE(process.WaitExit(5000, &code));
        EXPECT_EQ(code, 0u);
    }
    std::vector<RecorderEntry> log = WaitRecorderEntries(2);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].module, first);
    // Wine hands an unquoted program path with blanks on quoted.
    EXPECT_TRUE(log[0].command_line == first || log[0].command_line == "\"" + first + "\"")
        << log[0].command_line;
    EXPECT_EQ(log[1].module, second);
    EXPECT_EQ(log[1].command_line, "\"" + second + "\" -000a");
}

TEST(Harness, RecorderAppendsFromManyAtOnce)
{
    ClearRecorderLog();
    const int kCount = 6;
    Process processes[kCount];
    for (int i = 0; i < kCount; ++i)
        ASSERT_TRUE(processes[i].Start(RecorderExe(), "run " + std::to_string(i)));
    for (Process &p : processes)
        EXPECT_TRUE(p.WaitExit(5000));
    std::vector<RecorderEntry> log = ReadRecorderLog();
    ASSERT_EQ(log.size(), static_cast<size_t>(kCount));
    for (const RecorderEntry &entry : log)
        EXPECT_EQ(entry.module, RecorderExe());
}

TEST(Harness, RegistryKeysComeBackAsTheyWere)
{
    const std::string key = "HKCU\\Software\\QuellornHarnessTest";
    RegRemoveKey(key);
    ASSERT_TRUE(RegSetString(key + "\\Sub", "", "default"));
    ASSERT_TRUE(RegSetDword(key, "Count", 5));
    {
        ScopedRegistryKey saved(key);
        RegRemoveKey(key + "\\Sub");
        RegSetString(key, "Extra", "x");
        EXPECT_FALSE(RegKeyExists(key + "\\Sub"));
    }
    std::string value;
    EXPECT_TRUE(RegGetString(key + "\\Sub", "", &value));
    EXPECT_EQ(value, "default");
    EXPECT_FALSE(RegGetString(key, "Extra", &value));
    EXPECT_TRUE(RegRemoveKey(key));
    EXPECT_FALSE(RegKeyExists(key));
}

TEST(Harness, RegistryKeyThatDidNotExistIsGoneAgain)
{
    const std::string key = "HKCU\\Software\\QuellornHarnessAbsent";
    RegRemoveKey(key);
    {
        ScopedRegistryKey saved(key);
        RegSetString(key + "\\A\\B", "x", "y");
        RegSetDword(key, "n", 1);
    }
    EXPECT_FALSE(RegKeyExists(key));
}

TEST(Harness, RegistryValuesOfEveryKindComeBack)
{
    const std::string key = "HKCU\\Software\\QuellornHarnessKinds";
    RegRemoveKey(key);
    std::string long_text(600, 'q'); // longer than any fixed buffer of ours
    ASSERT_TRUE(RegSetString(key, "", "default"));
    ASSERT_TRUE(RegSetString(key, "long", long_text));
    ASSERT_TRUE(RegSetDword(key, "dword", 0x12345678));
    {
        ScopedRegistryKey saved(key);
        RegRemoveKey(key);
    }
    std::string value;
    EXPECT_TRUE(RegGetString(key, "", &value));
    EXPECT_EQ(value, "default");
    EXPECT_TRUE(RegGetString(key, "long", &value));
    EXPECT_EQ(value, long_text);
    EXPECT_FALSE(RegGetString(key, "dword", &value)); // not a string
    HKEY handle;
    ASSERT_EQ(
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\QuellornHarnessKinds", 0, KEY_READ, &handle),
        ERROR_SUCCESS);
    DWORD dword = 0, size = sizeof dword, type = 0;
    EXPECT_EQ(
        RegQueryValueExA(handle, "dword", nullptr, &type, reinterpret_cast<BYTE *>(&dword), &size),
        ERROR_SUCCESS);
    RegCloseKey(handle);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(dword, 0x12345678u);
    RegRemoveKey(key);
}

TEST(Harness, WindowsVersionReachesTheProgram)
{
    struct Case {
        const char *version;
        const char *exe;
        const char *title;
    };
    const Case cases[] = {
        {"win98", "", "1 4.10"},
        {"nt40", "", "2 4.0"},
        {"win95", "ql_testwindow.exe", "1 4.0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.version);
        ScopedWindowsVersion version(c.version, c.exe);
        Process process;
        ASSERT_TRUE(process.Start(TestWindowExe(), "-version"));
        EXPECT_NE(WaitForWindow(WindowQuery{nullptr, c.title, process.Pid()}), nullptr)
            << "no window titled " << c.title;
    }
}

TEST(Harness, FilesAndFolders)
{
    TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    ASSERT_TRUE(MakeDirectories(dir / "Acrobat\\Espa\xf1ol"));
    ASSERT_TRUE(WriteWholeFile(dir / "Acrobat\\Espa\xf1ol\\ar405esl.exe", "x"));
    ASSERT_TRUE(WriteWholeFile(dir / "a b.txt", std::string("\0\r\n", 3)));
    EXPECT_EQ(ListDirectory(dir.Path()), (std::vector<std::string>{"Acrobat\\", "a b.txt"}));

    // A copy keeps contents and accented names.
    ASSERT_TRUE(CopyTree(dir.Path(), dir / "copy"));
    std::string contents;
    EXPECT_TRUE(ReadWholeFile(dir / "copy\\a b.txt", &contents));
    EXPECT_EQ(contents, std::string("\0\r\n", 3));
    EXPECT_TRUE(FileExists(dir / "copy\\Acrobat\\Espa\xf1ol\\ar405esl.exe"));
    EXPECT_TRUE(DirectoryExists(dir / "copy\\Acrobat\\"));
    EXPECT_FALSE(FileExists(dir / "copy\\Acrobat"));

    // Read-only, hidden and system files, as a diskette's system files are,
    // do not outlive their folder.
    std::string system_file = dir / "copy\\IO.SYS";
    ASSERT_TRUE(WriteWholeFile(system_file, "io"));
    ASSERT_TRUE(SetFileAttributesA(system_file.c_str(),
                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                       FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(FileAttributes(system_file) & 7, 7u);
    EXPECT_TRUE(RemoveTree(dir / "copy"));
    EXPECT_FALSE(DirectoryExists(dir / "copy"));
}

TEST(Harness, RecorderLogSkipsALineBeingWritten)
{
    ClearRecorderLog();
    ASSERT_TRUE(WriteWholeFile(RecorderLogPath(), "C:\\a.exe\ta.exe -x\r\nC:\\b.exe\tb.ex"));
    std::vector<RecorderEntry> log = ReadRecorderLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].module, "C:\\a.exe");
    EXPECT_EQ(log[0].command_line, "a.exe -x");
    ClearRecorderLog();
}

TEST(Harness, WebFixturesStartTheRecorder)
{
    std::string command;
    ASSERT_TRUE(RegGetString("HKCR\\http\\shell\\open\\command", "", &command));
    EXPECT_NE(command.find(RecorderExe()), std::string::npos) << command;
    ASSERT_TRUE(RegGetString("HKCR\\.htm", "", &command));
    EXPECT_FALSE(command.empty());
}

TEST(Harness, AnsiFromUtf8)
{
    struct Case {
        const char *utf8;
        const char *ansi;
    };
    const Case cases[] = {
        {"", ""},
        {"Setup", "Setup"},
        {"Instalaci\xc3\xb3n", "Instalaci\xf3n"},
        {"Fran\xc3\xa7"
         "ais \xc3\xa0 l'aide",
         "Fran\xe7"
         "ais \xe0 l'aide"},
        {"Adobe\xc2\xae", "Adobe\xae"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Ansi(c.utf8), c.ansi) << c.utf8;
}

TEST(Harness, FakeCdHasTheLayout)
{
    const char *const paths[] = {
        "HD and CD-ROM\\0009\\Setup.exe",
        "HD and CD-ROM\\000A\\Setup.exe",
        "HD and CD-ROM\\000C\\Setup.exe",
        "Diskette Drive\\Setup.exe",
        "Utility\\testport.exe",
        "Utility\\testport.txt",
        "User's Guides\\000A\\Creaci\xf3n de discos CD con VelmoraCD .pdf",
        "User's Guides\\000C\\Cr\xe9"
        "er un CD \xe0 l'aide de VelmoraCD .pdf",
        "User's Guides\\CDGUIDE.DOC",
        "Acrobat\\Espa\xf1ol\\ar405esl.exe",
        "Acrobat\\Fran\xe7"
        "ais\\ar500fra.exe",
    };
    for (const char *path : paths)
        EXPECT_TRUE(FileExists(CdPath(path))) << path;
    EXPECT_EQ(GetDriveTypeA(CdRoot().c_str()), static_cast<UINT>(DRIVE_CDROM));
    EXPECT_EQ(GetDriveTypeA(FloppyRoot().c_str()), static_cast<UINT>(DRIVE_REMOVABLE));
}

TEST(Harness, ScreenshotIsABitmapOfTheWindow)
{
    Process process;
    HWND window = StartTestWindow(process, "");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitClientPixel(window, 150, 100, RGB(0x12, 0x34, 0x56)));
    TempDir dir;
    ASSERT_TRUE(SaveScreenshot(window, dir / "shot.bmp"));
    std::string bmp;
    ASSERT_TRUE(ReadWholeFile(dir / "shot.bmp", &bmp));
    RECT r = WindowRectOnScreen(window);
    size_t stride = ((r.right - r.left) * 3 + 3) & ~3;
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(bmp.size(), 54 + stride * (r.bottom - r.top));
}

// Each registration of this driver runs with its own LC_ALL; the programs
// it starts must see that language, system and user default alike.
void ExpectChildLanguage(const char *expected)
{
    Process process;
    ASSERT_TRUE(process.Start(TestWindowExe(), "-language"));
    HWND window = WaitForWindow(WindowQuery{nullptr, expected, process.Pid()});
    EXPECT_NE(window, nullptr) << "expected a window titled " << expected;
}

TEST(Language, ChildSeesEnglish)
{
    ExpectChildLanguage("0409 0409");
}
TEST(Language_es, ChildSeesSpanish)
{
    ExpectChildLanguage("0c0a 0c0a");
}
TEST(Language_fr, ChildSeesFrench)
{
    ExpectChildLanguage("040c 040c");
}

// Registered a second time, labelled "palette", for the 8-bit display that
// tools/run-wine-tests.sh provides (QL_SCREEN_DEPTH=8): there Wine must
// report a palette device, or palette tests would test nothing.
TEST(Palette, EightBitDisplayIsAPaletteDevice)
{
    char depth[8] = "";
    GetEnvironmentVariableA("QL_SCREEN_DEPTH", depth, sizeof depth);
    if (std::string(depth) != "8")
        GTEST_SKIP() << "not the 8-bit display";
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 8);
    EXPECT_TRUE(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE);
    EXPECT_EQ(GetDeviceCaps(screen, SIZEPALETTE), 256);
    ReleaseDC(nullptr, screen);
}
