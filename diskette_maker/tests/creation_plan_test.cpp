// How a run ends when one of its steps fails, and which system files it
// saves around the erase.
#include <gtest/gtest.h>

#include "core/creation_plan.h"
#include "core/platform_kind.h"
#include "fake_creation_front_end.h"

namespace {

using Events = std::vector<std::string>;
using Paths = std::vector<std::string>;

CreationInputs MsdosCdrom(bool option = true)
{
    return {kEnglish,
            kProductCdromDrive,
            true,
            option,
            kPlatformWin98Me,
            "A:\\",
            "D:\\Utility\\Floppwright.exe"};
}

const std::set<std::string> ThreeSystemFiles = {"IO.SYS", "MSDOS.SYS", "COMMAND.COM"};

struct FailureCase {
    const char *name;
    bool answerYes;
    std::set<std::string> diskette;
    int failStep;
    FileOperationResult failure;
    CreationEnd end;
    Events events;
    FileOperationResult moveBack = {0, false};
};

// 0 save, 1 erase, 2 restore, 3 product copy, 4 guide, 5 test port.
const FailureCase FailureCases[] = {
    {"No to the warning touches nothing",
     false,
     ThreeSystemFiles,
     -1,
     {0, false},
     kEndedDeclined,
     {"confirm"}},
    {"failed save forgets the saved files and makes the diskette bootable",
     true,
     ThreeSystemFiles,
     kStepSaveSystemFiles,
     {1, false},
     kEndedFinished,
     {"confirm", "op:0", "op:1", "bootable", "startup:2", "op:3", "op:4", "op:5", "note"}},
    {"cancelled save forgets them too",
     true,
     ThreeSystemFiles,
     kStepSaveSystemFiles,
     {0, true},
     kEndedFinished,
     {"confirm", "op:0", "op:1", "bootable", "startup:2", "op:3", "op:4", "op:5", "note"}},
    {"failed erase puts the saved files back and ends the run",
     true,
     ThreeSystemFiles,
     kStepErase,
     {1, false},
     kEndedEraseFailed,
     {"confirm", "op:0", "op:1", "op:2"}},
    {"cancelled erase puts them back too",
     true,
     ThreeSystemFiles,
     kStepErase,
     {0, true},
     kEndedEraseFailed,
     {"confirm", "op:0", "op:1", "op:2"}},
    {"failed erase, failed move back: the folder is named",
     true,
     ThreeSystemFiles,
     kStepErase,
     {1, false},
     kEndedEraseFailed,
     {"confirm", "op:0", "op:1", "op:2", "left:C:\\TEMP\\RUN\\"},
     {1, false}},
    {"failed erase, cancelled move back: the folder is named",
     true,
     ThreeSystemFiles,
     kStepErase,
     {1, false},
     kEndedEraseFailed,
     {"confirm", "op:0", "op:1", "op:2", "left:C:\\TEMP\\RUN\\"},
     {0, true}},
    {"cancelled erase ends the run",
     true,
     {},
     kStepErase,
     {0, true},
     kEndedEraseFailed,
     {"confirm", "op:1"}},
    {"cancelled move back names the folder and ends the run",
     true,
     ThreeSystemFiles,
     kStepRestoreSystemFiles,
     {0, true},
     kEndedRestoreAborted,
     {"confirm", "op:0", "op:1", "op:2", "left:C:\\TEMP\\RUN\\"}},
    {"move back failing uncancelled names the folder and goes on",
     true,
     ThreeSystemFiles,
     kStepRestoreSystemFiles,
     {1, false},
     kEndedFinished,
     {"confirm", "op:0", "op:1", "op:2", "left:C:\\TEMP\\RUN\\", "startup:2", "op:3", "op:4",
      "op:5", "note"}},
    {"failed product copy ends the run",
     true,
     {},
     kStepCopyProduct,
     {1, false},
     kEndedProductCopyFailed,
     {"confirm", "op:1", "bootable", "startup:2", "op:3"}},
    {"cancelled product copy ends the run",
     true,
     {},
     kStepCopyProduct,
     {0, true},
     kEndedProductCopyFailed,
     {"confirm", "op:1", "bootable", "startup:2", "op:3"}},
    {"failed guide copy is ignored",
     true,
     {},
     kStepCopyGuide,
     {1, true},
     kEndedFinished,
     {"confirm", "op:1", "bootable", "startup:2", "op:3", "op:4", "op:5", "note"}},
    {"failed test-port copy is ignored",
     true,
     {},
     kStepCopyTestPort,
     {1, false},
     kEndedFinished,
     {"confirm", "op:1", "bootable", "startup:2", "op:3", "op:4", "op:5", "note"}},
};

TEST(CreationFailures, EachFailureEndsTheRunWhereItShould)
{
    for (const FailureCase &c : FailureCases) {
        SCOPED_TRACE(c.name);
        FakeCreationFrontEnd fake;
        fake.answerYes = c.answerYes;
        fake.disketteFiles = c.diskette;
        fake.failStep = c.failStep;
        fake.failure = c.failure;
        fake.moveBack = c.moveBack;
        EXPECT_EQ(RunCreation(MsdosCdrom(), fake), c.end);
        EXPECT_EQ(fake.events, c.events);
        // Every move back, also after a failed erase, undoes the save.
        const RecordedOperation *save = fake.Find(kStepSaveSystemFiles);
        const RecordedOperation *restore = fake.Find(kStepRestoreSystemFiles);
        // The run's own save folder goes once it is empty, whatever the end.
        EXPECT_EQ(fake.removedFolders, save ? Paths{"C:\\TEMP\\RUN\\"} : Paths{});
        if (save && restore) {
            EXPECT_EQ(restore->flags, 0x0511u);
            EXPECT_EQ(restore->from, save->to);
            EXPECT_EQ(restore->to, save->from);
        }
    }
}

TEST(CreationSteps, EachOperationCarriesItsFlags)
{
    FakeCreationFrontEnd fake;
    fake.disketteFiles = ThreeSystemFiles;
    ASSERT_EQ(RunCreation(MsdosCdrom(), fake), kEndedFinished);
    struct {
        CreationStep step;
        int operation;
        unsigned flags;
    } expected[] = {
        {kStepSaveSystemFiles, kOperationCopy, 0x0511},
        {kStepErase, kOperationDelete, 0x0110},
        {kStepRestoreSystemFiles, kOperationMove, 0x0511},
        {kStepCopyProduct, kOperationCopy, 0x0010},
        {kStepCopyGuide, kOperationCopy, 0x0010},
        {kStepCopyTestPort, kOperationCopy, 0x0010},
    };
    ASSERT_EQ(fake.operations.size(), 6u);
    for (size_t i = 0; i < 6; i++) {
        EXPECT_EQ(fake.operations[i].step, expected[i].step) << i;
        EXPECT_EQ(fake.operations[i].operation, expected[i].operation) << i;
        EXPECT_EQ(fake.operations[i].flags, expected[i].flags) << i;
    }
    EXPECT_EQ(fake.operations[1].from, Paths{"A:\\*.*"});
    EXPECT_TRUE(fake.operations[1].to.empty());
}

TEST(CreationSteps, SavedFilesGoBackWhereTheyCameFrom)
{
    FakeCreationFrontEnd fake;
    fake.disketteFiles = ThreeSystemFiles;
    RunCreation(MsdosCdrom(), fake);
    const RecordedOperation *save = fake.Find(kStepSaveSystemFiles);
    const RecordedOperation *restore = fake.Find(kStepRestoreSystemFiles);
    ASSERT_TRUE(save && restore);
    // The BIOS file goes back first, so that it takes the first root entry.
    EXPECT_EQ(save->from, (Paths{"A:\\IO.SYS", "A:\\MSDOS.SYS", "A:\\COMMAND.COM"}));
    EXPECT_EQ(
        save->to,
        (Paths{"C:\\TEMP\\RUN\\IO.SYS", "C:\\TEMP\\RUN\\MSDOS.SYS", "C:\\TEMP\\RUN\\COMMAND.COM"}));
    EXPECT_EQ(restore->from, save->to);
    EXPECT_EQ(restore->to, save->from);
}

TEST(CreationSteps, WindowsDisketteSavesNothing)
{
    FakeCreationFrontEnd fake;
    fake.disketteFiles = ThreeSystemFiles;
    CreationInputs in = MsdosCdrom();
    in.msdosVariant = false;
    RunCreation(in, fake);
    EXPECT_EQ(fake.Find(kStepSaveSystemFiles), nullptr);
    EXPECT_EQ(fake.Find(kStepRestoreSystemFiles), nullptr);
}

// Only an MS-DOS diskette that was to start a computer and got no system
// files says so; its own saved ones, or the startup disk turned off, do not.
TEST(CreationSteps, ClosingNoteTellsOfMissingSystemFiles)
{
    struct {
        bool bootable, option;
        std::set<std::string> diskette;
        const char *note;
    } cases[] = {
        {false, true, {}, "note:no system files"},
        {true, true, {}, "note"},
        {false, false, {}, "note"},
        {false, true, ThreeSystemFiles, "note"},
    };
    for (const auto &c : cases) {
        FakeCreationFrontEnd fake;
        fake.bootable = c.bootable;
        fake.disketteFiles = c.diskette;
        RunCreation(MsdosCdrom(c.option), fake);
        EXPECT_EQ(fake.events.back(), c.note) << c.bootable << c.option << c.diskette.size();
    }
}

struct SavedCase {
    const char *name;
    bool option;
    bool tempUsable;
    std::set<std::string> diskette;
    bool saved;
    Paths disk;
};

const std::set<std::string> AllFive = {"IBMDOS.COM", "IBMBIO.COM", "MSDOS.SYS", "IO.SYS",
                                       "COMMAND.COM"};

const SavedCase SavedCases[] = {
    {"option off, none present", false, true, {}, false, {}},
    {"option off, three present", false, true, ThreeSystemFiles, false, {}},
    {"option off, five present", false, true, AllFive, false, {}},
    {"option on, none present", true, true, {}, false, {}},
    {"option on, three present",
     true,
     true,
     ThreeSystemFiles,
     true,
     {"A:\\IO.SYS", "A:\\MSDOS.SYS", "A:\\COMMAND.COM"}},
    {"option on, five present",
     true,
     true,
     AllFive,
     true,
     {"A:\\IBMBIO.COM", "A:\\IO.SYS", "A:\\IBMDOS.COM", "A:\\MSDOS.SYS", "A:\\COMMAND.COM"}},
    {"temporary folder not usable", true, false, AllFive, false, {}},
    {"other files do not count", true, true, {"CONFIG.SYS", "DRIVER.SYS"}, false, {}},
};

TEST(SavedSystemFiles, ListsFollowTheOptionAndWhatIsPresent)
{
    for (const SavedCase &c : SavedCases) {
        SCOPED_TRACE(c.name);
        FakeCreationFrontEnd fake;
        fake.tempUsable = c.tempUsable;
        fake.disketteFiles = c.diskette;
        char disk[kSavedDiskListCapacity] = {};
        char temp[kSavedTempListCapacity] = {};
        EXPECT_EQ(SaveSystemFiles(MsdosCdrom(c.option), fake, disk, temp), c.saved);
        EXPECT_EQ(SplitPathList(disk), c.disk);
        Paths expectedTemp;
        for (const std::string &path : c.disk)
            expectedTemp.push_back("C:\\TEMP\\RUN\\" + path.substr(3));
        EXPECT_EQ(SplitPathList(temp), expectedTemp);
    }
}

// A temporary folder so long that not all five names fit into the 520-byte
// list: whatever is entered must stay entry for entry, or a file would be
// moved back onto another file's name.
TEST(SavedSystemFiles, ALongTemporaryFolderKeepsBothListsInStep)
{
    for (size_t length : {90u, 93u, 94u, 100u, 120u, 200u, 250u, 258u}) {
        SCOPED_TRACE(length);
        FakeCreationFrontEnd fake;
        fake.tempFolder = "C:\\" + std::string(length - 4, 't') + "\\";
        fake.disketteFiles = AllFive;
        char disk[kSavedDiskListCapacity] = {};
        char temp[kSavedTempListCapacity] = {};
        bool saved = SaveSystemFiles(MsdosCdrom(), fake, disk, temp);
        Paths diskPaths = SplitPathList(disk), tempPaths = SplitPathList(temp);
        ASSERT_EQ(diskPaths.size(), tempPaths.size());
        EXPECT_EQ(saved, !diskPaths.empty());
        for (size_t i = 0; i < diskPaths.size(); i++)
            EXPECT_EQ(tempPaths[i], fake.tempFolder + "RUN\\" + diskPaths[i].substr(3));
        if (length + 4 <= 93) {
            EXPECT_EQ(diskPaths.size(), 5u);
        }
    }
}

TEST(EraseQuestion, IsSkippedOnlyForAnEmptyRoot)
{
    const unsigned long kFileNotFound = 2, AccessDenied = 5, kNoMoreFiles = 18, NotReady = 21,
                        UnrecognizedMedia = 1785, FileCorrupt = 1392;
    struct {
        bool found;
        unsigned long error;
        bool ask;
    } cases[] = {
        {true, 0, true},
        {false, kFileNotFound, false},
        {false, kNoMoreFiles, false},
        {false, NotReady, true},
        {false, AccessDenied, true},
        {false, FileCorrupt, true},
        {false, UnrecognizedMedia, true},
        {false, 0, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(EraseNeedsQuestion(c.found, c.error), c.ask) << c.found << " " << c.error;
}

// Records the bootable step's calls; each answer is set by the case.
struct FakeBootable : BootableFrontEnd {
    bool drive = true, copied = true, created = true, bootSector = true;
    Events events;
    bool ProbeDrive(const char *) override { return Note("probe", drive); }
    bool CopyEmergencyBootFiles(const char *) override { return Note("copy", copied); }
    bool CreateEmptyFile(const char *path) override
    {
        return Note(std::string("create:") + path, created);
    }
    void MarkSystemFile(const char *path) override { Note(std::string("mark:") + path, true); }
    bool WriteBootSector(const char *) override { return Note("boot", bootSector); }
    bool Note(const std::string &event, bool answer)
    {
        events.push_back(event);
        return answer;
    }
};

TEST(BootableStep, StepsByPlatformOptionAndOutcome)
{
    const Events made = {
        "probe", "copy", "create:A:\\MSDOS.SYS", "mark:A:\\IO.SYS", "mark:A:\\MSDOS.SYS", "boot"};
    const struct {
        const char *name;
        int platform;
        bool option, drive, copied, created, bootSector;
        bool result;
        Events events;
    } cases[] = {
        {"later NT keeps no emergency-boot files",
         kPlatformNtLater,
         true,
         true,
         true,
         true,
         true,
         true,
         {}},
        {"startup disk turned off", kPlatformWin98Me, false, true, true, true, true, true, {}},
        {"no drive answers", kPlatformWin98Me, true, false, true, true, true, true, {"probe"}},
        {"Windows 95 refuses the system files",
         kPlatformWin95,
         true,
         true,
         true,
         true,
         true,
         false,
         {"probe"}},
        {"Windows 98 makes it bootable", kPlatformWin98Me, true, true, true, true, true, true,
         made},
        {"a failed boot sector is ignored", kPlatformNt4, true, true, true, true, false, true,
         made},
        {"a failed copy leaves the boot sector",
         kPlatformNt4,
         true,
         true,
         false,
         true,
         true,
         false,
         {"probe", "copy"}},
        {"no MSDOS.SYS leaves the boot sector",
         kPlatformWin98Me,
         true,
         true,
         true,
         false,
         true,
         false,
         {"probe", "copy", "create:A:\\MSDOS.SYS"}},
    };
    for (const auto &c : cases) {
        FakeBootable fake;
        fake.drive = c.drive;
        fake.copied = c.copied;
        fake.created = c.created;
        fake.bootSector = c.bootSector;
        CreationInputs inputs = MsdosCdrom(c.option);
        inputs.platformKind = c.platform;
        EXPECT_EQ(RunBootableStep(inputs, fake), c.result) << c.name;
        EXPECT_EQ(fake.events, c.events) << c.name;
    }
}

} // namespace
