// Floppwright end to end under Wine: the real program on a CD tree of its
// own, drive A: a folder registered as a floppy, Windows NT 4.0 so that the
// drive probe answers without hardware.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "system_menu_probe.h"
#include "wine_harness.h"

#include <winioctl.h>

using namespace qlh;

namespace {

const char *const MakerExe = "Floppwright.exe";
const int CopyButton = 1002, CancelButton = 1003, English = 1005, Spanish = 1006, French = 1007,
          LanguageGroup = 1016, Heading = 1013, Description = 1000, WindowsVariant = 1018,
          MsdosVariant = 1019, VariantGroup = 1020;
const int HardDrive = 1024, CdromDrive = 1022, DisketteDrive = 1023;

const std::string TitleEn = "Floppwright" + std::string(25, ' ');
const std::string TitleEs = "Setup Disquete" + std::string(29, ' ');
const std::string TitleFr = "Setup Disquette" + std::string(29, ' ');

const std::string Crlf = "\r\n";
const std::string ConfigHardDrive =
    Crlf + "device=qlhddrv.sys" + Crlf + std::string(21, ' ') + Crlf + Crlf + " ";
const std::string ConfigCdrom =
    Crlf + "device=qlcddrv.sys" + Crlf + std::string(21, ' ') + Crlf + Crlf + " ";
const std::string ConfigDiskette =
    Crlf + "device=quellorn.sys" + Crlf + std::string(21, ' ') + Crlf + Crlf;
const std::string AutoexecCdrom = Crlf + "@if exist qlcddrv$ mscdex.exe /d:qlcddrv$ " + Crlf + Crlf;

const std::string ImageOffer = "Do you want to save the setup diskette as an image file instead?";

const DWORD kSystemFileAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

std::string Read(const std::string &path)
{
    std::string contents;
    EXPECT_TRUE(ReadWholeFile(path, &contents)) << path;
    return contents;
}

// ListDirectory sorts by byte value.
std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// Files of the demo product folders, and what each holds.
struct CdFile {
    const char *path;
    const char *contents;
};
const CdFile CdFiles[] = {
    {"HD and CD-ROM\\0009\\SETUP.INF", "english setup"},
    {"HD and CD-ROM\\0009\\QLSETUP.EXE", "english installer"},
    {"HD and CD-ROM\\000a\\SETUP.INF", "spanish setup"},
    {"HD and CD-ROM\\000a\\QLSETUP.EXE", "spanish installer"},
    {"HD and CD-ROM\\000c\\SETUP.INF", "french setup"},
    {"HD and CD-ROM\\000c\\QLSETUP.EXE", "french installer"},
    {"HD and CD-ROM\\000c\\LISEZMOI.TXT", "french notes"},
    {"HD and CD-ROM\\Drivers\\QLPORT.SYS", "port driver"},
    {"HD and CD-ROM\\Drivers\\QLPORT.INF", "port driver setup"},
    {"HD and CD-ROM\\MS-DOS Hard Drive\\qlhddrv.sys", "hard drive dos driver"},
    {"HD and CD-ROM\\MS-DOS CD-ROM\\qlcddrv.sys", "cd-rom dos driver"},
    {"HD and CD-ROM\\MS-DOS CD-ROM\\mscdex.exe", "cd extension"},
    {"Diskette Drive\\quellorn.sys", "diskette dos driver"},
    {"Diskette Drive\\README.TXT", "diskette notes"},
    {"User's Guides\\HDGUIDE.DOC", "hard drive guide"},
    {"User's Guides\\CDGUIDE.DOC", "cd-rom guide"},
    {"User's Guides\\QLGUIDE.DOC", "diskette guide"},
    {"Utility\\testport.exe", "port tester"},
    {"Utility\\testport.txt", "port tester notes"},
};

// A CD of its own per test: the built program in its Utility folder and
// stand-in files in every folder that it copies from.
class MakerCd {
public:
    MakerCd()
    {
        for (const CdFile &file : CdFiles) {
            std::string path = dir_ / file.path;
            MakeDirectories(path.substr(0, path.rfind('\\')));
            WriteWholeFile(path, file.contents);
        }
        CopyFileA(WindowsPathOfUnix(FLOPPWRIGHT_EXE).c_str(), Exe().c_str(), FALSE);
    }
    std::string Exe() const { return dir_ / "Utility\\Floppwright.exe"; }
    std::string Path(const std::string &relative) const { return dir_ / relative; }

private:
    TempDir dir_;
};

std::string WindowsFolder()
{
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, sizeof folder);
    return folder;
}

// The emergency-boot files that the bootable step copies: the boot test's
// stand-in system file as IO.SYS.
void InstallEmergencyBootFiles()
{
    std::string ebd = WindowsFolder() + "\\Command\\Ebd\\";
    MakeDirectories(ebd);
    ASSERT_TRUE(
        CopyFileA(WindowsPathOfUnix(BOOT_PAYLOAD).c_str(), (ebd + "IO.SYS").c_str(), FALSE));
    ASSERT_TRUE(WriteWholeFile(ebd + "COMMAND.COM", "stand-in command interpreter"));
}

std::string EmergencyIoSys()
{
    return Read(WindowsFolder() + "\\Command\\Ebd\\IO.SYS");
}

void EmptyFloppy()
{
    for (const std::string &name : ListDirectory(FloppyRoot()))
        RemoveTree(FloppyRoot() + name);
}

class Maker : public ::testing::Test {
protected:
    void SetUp() override
    {
        EmptyFloppy();
        InstallEmergencyBootFiles();
    }
    void TearDown() override { EmptyFloppy(); }

    // Starts the program and waits for its window and its product dialog.
    void Start(const std::string &args = "")
    {
        process_ = std::make_unique<Process>();
        ASSERT_TRUE(process_->Start(cd_.Exe(), args));
        window_ = WaitForWindow(WindowQuery{"QLMakeDisk", nullptr, process_->Pid()});
        ASSERT_NE(window_, nullptr);
        product_ = WaitForDialog(process_->Pid());
        ASSERT_NE(product_, nullptr);
    }

    void ChooseProduct(int button)
    {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(product_, IDOK)));
        ClickButton(GetDlgItem(product_, button));
        ASSERT_TRUE(WaitEnabled(GetDlgItem(product_, IDOK)));
        ClickButton(GetDlgItem(product_, IDOK));
        ASSERT_TRUE(WaitWindowGone(product_));
        ASSERT_TRUE(Sync(window_));
    }

    HWND Control(int id) { return GetDlgItem(window_, id); }
    std::string Text(int id) { return WindowText(Control(id)); }
    bool Checked(int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    // Copy, answer the erase warning if one comes, and read the closing note.
    DialogInfo CopyAndFinish(bool expectWarning)
    {
        Command(window_, CopyButton, BN_CLICKED, Control(CopyButton));
        DialogInfo info;
        HWND dialog = WaitForDialog(process_->Pid(), nullptr, 10000, &info);
        EXPECT_NE(dialog, nullptr);
        if (!dialog)
            return info;
        bool warning = info.text.find("Warning!") != std::string::npos ||
            info.text.find("Advertencia") != std::string::npos ||
            info.text.find("Attention") != std::string::npos;
        EXPECT_EQ(warning, expectWarning) << info.text;
        if (warning) {
            warning_ = info;
            PressDialogButton(dialog, IDYES);
            WaitWindowGone(dialog);
            dialog = WaitForDialog(process_->Pid(), nullptr, 20000, &info);
            EXPECT_NE(dialog, nullptr);
            if (!dialog)
                return info;
        }
        PressDialogButton(dialog, IDOK);
        DWORD code = 1;
        EXPECT_TRUE(process_->WaitExit(10000, &code));
        EXPECT_EQ(code, 0u);
        return info;
    }

    MakerCd cd_;
    ScopedWindowsVersion version_{"nt40", MakerExe};
    std::unique_ptr<Process> process_;
    HWND window_ = nullptr;
    HWND product_ = nullptr;
    DialogInfo warning_;
};

TEST_F(Maker, WindowsDisketteForTheCdromDriveInFrench)
{
    Start(" -000c");
    ChooseProduct(CdromDrive);
    EXPECT_TRUE(Checked(WindowsVariant));
    EXPECT_TRUE(Checked(French));
    DialogInfo note = CopyAndFinish(false);
    EXPECT_EQ(note.caption, TitleFr);
    EXPECT_EQ(note.text, "Termin\xE9");

    EXPECT_EQ(ListDirectory(FloppyRoot()),
              Sorted({"CDGUIDE.DOC", "Drivers\\", "LISEZMOI.TXT", "QLSETUP.EXE", "SETUP.INF",
                      "testport.exe", "testport.txt"}));
    EXPECT_EQ(Read(FloppyRoot() + "SETUP.INF"), "french setup");
    EXPECT_EQ(ListDirectory(FloppyRoot() + "Drivers"),
              (std::vector<std::string>{"QLPORT.INF", "QLPORT.SYS"}));
    EXPECT_FALSE(FileExists(FloppyRoot() + "CONFIG.SYS"));
}

struct MsdosCase {
    int button;
    const char *name;
    std::vector<std::string> files;
    std::string config;
    std::string autoexec;
};

const MsdosCase MsdosCases[] = {
    {HardDrive,
     "hard drive",
     {"COMMAND.COM", "CONFIG.SYS", "HDGUIDE.DOC", "IO.SYS", "MSDOS.SYS", "qlhddrv.sys",
      "testport.exe", "testport.txt"},
     ConfigHardDrive,
     ""},
    {CdromDrive,
     "CD-ROM drive",
     {"AUTOEXEC.BAT", "CDGUIDE.DOC", "COMMAND.COM", "CONFIG.SYS", "IO.SYS", "MSDOS.SYS",
      "mscdex.exe", "qlcddrv.sys", "testport.exe", "testport.txt"},
     ConfigCdrom,
     AutoexecCdrom},
    {DisketteDrive,
     "diskette drive",
     {"COMMAND.COM", "CONFIG.SYS", "IO.SYS", "MSDOS.SYS", "QLGUIDE.DOC", "README.TXT",
      "quellorn.sys"},
     ConfigDiskette,
     ""},
};

TEST_F(Maker, MsdosDisketteForEachProduct)
{
    for (const MsdosCase &c : MsdosCases) {
        SCOPED_TRACE(c.name);
        EmptyFloppy();
        ASSERT_TRUE(WriteWholeFile(FloppyRoot() + "OLDFILE.TXT", "something to erase"));
        Start();
        ChooseProduct(c.button);
        if (c.button == DisketteDrive) {
            EXPECT_FALSE(IsWindowVisible(Control(VariantGroup)));
            EXPECT_FALSE(IsWindowVisible(Control(LanguageGroup)));
            EXPECT_TRUE(Checked(MsdosVariant));
        } else {
            ClickButton(Control(MsdosVariant));
        }
        CopyAndFinish(true);
        EXPECT_EQ(warning_.caption, "Create Disk");
        EXPECT_EQ(warning_.text,
                  "Warning!\n\nAll files on drive A: will be deleted." + std::string(11, ' ') +
                      "\n\nDo you wish to continue?");

        EXPECT_EQ(ListDirectory(FloppyRoot()), Sorted(c.files));
        EXPECT_EQ(Read(FloppyRoot() + "CONFIG.SYS"), c.config);
        if (!c.autoexec.empty()) {
            EXPECT_EQ(Read(FloppyRoot() + "AUTOEXEC.BAT"), c.autoexec);
        }
        EXPECT_TRUE(Read(FloppyRoot() + "IO.SYS") == EmergencyIoSys());
        EXPECT_EQ(Read(FloppyRoot() + "COMMAND.COM"), "stand-in command interpreter");
        EXPECT_EQ(Read(FloppyRoot() + "MSDOS.SYS"), "");
        EXPECT_EQ(FileAttributes(FloppyRoot() + "IO.SYS") & kSystemFileAttributes,
                  kSystemFileAttributes);
        EXPECT_EQ(FileAttributes(FloppyRoot() + "MSDOS.SYS") & kSystemFileAttributes,
                  kSystemFileAttributes);

#ifdef BOOT_DISKETTE_DIR
        // The boot test packs this diskette into an image and starts it.
        if (c.button == CdromDrive) {
            std::string keep = WindowsPathOfUnix(BOOT_DISKETTE_DIR);
            RemoveTree(keep);
            ASSERT_TRUE(CopyTree(FloppyRoot(), keep));
        }
#endif
    }
}

TEST_F(Maker, SystemFilesOfTheDisketteSurviveTheErase)
{
    ASSERT_TRUE(WriteWholeFile(FloppyRoot() + "IO.SYS", "the diskette's own io"));
    ASSERT_TRUE(WriteWholeFile(FloppyRoot() + "MSDOS.SYS", "the diskette's own msdos"));
    ASSERT_TRUE(WriteWholeFile(FloppyRoot() + "COMMAND.COM", "the diskette's own command"));
    ASSERT_TRUE(WriteWholeFile(FloppyRoot() + "NOTES.TXT", "to be erased"));
    // An earlier run's files in the temporary folder, under the same names:
    // the run neither overwrites them nor takes them for the diskette's.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    for (const char *name : {"IO.SYS", "MSDOS.SYS", "COMMAND.COM"})
        ASSERT_TRUE(WriteWholeFile(std::string(temp) + name, std::string("earlier ") + name));
    std::vector<std::string> tempBefore = ListDirectory(temp);

    Start();
    ChooseProduct(CdromDrive);
    ClickButton(Control(MsdosVariant));
    CopyAndFinish(true);

    EXPECT_EQ(Read(FloppyRoot() + "IO.SYS"), "the diskette's own io");
    EXPECT_EQ(Read(FloppyRoot() + "MSDOS.SYS"), "the diskette's own msdos");
    EXPECT_EQ(Read(FloppyRoot() + "COMMAND.COM"), "the diskette's own command");
    EXPECT_EQ(Read(FloppyRoot() + "CONFIG.SYS"), ConfigCdrom);
    EXPECT_FALSE(FileExists(FloppyRoot() + "NOTES.TXT"));
    EXPECT_TRUE(FileExists(FloppyRoot() + "qlcddrv.sys"));
    for (const char *name : {"IO.SYS", "MSDOS.SYS", "COMMAND.COM"})
        EXPECT_EQ(Read(std::string(temp) + name), std::string("earlier ") + name);
    // The run's own folder went with the files.
    EXPECT_EQ(ListDirectory(temp), tempBefore);
    for (const char *name : {"IO.SYS", "MSDOS.SYS", "COMMAND.COM"})
        DeleteFileA((std::string(temp) + name).c_str());
}

// This platform's shell will not delete a read-only file, so the erase
// fails; the diskette's own system file must come back from the temporary
// folder all the same, and the run ends without its closing note.
TEST_F(Maker, FailedEraseGivesTheDiskettesSystemFileBack)
{
    const DWORD hiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(WriteWholeFile(FloppyRoot() + "IO.SYS", "the diskette's own io"));
    ASSERT_TRUE(SetFileAttributesA((FloppyRoot() + "IO.SYS").c_str(), hiddenSystem));
    ASSERT_TRUE(WriteWholeFile(FloppyRoot() + "KEEP.TXT", "read-only"));
    ASSERT_TRUE(SetFileAttributesA((FloppyRoot() + "KEEP.TXT").c_str(), FILE_ATTRIBUTE_READONLY));
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    DeleteFileA((std::string(temp) + "IO.SYS").c_str());
    std::vector<std::string> tempBefore = ListDirectory(temp);

    Start();
    ChooseProduct(CdromDrive);
    ClickButton(Control(MsdosVariant));
    Command(window_, CopyButton, BN_CLICKED, Control(CopyButton));
    HWND warning = WaitForDialog(process_->Pid(), "Create Disk");
    ASSERT_NE(warning, nullptr);
    PressDialogButton(warning, IDYES);

    // Any message box now (the closing note, or ours about files left
    // behind) would keep the program from ending.
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            std::vector<HWND> dialogs =
                FindTopWindows(WindowQuery{"#32770", nullptr, process_->Pid()});
            box = dialogs.empty() ? nullptr : dialogs[0];
            return box != nullptr || !process_->Running();
        },
        20000));
    if (box) {
        ADD_FAILURE() << "unexpected message: " << ReadDialog(box).text;
        PressDialogButton(box, IDOK);
    }
    DWORD code = 1;
    EXPECT_TRUE(process_->WaitExit(10000, &code));
    EXPECT_EQ(code, 0u);

    EXPECT_EQ(Read(FloppyRoot() + "IO.SYS"), "the diskette's own io");
    EXPECT_EQ(FileAttributes(FloppyRoot() + "IO.SYS") & kSystemFileAttributes, hiddenSystem);
    EXPECT_FALSE(FileExists(FloppyRoot() + "CONFIG.SYS"))
        << "nothing is written after a failed erase";
    EXPECT_FALSE(FileExists(std::string(temp) + "IO.SYS"));
    EXPECT_EQ(ListDirectory(temp), tempBefore);
}

// Without the emergency-boot files the MS-DOS diskette cannot start a
// computer, and the closing note says so.
TEST_F(Maker, ClosingNoteTellsOfMissingSystemFiles)
{
    std::string ebd = WindowsFolder() + "\\Command\\Ebd";
    RemoveTree(ebd);
    Start();
    ChooseProduct(HardDrive);
    ClickButton(Control(MsdosVariant));
    DialogInfo note = CopyAndFinish(false);
    EXPECT_EQ(note.text,
              "Finished\n\nThis diskette does not start a computer: no MS-DOS system files were "
              "found in " +
                  ebd + ".");
    EXPECT_FALSE(FileExists(FloppyRoot() + "IO.SYS"));
}

// The system-menu item turns the option off: nothing is saved, the old
// system files go with the erase and none come from Windows.
TEST_F(Maker, StartupDiskOptionOffMakesNoStartupDisk)
{
    ASSERT_TRUE(WriteWholeFile(FloppyRoot() + "IO.SYS", "the diskette's own io"));
    ASSERT_TRUE(WriteWholeFile(FloppyRoot() + "COMMAND.COM", "the diskette's own command"));
    Start();
    ChooseProduct(HardDrive);
    ClickButton(Control(MsdosVariant));
    SysCommand(window_, 1);
    ASSERT_TRUE(Sync(window_));
    CopyAndFinish(true);
    EXPECT_EQ(ListDirectory(FloppyRoot()),
              Sorted({"CONFIG.SYS", "HDGUIDE.DOC", "qlhddrv.sys", "testport.exe", "testport.txt"}));
    EXPECT_EQ(Read(FloppyRoot() + "CONFIG.SYS"), ConfigHardDrive);
}

TEST_F(Maker, SpanishFromTheMenusCommandLine)
{
    Start(" -000a");
    EXPECT_EQ(WindowText(product_), TitleEs);
    EXPECT_EQ(WindowText(GetDlgItem(product_, 1021)), "Seleccione su producto");
    ChooseProduct(HardDrive);
    EXPECT_EQ(WindowText(window_), TitleEs);
    EXPECT_EQ(Text(Heading), TitleEs);
    EXPECT_EQ(Text(CopyButton), "Copiar");
    EXPECT_EQ(Text(CancelButton), "Cancelar");
    EXPECT_EQ(Text(LanguageGroup), "Idioma");
    EXPECT_TRUE(Checked(Spanish));

    // The Spanish warning names the drive by its letter alone.
    ASSERT_TRUE(WriteWholeFile(FloppyRoot() + "OLDFILE.TXT", "something to erase"));
    ClickButton(Control(MsdosVariant));
    DialogInfo note = CopyAndFinish(true);
    EXPECT_EQ(warning_.caption, "Copiar");
    EXPECT_EQ(warning_.text,
              "Advertencia:\n\nSe van a perder todos los datos en el disco del la unidad A ." +
                  std::string(11, ' ') +
                  "\n\n\xBF"
                  "Est\xE1 seguro?");
    EXPECT_EQ(note.caption, TitleEs);
    EXPECT_EQ(note.text, "Terminado");
}

// The system-menu item 1 as Floppwright itself holds it: menus belong to
// their process, so the hook of system_menu_probe.dll reads it there, on a
// message posted to the window.
SystemMenuAnswer ReadStartupDiskItem(HWND window)
{
    SystemMenuAnswer answer = {};
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof answer, SYSTEM_MENU_PROBE_NAME);
    auto *shared =
        static_cast<SystemMenuAnswer *>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    HMODULE dll = LoadLibraryA(WindowsPathOfUnix(SYSTEM_MENU_PROBE_DLL).c_str());
    auto proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void *>(GetProcAddress(dll, "SystemMenuProbeHook")));
    HHOOK hook =
        SetWindowsHookExA(WH_GETMESSAGE, proc, dll, GetWindowThreadProcessId(window, nullptr));
    EXPECT_TRUE(shared && hook);
    if (shared && hook) {
        shared->answered = 0;
        PostMessageA(window, RegisterWindowMessageA(SYSTEM_MENU_PROBE_NAME), 1, 0);
        EXPECT_TRUE(WaitUntil([&] { return shared->answered != 0; }, 5000));
        answer = *shared;
    }
    UnhookWindowsHookEx(hook);
    FreeLibrary(dll);
    UnmapViewOfFile(shared);
    CloseHandle(mapping);
    return answer;
}

// On NT 4.0 the item comes last, behind a separator, checked and enabled,
// and each pick flips its check mark.
TEST_F(Maker, StartupDiskItemOfTheSystemMenu)
{
    const UINT Shown = MF_CHECKED | MF_GRAYED | MF_DISABLED;
    Start();
    ChooseProduct(HardDrive);
    SystemMenuAnswer item = ReadStartupDiskItem(window_);
    EXPECT_EQ(std::string(item.text), "Make Startup Disk (MS-DOS)");
    EXPECT_EQ(item.position, item.count - 1);
    EXPECT_TRUE(item.stateBefore & MF_SEPARATOR);
    EXPECT_EQ(item.state & Shown, static_cast<UINT>(MF_CHECKED));
    for (UINT expected : {0u, static_cast<UINT>(MF_CHECKED)}) {
        SysCommand(window_, 1);
        EXPECT_EQ(ReadStartupDiskItem(window_).state & Shown, expected);
    }
    SysCommand(window_, SC_CLOSE);
    EXPECT_TRUE(process_->WaitExit(5000));
}

// Pictures of the window for the README, once it has painted.
void Screenshot(HWND window, const char *name)
{
    std::string folder = WindowsPathOfUnix(QL_SCREENSHOT_DIR);
    MakeDirectories(folder);
    WaitPainted(window);
    EXPECT_TRUE(SaveScreenshot(window, folder + "\\" + name));
}

TEST_F(Maker, LanguageAndVariantClicks)
{
    Start();
    Screenshot(product_, "floppwright-product-en.bmp");
    ChooseProduct(CdromDrive);
    Screenshot(window_, "floppwright-en.bmp");
    EXPECT_TRUE(IsWindowVisible(Control(LanguageGroup)));
    for (int id : {English, Spanish, French})
        EXPECT_TRUE(IsWindowVisible(Control(id))) << id;
    EXPECT_TRUE(Checked(English));
    EXPECT_EQ(Text(CopyButton), "Create Disk");

    ClickButton(Control(Spanish));
    EXPECT_TRUE(WaitText(window_, TitleEs));
    EXPECT_EQ(Text(Heading), TitleEs);
    EXPECT_EQ(Text(Description).substr(0, 22), "Esta utilidad le permi");
    EXPECT_EQ(Text(CopyButton), "Copiar");
    EXPECT_EQ(Text(CancelButton), "Cancelar");
    EXPECT_EQ(Text(LanguageGroup), "Idioma");
    EXPECT_EQ(Text(VariantGroup), "Type of Disk");
    Screenshot(window_, "floppwright-es.bmp");

    ClickButton(Control(MsdosVariant));
    for (int id : {English, Spanish, French, LanguageGroup})
        EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
    EXPECT_TRUE(Checked(Spanish));
    ClickButton(Control(WindowsVariant));
    for (int id : {English, Spanish, French, LanguageGroup})
        EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;

    // Escape sends command 2, which is none of the window's.
    KeyPress(window_, VK_ESCAPE);
    ASSERT_TRUE(Sync(window_));
    EXPECT_TRUE(process_->Running());
    SysCommand(window_, SC_CLOSE);
    DWORD code = 1;
    EXPECT_TRUE(process_->WaitExit(5000, &code));
    EXPECT_EQ(code, 0u);
}

// Create Disk sent by another program while the product dialog is still
// open: no creation without a product, and the dialog goes on.
TEST_F(Maker, CreateDiskBeforeAProductIsDropped)
{
    ASSERT_TRUE(WriteWholeFile(FloppyRoot() + "OLDFILE.TXT", "keep me"));
    Start();
    Command(window_, CopyButton, BN_CLICKED, Control(CopyButton));
    // Posted behind it to the same thread: once OK is enabled, Create Disk
    // has been handled.
    Command(product_, HardDrive, BN_CLICKED, GetDlgItem(product_, HardDrive));
    ASSERT_TRUE(WaitEnabled(GetDlgItem(product_, IDOK)));
    EXPECT_EQ(FindTopWindows(WindowQuery{"#32770", nullptr, process_->Pid()}).size(), 1u);
    ClickButton(GetDlgItem(product_, IDOK));
    ASSERT_TRUE(WaitWindowGone(product_));
    EXPECT_TRUE(WaitVisible(Control(LanguageGroup)));
    ClickButton(Control(CancelButton));
    EXPECT_TRUE(process_->WaitExit(5000));
    EXPECT_EQ(Read(FloppyRoot() + "OLDFILE.TXT"), "keep me");
}

TEST_F(Maker, CancelInTheProductDialogEndsQuietly)
{
    Start();
    PressDialogButton(product_, IDCANCEL);
    DWORD code = 1;
    EXPECT_TRUE(process_->WaitExit(5000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(FindTopWindows(WindowQuery{"#32770", nullptr, process_->Pid()}).empty());
}

TEST(MakerDrive, NoDiskDriveOnWindows2000Or98)
{
    for (const char *version : {"win2k", "win98"}) {
        SCOPED_TRACE(version);
        MakerCd cd;
        ScopedWindowsVersion scoped(version, MakerExe);
        Process process;
        ASSERT_TRUE(process.Start(cd.Exe(), " -000a"));
        DialogInfo info;
        HWND box = WaitForDialog(process.Pid(), nullptr, 5000, &info);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(info.caption, TitleEs);
        EXPECT_EQ(info.text,
                  "No diskette drive found.\nFloppwright cannot continue.\n\n"
                  "\xBF"
                  "Desea guardar el disquete de instalaci\xF3n como archivo de imagen?");
        // Paints meanwhile must not have opened the product dialog.
        WaitPainted(box);
        EXPECT_EQ(FindTopWindows(WindowQuery{"#32770", nullptr, process.Pid()}).size(), 1u);
        PressDialogButton(box, IDNO);
        DWORD code = 1;
        EXPECT_TRUE(process.WaitExit(5000, &code));
        EXPECT_EQ(code, 0u);
    }
}

// On NT 4.0 the probe asks no drive, so only the drive type stops the
// program here: A: is there, but it is not removable.
TEST(MakerDrive, DriveThatIsNotRemovableOnNt4)
{
    MakerCd cd;
    ScopedWindowsVersion scoped("nt40", MakerExe);
    struct Fixed {
        ~Fixed() { SetTypeOfDriveA(DRIVE_REMOVABLE); }
    } restore;
    ASSERT_TRUE(SetTypeOfDriveA(DRIVE_FIXED));
    Process process;
    ASSERT_TRUE(process.Start(cd.Exe()));
    DialogInfo info;
    HWND box = WaitForDialog(process.Pid(), nullptr, 5000, &info);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(info.caption, TitleEn);
    EXPECT_EQ(info.text, "No diskette drive found.\nFloppwright cannot continue.\n\n" + ImageOffer);
    PressDialogButton(box, IDNO);
    DWORD code = 1;
    EXPECT_TRUE(process.WaitExit(5000, &code));
    EXPECT_EQ(code, 0u);
}

// Without its main window nothing would ever end the message loop: the
// program must end at once. Here the copy's dialog 101 names a window class
// that nobody registers, so CreateDialogParamA fails.
TEST(MakerStart, EndsWhenItsWindowCannotBeMade)
{
    MakerCd cd;
    // DLGTEMPLATE: WS_POPUP, no controls, no menu, class "NoSuchClass", no title.
    std::vector<WORD> dialog = {0, 0x8000, 0, 0, 0, 0, 0, 0, 10, 10, 0};
    for (char c : std::string("NoSuchClass"))
        dialog.push_back(static_cast<WORD>(c));
    dialog.insert(dialog.end(), {0, 0});
    HANDLE update = BeginUpdateResourceA(cd.Exe().c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    // windres gives every resource of the script US English.
    ASSERT_TRUE(UpdateResourceA(update, MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(101),
                                MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), dialog.data(),
                                static_cast<DWORD>(dialog.size() * sizeof(WORD))));
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));

    ScopedWindowsVersion scoped("nt40", MakerExe);
    Process process;
    ASSERT_TRUE(process.Start(cd.Exe()));
    DWORD code = 1;
    EXPECT_TRUE(process.WaitExit(10000, &code));
    EXPECT_EQ(code, 0u);
}

TEST(MakerLanguage_fr, SystemLanguageAndCommandLine)
{
    struct {
        const char *args;
        const std::string &title;
    } cases[] = {{"", TitleFr}, {" -0009", TitleEn}, {" -000C", TitleFr}};
    ScopedWindowsVersion scoped("nt40", MakerExe);
    MakerCd cd;
    for (const auto &c : cases) {
        Process process;
        ASSERT_TRUE(process.Start(cd.Exe(), c.args));
        HWND product = WaitForDialog(process.Pid());
        ASSERT_NE(product, nullptr);
        EXPECT_EQ(WindowText(product), c.title) << c.args;
        PressDialogButton(product, IDCANCEL);
        EXPECT_TRUE(process.WaitExit(5000));
    }
}

} // namespace
