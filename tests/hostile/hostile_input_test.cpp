// The three programs against hostile input: 10 KB command lines, a CD copied
// deep into a folder tree, registry values that fill their buffers without a
// terminating NUL, and a diskette crowded with files and folders. Nothing
// may crash or start a cut path, every program still ends with 0, and
// nothing outside the diskette may change.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "wine_harness.h"

using namespace qlh;

namespace {

const size_t kTenKilobytes = 10 * 1024;

// head, then filler words up to 10 KB, then tail.
std::string LongCommandLine(const std::string &head, const std::string &tail = "")
{
    std::string line = head;
    while (line.size() + tail.size() < kTenKilobytes)
        line += " filler";
    return line + tail;
}

std::string Pad(const std::string &text, size_t spaces)
{
    return text + std::string(spaces, ' ');
}

// Every file below root (folders end in "\"), with its size.
void Snapshot(const std::string &root, const std::string &relative,
              std::map<std::string, DWORD> *files)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((root + relative + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            (*files)[relative + name + "\\"] = 0;
            Snapshot(root, relative + name + "\\", files);
        } else {
            (*files)[relative + name] = entry.nFileSizeLow;
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

std::map<std::string, DWORD> Snapshot(const std::string &root)
{
    std::map<std::string, DWORD> files;
    Snapshot(root, "", &files);
    return files;
}

void EmptyFloppy()
{
    for (const std::string &name : ListDirectory(FloppyRoot()))
        RemoveTree(FloppyRoot() + name);
}

// Raw registry data, exactly `bytes` long, with no terminating NUL.
bool SetUnterminated(HKEY root, const char *key, const char *name, size_t bytes)
{
    HKEY handle;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return false;
    std::string data(bytes, 'x');
    LONG result =
        RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(data.data()),
                       static_cast<DWORD>(data.size()));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

// A launcher started with args, its start-up notice dismissed.
struct Menu {
    Process process;
    HWND window = nullptr;

    bool Start(const std::string &exe, const std::string &args, const char *title = nullptr)
    {
        if (!process.Start(exe, args))
            return false;
        window = WaitForWindow(WindowQuery{"Setup", title, process.Pid()});
        if (!window)
            return false;
        if (HWND notice = WaitForDialog(process.Pid(), nullptr, 3000))
            PressDialogButton(notice, IDOK);
        return WaitEnabled(window);
    }

    // Escape ends the menu; true when it ended with 0.
    bool EndsCleanly()
    {
        KeyPress(window, VK_ESCAPE);
        DWORD code = 1;
        return process.WaitExit(5000, &code) && code == 0;
    }
};

TEST(HostileInput, TenKilobyteCommandLines)
{
    ClearRecorderLog();
    {
        // The French code is within the launcher's copy, "remove" far beyond.
        Menu menu;
        ASSERT_TRUE(menu.Start(CdPath("Setup.exe"), LongCommandLine("-000c", " remove"),
                               "Configuration Quellorn"));
        EXPECT_TRUE(menu.EndsCleanly());
    }
    {
        ScopedWindowsVersion nt4("nt40", "Floppwright.exe");
        Process maker;
        ASSERT_TRUE(
            maker.Start(CdPath("Utility\\Floppwright.exe"), LongCommandLine("-000c", " -000a")));
        HWND products = WaitForDialog(maker.Pid());
        ASSERT_NE(products, nullptr);
        // Only the first 259 characters count: French, not the Spanish code at the end.
        EXPECT_EQ(WindowText(products), Pad("Setup Disquette", 29));
        PressDialogButton(products, IDCANCEL);
        DWORD code = 1;
        EXPECT_TRUE(maker.WaitExit(5000, &code));
        EXPECT_EQ(code, 0u);
    }
    {
        Process picker;
        ASSERT_TRUE(picker.Start(CdPath("Utility\\Lingpick .exe"), LongCommandLine("-000c")));
        HWND dialog = WaitForDialog(picker.Pid(), "Acrobat Setup");
        ASSERT_NE(dialog, nullptr);
        PressDialogButton(dialog, IDCANCEL);
        DWORD code = 1;
        EXPECT_TRUE(picker.WaitExit(5000, &code));
        EXPECT_EQ(code, 0u);
    }
    EXPECT_TRUE(ReadRecorderLog().empty());
}

// The launcher copied to a folder 250 characters deep: its own path still
// fits, but no command line built from it does. Every button must start
// nothing at all rather than a cut path, and the menu goes on.
TEST(HostileInput, LauncherDeepInAFolderTreeStartsNoCutPath)
{
    TempDir base;
    std::string folder = base.Path();
    while (folder.size() < 250) {
        size_t room = 250 - folder.size();
        folder += std::string(room > 60 ? 60 : room - 1, 'd') + "\\";
    }
    ASSERT_EQ(folder.size(), 250u);
    ASSERT_TRUE(MakeDirectories(folder));
    ASSERT_TRUE(CopyFileA(CdPath("Setup.exe").c_str(), (folder + "Setup.exe").c_str(), FALSE));
    // Where a cut command line could land: the start of each setup folder.
    ASSERT_TRUE(InstallRecorder(folder + "HD.exe"));
    ASSERT_TRUE(InstallRecorder(folder + "Diskette.exe"));
    ASSERT_TRUE(InstallRecorder(folder + "Utility\\Floppwright.exe"));
    ClearRecorderLog();

    Menu menu;
    ASSERT_TRUE(menu.Start(folder + "Setup.exe", "-0009"));
    for (int button : {0, 1, 2, 4}) {
        Command(menu.window, static_cast<WORD>(button));
        ASSERT_TRUE(Sync(menu.window));
    }
    EXPECT_TRUE(StartsNothingWithin(menu.process, 500));
    EXPECT_EQ(menu.process.JobProcessCount(), 1);
    EXPECT_TRUE(menu.EndsCleanly());
}

// 300 bytes without a NUL in every value the launcher reads: nothing may
// crash, and values that cannot be read whole count as absent.
TEST(HostileInput, RegistryValuesWithoutTerminator)
{
    ScopedRegistryKey rpc("HKLM\\Software\\Microsoft\\Rpc\\ClientProtocols");
    ScopedRegistryKey htm("HKCR\\.htm");
    ScopedRegistryKey reader("HKCR\\AcroExch.Document");
    ASSERT_TRUE(SetUnterminated(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Rpc\\ClientProtocols",
                                "ncacn_ip_tcp", 300));
    ASSERT_TRUE(SetUnterminated(HKEY_CLASSES_ROOT, ".htm", nullptr, 300));
    ASSERT_TRUE(SetUnterminated(HKEY_CLASSES_ROOT, "AcroExch.Document\\shell\\open\\command",
                                nullptr, 300));
    ClearRecorderLog();

    Menu menu;
    ASSERT_TRUE(menu.Start(CdPath("Setup.exe"), "-0009", "Quellorn Setup"));
    // A .htm class name that does not fit cannot be looked up: no web page.
    Command(menu.window, 3);
    ASSERT_TRUE(Sync(menu.window));
    EXPECT_TRUE(StartsNothingWithin(menu.process, 300));
    EXPECT_TRUE(menu.EndsCleanly());

    // A reader command that fills its buffer names no program: the guides
    // ask for a reader instead (the menu with a guides button).
    TempDir cd;
    ASSERT_TRUE(CopyFileA(WindowsPathOfUnix(QL_LAUNCHER_VARIANT_EXE).c_str(),
                          (cd / "Setup.exe").c_str(), FALSE));
    Menu guides;
    ASSERT_TRUE(guides.Start(cd / "Setup.exe", "-0009"));
    Command(guides.window, 6);
    HWND question = WaitForDialog(guides.process.Pid(), "Acrobat Viewer Required");
    ASSERT_NE(question, nullptr);
    PressDialogButton(question, IDNO);
    ASSERT_TRUE(WaitWindowGone(question));
    EXPECT_TRUE(ReadRecorderLog().empty());
    EXPECT_TRUE(guides.EndsCleanly());
}

// A diskette holding 500 files in nested folders: all of it goes, the setup
// files arrive, and the CD and the temporary folder are as they were.
TEST(HostileInput, CrowdedDisketteIsErasedAndNothingElseChanges)
{
    EmptyFloppy();
    int files = 0;
    for (int top = 0; top < 10; top++) {
        std::string folder = FloppyRoot() + "DIR" + std::to_string(top) + "\\SUB\\DEEP\\";
        ASSERT_TRUE(MakeDirectories(folder));
        for (int i = 0; i < 40; i++, files++)
            ASSERT_TRUE(
                WriteWholeFile(folder + "F" + std::to_string(i) + ".DAT", "old diskette data"));
    }
    for (; files < 500; files++)
        ASSERT_TRUE(WriteWholeFile(FloppyRoot() + "ROOT" + std::to_string(files) + ".TXT", "old"));

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const auto cdBefore = Snapshot(CdRoot());
    const auto tempBefore = ListDirectory(temp);

    ScopedWindowsVersion nt4("nt40", "Floppwright.exe");
    Process maker;
    ASSERT_TRUE(maker.Start(CdPath("Utility\\Floppwright.exe"), "-0009"));
    HWND products = WaitForDialog(maker.Pid());
    ASSERT_NE(products, nullptr);
    ClickButton(FindChild(products, 1024)); // Quellorn Hard Drive
    PressDialogButton(products, IDOK);
    HWND window = WaitForWindow(WindowQuery{"QLMakeDisk", nullptr, maker.Pid()});
    ASSERT_NE(window, nullptr);
    // The hard drive's language group shows once the product is the window's.
    ASSERT_TRUE(WaitVisible(FindChild(window, 1016)));
    ClickButton(FindChild(window, 1002)); // Create Disk, Windows diskette

    HWND warning = WaitForDialog(maker.Pid(), "Create Disk", 10000);
    ASSERT_NE(warning, nullptr);
    PressDialogButton(warning, IDYES);
    HWND finished = WaitForDialog(maker.Pid(), Pad("Floppwright", 25).c_str(), 60000);
    ASSERT_NE(finished, nullptr);
    EXPECT_EQ(ReadDialog(finished).text, "Finished");
    PressDialogButton(finished, IDOK);
    DWORD code = 1;
    EXPECT_TRUE(maker.WaitExit(10000, &code));
    EXPECT_EQ(code, 0u);

    std::map<std::string, DWORD> expected;
    Snapshot(CdPath("HD and CD-ROM\\0009\\"), "", &expected);
    expected["Drivers\\"] = 0;
    Snapshot(CdPath("HD and CD-ROM\\"), "Drivers\\", &expected);
    for (const char *extra : {"HDGUIDE.DOC", "testport.exe", "testport.txt"})
        expected[extra] = 0;
    auto diskette = Snapshot(FloppyRoot());
    for (auto &file : diskette)
        file.second = 0;
    for (auto &file : expected)
        file.second = 0;
    EXPECT_EQ(diskette, expected);

    EXPECT_EQ(Snapshot(CdRoot()), cdBefore);
    EXPECT_EQ(ListDirectory(temp), tempBefore);
    EmptyFloppy();
}

} // namespace
