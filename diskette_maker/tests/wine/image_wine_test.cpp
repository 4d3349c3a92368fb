// Floppwright -image under Wine: the setup diskette written as an image file
// from the test CD (drive D:), without any diskette drive. The images it
// writes are left for image_matches_native.py, which makes the same ones
// with the build's floppwright-image and compares the bytes.
#include <gtest/gtest.h>

#include <memory>

#include "wine_harness.h"

using namespace qlh;

namespace {

const int CopyButton = 1002, MsdosVariant = 1019;
const int HardDrive = 1024, CdromDrive = 1022, DisketteDrive = 1023;
const DWORD kImageBytes = 1474560;

const std::string TitleEn = "Floppwright" + std::string(25, ' ');
const std::string TitleFr = "Setup Disquette" + std::string(29, ' ');

// The file name box of the Save As dialog: cmb13 in the Explorer-style
// template, edt1 in older ones; null in neither.
HWND SaveAsFileName(HWND saveAs)
{
    HWND fileName = GetDlgItem(saveAs, 1148);
    return fileName ? fileName : GetDlgItem(saveAs, 1152);
}

std::string WindowsFolder()
{
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, sizeof folder);
    return folder;
}

// Where the images and the system files they were made with are kept for
// the comparison with the native tool.
std::string Kept(const std::string &name)
{
    std::string folder = WindowsPathOfUnix(IMAGE_KEEP_DIR);
    MakeDirectories(folder);
    return folder + "\\" + name;
}

class ImageMaker : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The emergency-boot files of NT 4.0's bootable step: the boot
        // test's stand-in IO.SYS.
        std::string ebd = WindowsFolder() + "\\Command\\Ebd\\";
        MakeDirectories(ebd);
        ASSERT_TRUE(
            CopyFileA(WindowsPathOfUnix(BOOT_PAYLOAD).c_str(), (ebd + "IO.SYS").c_str(), FALSE));
        // Written once, so that its time stays that of the kept copy.
        if (!FileExists(ebd + "COMMAND.COM")) {
            ASSERT_TRUE(WriteWholeFile(ebd + "COMMAND.COM", "stand-in command interpreter"));
        }
    }

    void Start(const std::string &args, int product, bool msdos, const std::string &workdir = "")
    {
        process_ = std::make_unique<Process>();
        ASSERT_TRUE(process_->Start(cdExe_, args, workdir));
        ChooseAndCopy(product, msdos);
    }

    void ChooseAndCopy(int product, bool msdos)
    {
        window_ = WaitForWindow(WindowQuery{"QLMakeDisk", nullptr, process_->Pid()});
        ASSERT_NE(window_, nullptr);
        HWND dialog = WaitForDialog(process_->Pid());
        ASSERT_NE(dialog, nullptr);
        ClickButton(GetDlgItem(dialog, product));
        ASSERT_TRUE(WaitEnabled(GetDlgItem(dialog, IDOK)));
        ClickButton(GetDlgItem(dialog, IDOK));
        ASSERT_TRUE(WaitWindowGone(dialog));
        if (msdos && product != DisketteDrive)
            ClickButton(GetDlgItem(window_, MsdosVariant));
        ASSERT_TRUE(Sync(window_));
        Command(window_, CopyButton, BN_CLICKED, GetDlgItem(window_, CopyButton));
    }

    DialogInfo NextMessage()
    {
        DialogInfo info;
        EXPECT_NE(WaitForDialog(process_->Pid(), nullptr, 20000, &info), nullptr);
        return info;
    }

    void Answer(const DialogInfo &info, int button) { PressDialogButton(info.window, button); }

    // Types the file's name into Save As and saves.
    void SaveAs(const std::string &path)
    {
        DialogInfo saveAs = NextMessage();
        HWND fileName = SaveAsFileName(saveAs.window);
        ASSERT_NE(fileName, nullptr);
        SetWindowTextA(fileName, path.c_str());
        Answer(saveAs, IDOK);
    }

    void ExpectEnd()
    {
        DWORD code = 1;
        EXPECT_TRUE(process_->WaitExit(10000, &code));
        EXPECT_EQ(code, 0u);
    }

    ScopedWindowsVersion version_{"nt40", "Floppwright.exe"};
    std::unique_ptr<Process> process_;
    std::string cdExe_ = CdPath("Utility\\Floppwright.exe");
    HWND window_ = nullptr;
};

// A path holding "0009" beside the code -000c: French, since the option's
// path is no language code. Both images go on to the native comparison.
TEST_F(ImageMaker, CommandLinePathAndLanguageCode)
{
    struct {
        const char *name;
        std::string args;
        int product;
        bool msdos;
        const std::string &title;
        const char *done;
    } cases[] = {
        {"cdrom-msdos-fr.img", "", CdromDrive, true, TitleFr, "Termin\xE9.\n\n"},
        {"hd-windows-en.img", "", HardDrive, false, TitleEn, "Finished.\n\n"},
    };
    cases[0].args = "-000c -image \"" + Kept("0009 wine") + "\\" + cases[0].name + "\"";
    cases[1].args = "-IMAGE " + Kept(cases[1].name);
    MakeDirectories(Kept("0009 wine"));
    // The system files these images are made with, for the native tool;
    // CopyFileA keeps their times, which the image records.
    MakeDirectories(Kept("ebd"));
    for (const char *name : {"IO.SYS", "COMMAND.COM"})
        ASSERT_TRUE(CopyFileA((WindowsFolder() + "\\Command\\Ebd\\" + name).c_str(),
                              (Kept("ebd") + "\\" + name).c_str(), FALSE));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = c.args.find('"') != std::string::npos ? Kept("0009 wine") + "\\" + c.name
                                                                 : Kept(c.name);
        DeleteFileA(path.c_str());
        Start(c.args, c.product, c.msdos);
        DialogInfo note = NextMessage();
        EXPECT_EQ(note.caption, c.title);
        EXPECT_EQ(note.text, c.done + path);
        Answer(note, IDOK);
        ExpectEnd();
        std::string image;
        ASSERT_TRUE(ReadWholeFile(path, &image));
        EXPECT_EQ(image.size(), kImageBytes);
    }
}

// No path: Save As asks, with .img as the default extension.
TEST_F(ImageMaker, SaveAsAsksForTheFile)
{
    std::string chosen = Kept("chosen");
    DeleteFileA((chosen + ".img").c_str());
    // Save As opens in the current folder: the one with the other images.
    Start("-image", HardDrive, true, Kept(""));
    DialogInfo saveAs = NextMessage();
    HWND fileName = SaveAsFileName(saveAs.window);
    ASSERT_NE(fileName, nullptr);
    std::string folder = WindowsPathOfUnix(QL_SCREENSHOT_DIR);
    MakeDirectories(folder);
    WaitPainted(saveAs.window);
    EXPECT_TRUE(SaveScreenshot(saveAs.window, folder + "\\floppwright-save-as-en.bmp"));
    SetWindowTextA(fileName, chosen.c_str());
    Answer(saveAs, IDOK);
    DialogInfo note = NextMessage();
    EXPECT_EQ(note.text, "Finished.\n\n" + chosen + ".img");
    Answer(note, IDOK);
    ExpectEnd();
    EXPECT_EQ(FileAttributes(chosen + ".img") & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

// A named file that exists is asked about; No keeps it, and a read-only one
// is refused with a message; neither is touched.
TEST_F(ImageMaker, ExistingFileIsAskedAboutAndReadOnlyRefused)
{
    std::string path = Kept("existing.img");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(WriteWholeFile(path, "an older image"));

    Start("-image " + path, HardDrive, false);
    DialogInfo question = NextMessage();
    EXPECT_EQ(question.caption, "Create Disk");
    EXPECT_EQ(question.text, path + " already exists.\nDo you want to replace it?");
    Answer(question, IDNO);
    ExpectEnd();

    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Start("-image " + path, HardDrive, false);
    Answer(NextMessage(), IDYES);
    DialogInfo refusal = NextMessage();
    EXPECT_EQ(refusal.text, "Cannot write " + path + " (read-only?).");
    Answer(refusal, IDOK);
    ExpectEnd();

    std::string contents;
    EXPECT_TRUE(ReadWholeFile(path, &contents));
    EXPECT_EQ(contents, "an older image");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::vector<std::string> left = ListDirectory(Kept(""));
    for (const std::string &name : left)
        EXPECT_NE(name.rfind("flp", 0), 0u) << "a temporary file stayed: " << name;
}

// A CD that lacks what the plan copies, or holds more than a diskette
// takes: a refusal under "No image was made", and no file.
TEST_F(ImageMaker, MissingSourceAndTooMuchAreRefused)
{
    TempDir cd;
    MakeDirectories(cd / "Utility");
    ASSERT_TRUE(CopyFileA(CdPath("Utility\\Floppwright.exe").c_str(),
                          (cd / "Utility\\Floppwright.exe").c_str(), FALSE));
    MakeDirectories(cd / "Diskette Drive");
    ASSERT_TRUE(WriteWholeFile(cd / "Diskette Drive\\HUGE.BIN", std::string(1500000, 'Z')));
    MakeDirectories(cd / "User's Guides");
    ASSERT_TRUE(WriteWholeFile(cd / "User's Guides\\QLGUIDE.DOC", "guide"));
    struct {
        int product;
        std::string text;
    } cases[] = {
        {HardDrive, cd / "HD and CD-ROM\\MS-DOS Hard Drive is missing or unreadable."},
        // The count itself is proven against mtools by the native tests.
        {DisketteDrive, "* bytes too many for a 1.44 MB diskette."},
    };
    std::string path = Kept("refused.img");
    for (const auto &c : cases) {
        DeleteFileA(path.c_str());
        cdExe_ = cd / "Utility\\Floppwright.exe";
        Start("-image " + path, c.product, c.product == HardDrive);
        DialogInfo refusal = NextMessage();
        EXPECT_EQ(refusal.caption, "No image was made");
        size_t star = c.text.find('*');
        if (star == std::string::npos) {
            EXPECT_EQ(refusal.text, c.text);
        } else {
            EXPECT_EQ(refusal.text.substr(0, star), c.text.substr(0, star)) << refusal.text;
            EXPECT_NE(refusal.text.find(c.text.substr(star + 1)), std::string::npos)
                << refusal.text;
        }
        Answer(refusal, IDOK);
        ExpectEnd();
        EXPECT_FALSE(FileExists(path));
    }

    // 4 GiB (sparse): counted in 64 bits, not wrapped to no clusters at all.
    HANDLE huge = CreateFileA((cd / "Diskette Drive\\HUGE.BIN").c_str(), GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 4LL << 30;
    ASSERT_TRUE(SetFilePointerEx(huge, size, nullptr, FILE_BEGIN) && SetEndOfFile(huge));
    CloseHandle(huge);
    Start("-image " + path, DisketteDrive, true);
    DialogInfo refusal = NextMessage();
    EXPECT_EQ(refusal.text.substr(0, 4), "4293") << refusal.text;
    Answer(refusal, IDOK);
    ExpectEnd();
    EXPECT_FALSE(FileExists(path));
}

// Without any drive A: the refusal offers the image. No ends as before; Yes
// goes on as -image without a path, and the image goes on to the native
// comparison.
TEST_F(ImageMaker, NoDriveAOffersTheImage)
{
    struct Restore {
        ~Restore() { SetTypeOfDriveA(DRIVE_REMOVABLE); }
    } restore;
    ASSERT_TRUE(SetTypeOfDriveA(DRIVE_NO_ROOT_DIR));
    std::string chosen = Kept("nodrive");
    DeleteFileA((chosen + ".img").c_str());
    for (int answer : {IDNO, IDYES}) {
        process_ = std::make_unique<Process>();
        ASSERT_TRUE(process_->Start(cdExe_, "-0009"));
        DialogInfo offer = NextMessage();
        EXPECT_EQ(offer.caption, TitleEn);
        EXPECT_EQ(offer.text,
                  "No diskette drive found.\nFloppwright cannot continue.\n\n"
                  "Do you want to save the setup diskette as an image file instead?");
        Answer(offer, answer);
        ASSERT_TRUE(WaitWindowGone(offer.window));
    }
    ChooseAndCopy(DisketteDrive, true);
    SaveAs(chosen);
    DialogInfo note = NextMessage();
    EXPECT_EQ(note.text, "Finished.\n\n" + chosen + ".img");
    Answer(note, IDOK);
    ExpectEnd();
}

// Where Windows keeps no emergency-boot folder (2000, XP and later) the
// MS-DOS image does not start a computer, and the closing note says so.
// A path that names a folder makes no image at all.
TEST_F(ImageMaker, NoteOfAnImageWithoutSystemFilesAndAFolderRefused)
{
    ScopedWindowsVersion win2k("win2k", "Floppwright.exe");
    std::string path = Kept("no-system-files.img");
    DeleteFileA(path.c_str());
    Start("-image " + path, HardDrive, true);
    DialogInfo note = NextMessage();
    EXPECT_EQ(note.text,
              "Finished.\n\n" + path +
                  "\n\nThis diskette does not start a computer: no MS-DOS "
                  "system files were found in " +
                  WindowsFolder() + "\\Command\\Ebd.");
    Answer(note, IDOK);
    ExpectEnd();

    Start("-image " + Kept(""), HardDrive, false);
    DialogInfo refusal = NextMessage();
    EXPECT_EQ(refusal.caption, "No image was made");
    Answer(refusal, IDOK);
    ExpectEnd();
}

// An image that another program holds open, with delete sharing: whether
// the new one gets in or not, the old one is never lost.
TEST_F(ImageMaker, ReplacedImageIsNeverLost)
{
    std::string path = Kept("held.img");
    ASSERT_TRUE(WriteWholeFile(path, "an older image"));
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Start("-image " + path, HardDrive, false);
    Answer(NextMessage(), IDYES);
    Answer(NextMessage(), IDOK);
    ExpectEnd();
    CloseHandle(held);
    std::string contents;
    ASSERT_TRUE(ReadWholeFile(path, &contents));
    EXPECT_TRUE(contents == "an older image" || contents.size() == kImageBytes) << contents.size();
}

// Stand-ins for comdlg32.dll and shell32.dll beside Floppwright, preferred
// by Wine (its DllOverrides for Floppwright.exe) as Windows prefers a DLL
// in the program's folder that is not a KnownDLL: Save As still works, and
// neither stand-in is ever loaded.
TEST_F(ImageMaker, PlantedDllsAreNeverLoaded)
{
    TempDir cd;
    ASSERT_TRUE(CopyTree(CdPath(""), cd.Path()));
    const char *const kPlanted[] = {"comdlg32", "shell32"};
    for (const char *dll : kPlanted)
        ASSERT_TRUE(CopyFileA(WindowsPathOfUnix(QL_PLANTED_DLL).c_str(),
                              (cd / "Utility\\" + dll + ".dll").c_str(), FALSE));
    const std::string overrides =
        "HKCU\\Software\\Wine\\AppDefaults\\Floppwright.exe\\DllOverrides";
    ScopedRegistryKey kept(overrides);
    for (const char *dll : kPlanted)
        ASSERT_TRUE(RegSetString(overrides, dll, "native,builtin"));

    std::string chosen = Kept("planted");
    DeleteFileA((chosen + ".img").c_str());
    cdExe_ = cd / "Utility\\Floppwright.exe";
    Start("-image", HardDrive, false, Kept(""));
    DialogInfo saveAs = NextMessage();
    HWND fileName = SaveAsFileName(saveAs.window);
    ASSERT_NE(fileName, nullptr) << "the system's Save As dialog";
    SetWindowTextA(fileName, chosen.c_str());
    Answer(saveAs, IDOK);
    DialogInfo note = NextMessage();
    EXPECT_EQ(note.text, "Finished.\n\n" + chosen + ".img");
    Answer(note, IDOK);
    ExpectEnd();
    for (const char *dll : kPlanted)
        EXPECT_FALSE(FileExists(cd / "Utility\\" + dll + ".dll.loaded")) << dll;
    DeleteFileA((chosen + ".img").c_str());
}

} // namespace
