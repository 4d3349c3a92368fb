// Lingpick under Wine: the language dialog in each user language, what OK
// starts, what Cancel and Escape do not, and the inert main window. Each
// test lays out a CD of its own (Lingpick plus recorders at the three
// installer paths) so what was started can be read from the recorder log.
//
// Suites ending in _es, _fr or _de run with that user language; all others
// in English.

#include "call_log.h"
#include "wine_harness.h"

#include <gtest/gtest.h>
#include <winioctl.h>

#include <memory>
#include <string.h>

using namespace qlh;

namespace {

const int ListId = 1001;
const int PromptId = 1002;

// Control texts arrive in the ANSI code page, 1252 in every language here.
const char EnglishPrompt[] = "Select the language for this installation from the choices below.";
const char SpanishPrompt[] = "Seleccionar uno de los siguientes idiomas para la instalaci\xF3n.";
const char FrenchPrompt[] = "S\xE9lectionnez la langue d'installation de la liste ci-dessous.";

const char EnglishInstaller[] = "Acrobat\\English\\ar500enu.exe";
const char SpanishInstaller[] = "Acrobat\\Espa\xF1ol\\ar405esl.exe";
const char FrenchInstaller[] = "Acrobat\\Fran\xE7"
                               "ais\\ar500fra.exe";

// A drive letter of the test's own, mapped to a folder through Wine's mount
// manager (as winecfg does), so Lingpick can sit at a drive's root.
class ScopedDrive {
public:
    explicit ScopedDrive(const std::string &folder)
    {
        typedef char *(CDECL * UnixName)(const WCHAR *);
        UnixName unixName = reinterpret_cast<UnixName>(reinterpret_cast<void *>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        WCHAR wide[MAX_PATH];
        if (!unixName || !MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide, MAX_PATH))
            return;
        char *unixPath = unixName(wide);
        if (!unixPath)
            return;
        DWORD used = GetLogicalDrives();
        for (char letter = 'Y'; letter >= 'M' && !letter_; letter--)
            if (!(used & (1u << (letter - 'A'))) && Define(letter, unixPath))
                letter_ = letter;
        HeapFree(GetProcessHeap(), 0, unixPath);
    }
    ~ScopedDrive()
    {
        if (letter_)
            Define(letter_, nullptr);
    }
    ScopedDrive(const ScopedDrive &) = delete;
    ScopedDrive &operator=(const ScopedDrive &) = delete;

    // "R:\", or empty when no drive could be made.
    std::string Root() const { return letter_ ? std::string(1, letter_) + ":\\" : std::string(); }

private:
    // Wine's own mount-manager request; no mount point removes the drive.
    struct UnixDrive {
        ULONG size, type, fs_type;
        DWORD serial;
        ULONGLONG unix_dev;
        WCHAR letter;
        USHORT mount_point_offset, device_offset, label_offset;
    };

    static bool Define(char letter, const char *unixPath)
    {
        const DWORD DefineUnixDrive =
            CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
        std::string request(sizeof(UnixDrive), '\0');
        UnixDrive drive = {};
        drive.type = DRIVE_FIXED;
        drive.letter = WCHAR(letter - 'A' + 'a');
        if (unixPath) {
            drive.mount_point_offset = USHORT(request.size());
            request.append(unixPath).push_back('\0');
        }
        drive.size = ULONG(request.size());
        memcpy(&request[0], &drive, sizeof drive);
        HANDLE manager =
            CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (manager == INVALID_HANDLE_VALUE)
            return false;
        DWORD returned = 0;
        BOOL ok = DeviceIoControl(manager, DefineUnixDrive, &request[0], DWORD(request.size()),
                                  nullptr, 0, &returned, nullptr);
        CloseHandle(manager);
        return ok != FALSE;
    }

    char letter_ = 0;
};

// A CD of our own in a temporary folder: the win64 Lingpick in "Utility"
// (or at the root of a drive of its own), recorders at the installers.
class PickerCd {
public:
    enum Place { InUtility, AtDriveRoot };

    explicit PickerCd(Place place = InUtility)
    {
        root_ = dir_.Path();
        if (place == AtDriveRoot) {
            drive_.reset(new ScopedDrive(dir_.Path()));
            root_ = drive_->Root();
        }
        program_ = root_ + (place == AtDriveRoot ? "Lingpick .exe" : "Utility\\Lingpick .exe");
        ok_ = !root_.empty() && MakeDirectories(ParentFolder(program_)) &&
            CopyFileA(WindowsPathOfUnix(QL_LINGPICK_EXE).c_str(), program_.c_str(), FALSE) &&
            InstallRecorder(root_ + EnglishInstaller) &&
            InstallRecorder(root_ + SpanishInstaller) && InstallRecorder(root_ + FrenchInstaller);
    }
    bool Ok() const { return ok_; }
    const std::string &Program() const { return program_; }
    std::string operator/(const std::string &relative) const { return root_ + relative; }

private:
    static std::string ParentFolder(const std::string &path)
    {
        return path.substr(0, path.find_last_of('\\'));
    }

    TempDir dir_;
    std::unique_ptr<ScopedDrive> drive_; // goes before the folder it maps
    std::string root_, program_;
    bool ok_ = false;
};

// A running Lingpick and its language dialog.
class Picker {
public:
    // Started the way the menu starts it: the path in quotes.
    bool Start(const std::string &program)
    {
        ClearRecorderLog();
        if (!process_.StartCommandLine("\"" + program + "\""))
            return false;
        dialog_ = WaitForDialog(process_.Pid(), "Acrobat Setup");
        return dialog_ != nullptr && Sync(dialog_);
    }

    HWND Dialog() const { return dialog_; }
    HWND List() const { return FindChild(dialog_, ListId); }
    DWORD Pid() const { return process_.Pid(); }
    std::string Prompt() const { return WindowText(FindChild(dialog_, PromptId)); }
    std::string ListText() const { return WindowText(List()); }
    LRESULT Selection() const { return SendMessageA(List(), CB_GETCURSEL, 0, 0); }
    void Select(WPARAM index) const { SendMessageA(List(), CB_SETCURSEL, index, 0); }

    // True when Lingpick ended with exit code 0. Whatever it started runs in
    // the same job, so once the job is empty the recorder log is complete.
    bool EndsWithZero()
    {
        DWORD code = 1;
        bool ended = process_.WaitExit(5000, &code);
        WaitUntil([this] { return process_.JobProcessCount() == 0; }, 5000);
        return ended && code == 0;
    }

private:
    Process process_;
    HWND dialog_ = nullptr;
};

// Text of a list entry of another process. Wine hands CB_GETLBTEXT over
// as Unicode only, so it is read wide and turned into code page 1252.
std::string ListEntry(HWND list, int index)
{
    WCHAR wide[64] = L"";
    if (SendMessageW(list, CB_GETLBTEXTLEN, index, 0) >= 64)
        return "(too long)";
    SendMessageW(list, CB_GETLBTEXT, index, (LPARAM)wide);
    char name[64] = "";
    WideCharToMultiByte(1252, 0, wide, -1, name, sizeof name, nullptr, nullptr);
    return name;
}

// After Picker::EndsWithZero: one installer was started, by its quoted
// path and with no arguments.
void ExpectStarted(const std::string &installer)
{
    std::vector<RecorderEntry> log = ReadRecorderLog();
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ(installer, log[0].module);
    EXPECT_EQ("\"" + installer + "\"", log[0].command_line);
}

void ExpectNothingStarted()
{
    EXPECT_TRUE(ReadRecorderLog().empty());
}

void SaveDialogScreenshot(HWND dialog, const char *language)
{
    CreateDirectoryA(WindowsPathOfUnix(QL_SCREENSHOT_DIR).c_str(), nullptr);
    std::string path = WindowsPathOfUnix(QL_SCREENSHOT_DIR) + "\\lingpick-" + language + ".bmp";
    ActivateWindow(dialog);
    WaitPainted(dialog);
    EXPECT_TRUE(SaveScreenshot(dialog, path)) << path;
}

struct UserCase {
    const char *language;
    const char *prompt;
    const char *entry;
    LRESULT selection;
    const char *installer;
};

// The user's own language is preselected under its own prompt, and OK
// starts that language's installer.
void CheckUserLanguage(const UserCase &c)
{
    PickerCd cd;
    ASSERT_TRUE(cd.Ok());
    Picker picker;
    ASSERT_TRUE(picker.Start(cd.Program()));
    EXPECT_EQ(c.prompt, picker.Prompt());
    EXPECT_EQ(c.entry, picker.ListText());
    EXPECT_EQ(c.selection, picker.Selection());
    SaveDialogScreenshot(picker.Dialog(), c.language);

    PressDialogButton(picker.Dialog(), IDOK);
    EXPECT_TRUE(picker.EndsWithZero());
    ExpectStarted(cd / c.installer);
}

// Another entry than the default: the prompt stays, the pick decides.
void CheckPickingAnother(const char *prompt, LRESULT index, const char *installer)
{
    SCOPED_TRACE(index);
    PickerCd cd;
    ASSERT_TRUE(cd.Ok());
    Picker picker;
    ASSERT_TRUE(picker.Start(cd.Program()));
    picker.Select(index);
    EXPECT_EQ(index, picker.Selection());
    EXPECT_EQ(prompt, picker.Prompt());
    PressDialogButton(picker.Dialog(), IDOK);
    EXPECT_TRUE(picker.EndsWithZero());
    ExpectStarted(cd / installer);
}

} // namespace

// From Vista on, CreateProcess refuses an installer that wants to run as
// administrator (the call log makes Wine refuse it too): OK must still
// start it, through the shell.
TEST(Lingpick, InstallerThatNeedsConsentStartsThroughTheShell)
{
    PickerCd cd;
    ASSERT_TRUE(cd.Ok());
    ASSERT_TRUE(CopyFileA(WindowsPathOfUnix(QL_ADMIN_RECORDER_EXE).c_str(),
                          (cd / EnglishInstaller).c_str(), FALSE));
    Picker picker;
    ASSERT_TRUE(picker.Start(cd.Program()));
    CallLog log;
    ASSERT_TRUE(log.Attach(picker.Dialog()));
    PressDialogButton(picker.Dialog(), IDOK);
    EXPECT_TRUE(picker.EndsWithZero());
    std::vector<RecorderEntry> entries = WaitRecorderEntries(1);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(cd / EnglishInstaller, entries[0].module);
}

// A CD copied to "C:\My CD\": a C:\My.exe, which an unquoted start would
// try first, never runs in the installer's place.
TEST(Lingpick, PlantedProgramNeverRunsInstead)
{
    PickerCd cd;
    ASSERT_TRUE(cd.Ok());
    const std::string copied = "C:\\My CD\\";
    struct Planted {
        std::string folder;
        ~Planted()
        {
            RemoveTree(folder);
            DeleteFileA("C:\\My.exe");
        }
    } planted{copied};
    RemoveTree(copied);
    ASSERT_TRUE(CopyTree(cd / "", copied));
    ASSERT_TRUE(InstallRecorder("C:\\My.exe"));
    Picker picker;
    ASSERT_TRUE(picker.Start(copied + "Utility\\Lingpick .exe"));
    PressDialogButton(picker.Dialog(), IDOK);
    EXPECT_TRUE(picker.EndsWithZero());
    ExpectStarted(copied + EnglishInstaller);
}

TEST(Lingpick, EnglishUserGetsEnglish)
{
    CheckUserLanguage({"en", EnglishPrompt, "English", 0, EnglishInstaller});
}

TEST(Lingpick_es, SpanishUserGetsSpanish)
{
    CheckUserLanguage({"es", SpanishPrompt, "Espa\xF1ol", 1, SpanishInstaller});
}

TEST(Lingpick_fr, FrenchUserGetsFrench)
{
    CheckUserLanguage({"fr", FrenchPrompt,
                       "Fran\xE7"
                       "ais",
                       2, FrenchInstaller});
}

TEST(Lingpick_de, GermanUserGetsEnglish)
{
    CheckUserLanguage({"de", EnglishPrompt, "English", 0, EnglishInstaller});
}

TEST(Lingpick, PickingAnotherEntryKeepsThePrompt)
{
    CheckPickingAnother(EnglishPrompt, 1, SpanishInstaller);
    CheckPickingAnother(EnglishPrompt, 2, FrenchInstaller);
}

TEST(Lingpick_fr, PickingAnotherEntryKeepsThePrompt)
{
    CheckPickingAnother(FrenchPrompt, 0, EnglishInstaller);
    CheckPickingAnother(FrenchPrompt, 1, SpanishInstaller);
}

TEST(Lingpick, DialogAsTheUserSeesIt)
{
    PickerCd cd;
    ASSERT_TRUE(cd.Ok());
    Picker picker;
    ASSERT_TRUE(picker.Start(cd.Program()));

    // Centred on the whole screen, within the rounding of the halving.
    RECT r = WindowRectOnScreen(picker.Dialog());
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN), r.left + r.right, 1);
    EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN), r.top + r.bottom, 1);

    // The list offers the three rows, each carrying its code.
    const struct {
        const char *name;
        LRESULT code;
    } rows[] = {
        {"English", 9},
        {"Espa\xF1ol", 10},
        {"Fran\xE7"
         "ais",
         12},
    };
    HWND list = picker.List();
    ASSERT_EQ(3, SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(rows[i].name, ListEntry(list, i));
        EXPECT_EQ(rows[i].code, SendMessageA(list, CB_GETITEMDATA, i, 0));
    }

    // The buttons keep their English texts.
    EXPECT_EQ("OK", WindowText(FindChild(picker.Dialog(), IDOK)));
    EXPECT_EQ("Cancel", WindowText(FindChild(picker.Dialog(), IDCANCEL)));

    // The minimized owner is all the taskbar shows.
    HWND main = WaitForWindow(WindowQuery{"Marrant", "Select", picker.Pid()});
    ASSERT_NE(nullptr, main);
    EXPECT_TRUE(IsIconic(main));
    EXPECT_EQ(main, GetWindow(picker.Dialog(), GW_OWNER));

    PressDialogButton(picker.Dialog(), IDCANCEL);
    EXPECT_TRUE(picker.EndsWithZero());
}

TEST(Lingpick, NothingStartsWithoutAChoice)
{
    const struct {
        const char *what;
        void (*act)(const Picker &);
    } cases[] = {
        {"Cancel", [](const Picker &p) { PressDialogButton(p.Dialog(), IDCANCEL); }},
        {"Escape on the dialog", [](const Picker &p) { KeyPress(p.Dialog(), VK_ESCAPE); }},
        {"Escape in the list's edit field",
         [](const Picker &p) { KeyPress(FindChildByClass(p.List(), "Edit"), VK_ESCAPE); }},
        {"OK with no entry selected",
         [](const Picker &p) {
             p.Select(WPARAM(-1));
             PressDialogButton(p.Dialog(), IDOK);
         }},
    };
    PickerCd cd;
    ASSERT_TRUE(cd.Ok());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Picker picker;
        ASSERT_TRUE(picker.Start(cd.Program()));
        c.act(picker);
        EXPECT_TRUE(picker.EndsWithZero());
        ExpectNothingStarted();
    }
}

// A point of the caption's close button, in screen coordinates, found by
// asking the dialog what lies along its caption.
bool CloseButtonPoint(HWND dialog, POINT *point)
{
    RECT r = WindowRectOnScreen(dialog);
    int y = r.top + GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    for (int x = r.right - 1; x > r.left; x--) {
        if (SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
            *point = POINT{x - 3, y};
            return true;
        }
    }
    return false;
}

// Close is greyed in the caption too: clicking it does nothing, so OK
// clicked after it still starts the installer.
TEST(Lingpick, GreyedCloseInTheCaptionDoesNothing)
{
    PickerCd cd;
    ASSERT_TRUE(cd.Ok());
    Picker picker;
    ASSERT_TRUE(picker.Start(cd.Program()));
    HWND dialog = picker.Dialog();
    ASSERT_TRUE(ActivateWindow(dialog));
    POINT close;
    ASSERT_TRUE(CloseButtonPoint(dialog, &close));
    ScreenToClient(dialog, &close);
    SendMouseClick(dialog, close.x, close.y);
    HWND ok = FindChild(dialog, IDOK);
    RECT r;
    GetClientRect(ok, &r);
    SendMouseClick(ok, r.right / 2, r.bottom / 2);
    EXPECT_TRUE(picker.EndsWithZero());
    ExpectStarted(cd / EnglishInstaller);
}

TEST(Lingpick, AtTheCdRootStillFindsAcrobat)
{
    PickerCd cd(PickerCd::AtDriveRoot);
    ASSERT_TRUE(cd.Ok());
    Picker picker;
    ASSERT_TRUE(picker.Start(cd.Program()));
    PressDialogButton(picker.Dialog(), IDOK);
    EXPECT_TRUE(picker.EndsWithZero());
    ExpectStarted(cd / EnglishInstaller);
}

// The test CD carries the real Lingpick where the menu starts it.
TEST(Lingpick, StartsFromTheCd)
{
    ASSERT_TRUE(FileExists(CdPath("Utility\\Lingpick .exe")));
    Picker picker;
    ASSERT_TRUE(picker.Start(CdPath("Utility\\Lingpick .exe")));
    PressDialogButton(picker.Dialog(), IDOK);
    EXPECT_TRUE(picker.EndsWithZero());
    ExpectStarted(CdPath(EnglishInstaller));
}

TEST(Lingpick, MinimizedWindowStaysWhereItIs)
{
    PickerCd cd;
    ASSERT_TRUE(cd.Ok());
    Picker picker;
    ASSERT_TRUE(picker.Start(cd.Program()));
    HWND main = WaitForWindow(WindowQuery{"Marrant", "Select", picker.Pid()});
    ASSERT_NE(nullptr, main);
    const RECT before = WindowRectOnScreen(main);

    const struct {
        const char *what;
        void (*act)(HWND);
    } attempts[] = {
        {"restore", [](HWND w) { SysCommand(w, SC_RESTORE); }},
        {"maximize", [](HWND w) { SysCommand(w, SC_MAXIMIZE); }},
        {"ShowWindow", [](HWND w) { ShowWindow(w, SW_SHOWNORMAL); }},
        {"move",
         [](HWND w) { SetWindowPos(w, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }},
        {"size",
         [](HWND w) { SetWindowPos(w, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER); }},
        {"MoveWindow", [](HWND w) { MoveWindow(w, 50, 60, 400, 300, TRUE); }},
    };
    for (const auto &a : attempts) {
        SCOPED_TRACE(a.what);
        a.act(main);
        ASSERT_TRUE(Sync(main));
        RECT now = WindowRectOnScreen(main);
        EXPECT_EQ(before.left, now.left);
        EXPECT_EQ(before.top, now.top);
        EXPECT_EQ(before.right, now.right);
        EXPECT_EQ(before.bottom, now.bottom);
    }

    PressDialogButton(picker.Dialog(), IDCANCEL);
    EXPECT_TRUE(picker.EndsWithZero());
    ExpectNothingStarted();
}
