// The diskette steps on a Wine prefix whose A: is a folder: the platform
// test per Windows version, the startup files, the system-file copy and the
// bootable step. Steps that depend on the Windows version run in
// diskette_step.exe, started with that version set for it alone.

#include <gtest/gtest.h>

#include <string>

#include "core/run_settings.h"
#include "resource.h"
#include "wine_harness.h"
#include "windows/record_blocks.h"
#include "windows/startup_files_win.h"

using namespace qlh;

namespace {

const char kStepExeName[] = "diskette_step.exe";
const std::string kIoSysBytes = std::string("MZ stand-in IO.SYS\r\n") + std::string(700, 'i');
const std::string kCommandComBytes = "stand-in COMMAND.COM " + std::string(300, 'c');

std::string StepExe()
{
    return WindowsPathOfUnix(DM_STEP_EXE);
}

// Runs a step under the given Windows version; its exit code, or -1.
int RunStep(const std::string &version, const std::string &args)
{
    ScopedWindowsVersion scoped(version, kStepExeName);
    Process step;
    if (!step.Start(StepExe(), args))
        return -1;
    DWORD code = 0;
    if (!step.WaitExit(20000, &code))
        return -1;
    return int(code);
}

std::string Floppy(const std::string &name)
{
    return FloppyRoot() + name;
}

std::string EmergencyBootFolder()
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\Command\\Ebd\\";
}

std::string Record(int id)
{
    DWORD size = 0;
    const BYTE *bytes = LoadRecordBlock(id, &size);
    return bytes ? std::string(reinterpret_cast<const char *>(bytes), size) : std::string();
}

// The product's startup files written by the core's rule on the running
// Windows.
bool WriteStartupFilesToDiskette(const char *root, Product product)
{
    Win32StartupFiles writer;
    return WriteStartupFiles(root, product, writer);
}

std::string Contents(const std::string &path)
{
    std::string contents;
    return ReadWholeFile(path, &contents) ? contents : std::string("<missing>");
}

// Every test starts from an empty diskette and, unless it adds them, no
// emergency-boot files.
class DisketteSteps : public ::testing::Test {
protected:
    void SetUp() override
    {
        EmptyFloppy();
        RemoveTree(EmergencyBootFolder());
    }
    void TearDown() override
    {
        EmptyFloppy();
        RemoveTree(EmergencyBootFolder());
    }
    static void EmptyFloppy()
    {
        for (const std::string &name : ListDirectory(FloppyRoot()))
            RemoveTree(FloppyRoot() + name);
    }
    static void StandInEmergencyBootFiles()
    {
        ASSERT_TRUE(MakeDirectories(EmergencyBootFolder()));
        ASSERT_TRUE(WriteWholeFile(EmergencyBootFolder() + "IO.SYS", kIoSysBytes));
        ASSERT_TRUE(WriteWholeFile(EmergencyBootFolder() + "COMMAND.COM", kCommandComBytes));
    }
    static void ExpectSystemFiles()
    {
        EXPECT_EQ(Contents(Floppy("IO.SYS")), kIoSysBytes);
        EXPECT_EQ(Contents(Floppy("COMMAND.COM")), kCommandComBytes);
        EXPECT_EQ(Contents(Floppy("MSDOS.SYS")), "");
        EXPECT_EQ(FileAttributes(Floppy("IO.SYS")) & 0x1F, 0x7u);
        EXPECT_EQ(FileAttributes(Floppy("MSDOS.SYS")) & 0x1F, 0x7u);
    }
};

TEST_F(DisketteSteps, PlatformKindPerWindowsVersion)
{
    const struct {
        const char *version;
        int kind;
    } versions[] = {
        {"win95", 2}, {"win98", 1}, {"winme", 1}, {"nt40", 3}, {"win2k", 0}, {"winxp", 0},
    };
    for (const auto &v : versions)
        EXPECT_EQ(RunStep(v.version, "platform-kind"), v.kind) << v.version;
}

TEST_F(DisketteSteps, StartupFilesPerProduct)
{
    const struct {
        Product product;
        int config;
        const char *driver;
        bool autoexec;
    } products[] = {
        {kProductHardDrive, IDR_CONFIG_HARD_DRIVE, "\r\ndevice=qlhddrv.sys\r\n", false},
        {kProductCdromDrive, IDR_CONFIG_CDROM, "\r\ndevice=qlcddrv.sys\r\n", true},
        {kProductDisketteDrive, IDR_CONFIG_DISKETTE, "\r\ndevice=quellorn.sys\r\n", false},
    };
    for (const auto &p : products) {
        EmptyFloppy();
        // An old CONFIG.SYS is replaced, not appended to.
        ASSERT_TRUE(WriteWholeFile(Floppy("CONFIG.SYS"), std::string(100, 'x')));
        EXPECT_TRUE(WriteStartupFilesToDiskette("A:\\", p.product)) << p.product;
        std::string config = Record(p.config);
        ASSERT_EQ(config.size(), 48u);
        EXPECT_EQ(Contents(Floppy("CONFIG.SYS")), config) << p.product;
        EXPECT_EQ(config.find(p.driver), 0u) << "the block of the product's own driver";
        EXPECT_EQ(FileExists(Floppy("AUTOEXEC.BAT")), p.autoexec) << p.product;
        if (p.autoexec) {
            EXPECT_EQ(Contents(Floppy("AUTOEXEC.BAT")), Record(IDR_AUTOEXEC_CDROM));
            EXPECT_NE(Contents(Floppy("AUTOEXEC.BAT")).find("mscdex.exe /d:qlcddrv$"),
                      std::string::npos);
        }
    }
}

TEST_F(DisketteSteps, BootSectorBlockIsInTheModule)
{
    std::string image = Record(IDR_BOOT_SECTOR);
    ASSERT_EQ(image.size(), 512u);
    EXPECT_EQ(image.substr(0x1FE), "\x55\xAA");
    EXPECT_EQ(image.substr(0x1D8, 11), "IO      SYS");
}

TEST_F(DisketteSteps, StartupFilesStopWhenConfigSysCannotBeCreated)
{
    // A folder in the way stands for any CONFIG.SYS that cannot be opened
    // (the tests run as root, so a read-only file would still open).
    ASSERT_TRUE(MakeDirectories(Floppy("CONFIG.SYS")));
    EXPECT_FALSE(WriteStartupFilesToDiskette("A:\\", kProductCdromDrive));
    EXPECT_FALSE(FileExists(Floppy("AUTOEXEC.BAT")));
}

TEST_F(DisketteSteps, StartupFilesReportAutoexecThatCannotBeCreated)
{
    ASSERT_TRUE(MakeDirectories(Floppy("AUTOEXEC.BAT")));
    EXPECT_FALSE(WriteStartupFilesToDiskette("A:\\", kProductCdromDrive));
    EXPECT_EQ(Contents(Floppy("CONFIG.SYS")), Record(IDR_CONFIG_CDROM));
}

TEST_F(DisketteSteps, StartupFilesRefuseUnknownProduct)
{
    EXPECT_FALSE(WriteStartupFilesToDiskette("A:\\", kProductNone));
    EXPECT_FALSE(FileExists(Floppy("CONFIG.SYS")));
}

TEST_F(DisketteSteps, CopySystemFilesFromEmergencyBootFolder)
{
    StandInEmergencyBootFiles();
    ASSERT_TRUE(WriteWholeFile(Floppy("MSDOS.SYS"), "[Options]\r\nBootGUI=1\r\n"));
    EXPECT_EQ(RunStep("win98", "copy-system-files"), 1);
    ExpectSystemFiles();
}

TEST_F(DisketteSteps, CopySystemFilesRefusedOnWindows95)
{
    StandInEmergencyBootFiles();
    EXPECT_EQ(RunStep("win95", "copy-system-files"), 0);
    EXPECT_TRUE(ListDirectory(FloppyRoot()).empty());
}

TEST_F(DisketteSteps, CopySystemFilesWithoutSourcesFails)
{
    EXPECT_EQ(RunStep("winme", "copy-system-files"), 0);
    EXPECT_FALSE(FileExists(Floppy("MSDOS.SYS")));
}

TEST_F(DisketteSteps, MakeBootableDoesNothingOnLaterNtOrWithOptionOff)
{
    StandInEmergencyBootFiles();
    const struct {
        const char *version;
        const char *option;
    } cases[] = {
        {"winxp", "on"},
        {"win2k", "on"},
        {"win98", "off"},
        {"nt40", "off"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(RunStep(c.version, std::string("make-bootable ") + c.option), 1) << c.version;
        EXPECT_TRUE(ListDirectory(FloppyRoot()).empty()) << c.version;
    }
}

TEST_F(DisketteSteps, MakeBootableOnNt4CopiesTheSystemFiles)
{
    // NT 4.0 passes the probe without asking the drive; the boot sector
    // itself needs VWIN32, which NT lacks, and its failure is not reported.
    StandInEmergencyBootFiles();
    EXPECT_EQ(RunStep("nt40", "make-bootable on"), 1);
    ExpectSystemFiles();
}

TEST_F(DisketteSteps, MakeBootableFailsWhenTheCopyFails)
{
    EXPECT_EQ(RunStep("nt40", "make-bootable on"), 0);
    EXPECT_FALSE(FileExists(Floppy("MSDOS.SYS")));
}

TEST_F(DisketteSteps, ProbeWithoutVwin32FindsNoDrive)
{
    // Wine has no VWIN32 device: the 95/98/Me probe must answer 0, not fail
    // open; NT 4.0 answers without asking.
    EXPECT_EQ(RunStep("win98", "probe"), 0);
    EXPECT_EQ(RunStep("nt40", "probe"), 1);
}

} // namespace
