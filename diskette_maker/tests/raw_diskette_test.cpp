#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/platform_kind.h"
#include "core/raw_diskette.h"
#include "emulated_diskette.h"
#include "record_files.h"

namespace {

std::string ImagePath(const char *name)
{
    return ::testing::TempDir() + "/dm_raw_" + name + ".img";
}

std::vector<uint32_t> Codes(const EmulatedDiskette &drive)
{
    std::vector<uint32_t> codes;
    for (const EmulatedDiskette::Sent &s : drive.sent)
        codes.push_back(s.code);
    return codes;
}

// --- ProbeDisketteDrive -------------------------------------------------

struct ProbeCase {
    const char *name;
    int platformKind;
    const char *root;
    std::function<void(EmulatedDiskette &)> setUp;
    int expected;
    std::vector<uint32_t> codes; // requests the probe must send, in order
    const char *volume;          // volume opened on the NT family, or ""
};

const uint32_t Int13 = VWIN32_DIOC_DOS_INT13;
const uint32_t MediaQuery = IOCTL_STORAGE_GET_MEDIA_TYPES;
auto Nothing = [](EmulatedDiskette &) {};

const ProbeCase kProbeCases[] = {
    {"Nt4AsksNothing", kPlatformNt4, "A:\\", Nothing, 1, {}, ""},
    {"Nt4EvenWithoutADrive",
     kPlatformNt4,
     "A:\\",
     [](EmulatedDiskette &d) { d.vwin32Present = d.volumePresent = false; },
     1,
     {},
     ""},
    {"Win98BiosAnswers", kPlatformWin98Me, "A:\\", Nothing, 4, {Int13}, ""},
    {"Win95BiosAnswers", kPlatformWin95, "A:\\", Nothing, 4, {Int13}, ""},
    {"Win98LetterDoesNotMatter", kPlatformWin98Me, "B:\\", Nothing, 4, {Int13}, ""},
    {"Win98CarrySet",
     kPlatformWin98Me,
     "A:\\",
     [](EmulatedDiskette &d) { d.driveAnswersBios = false; },
     0,
     {Int13},
     ""},
    {"Win98CallFails",
     kPlatformWin98Me,
     "A:\\",
     [](EmulatedDiskette &d) { d.failingCode = Int13; },
     0,
     {Int13},
     ""},
    {"Win98NoVwin32",
     kPlatformWin98Me,
     "A:\\",
     [](EmulatedDiskette &d) { d.vwin32Present = false; },
     0,
     {Int13},
     ""},
    {"NtKnowsHighDensity", kPlatformNtLater, "A:\\", Nothing, 1, {MediaQuery}, "\\\\.\\A:"},
    {"NtAsksTheRootsLetter", kPlatformNtLater, "B:\\", Nothing, 1, {MediaQuery}, "\\\\.\\B:"},
    {"NtOnly720K",
     kPlatformNtLater,
     "A:\\",
     [](EmulatedDiskette &d) { d.mediaTypes = {5}; },
     0,
     {MediaQuery},
     "\\\\.\\A:"},
    {"NtOnly1Pt2",
     kPlatformNtLater,
     "A:\\",
     [](EmulatedDiskette &d) { d.mediaTypes = {1}; },
     0,
     {MediaQuery},
     "\\\\.\\A:"},
    {"NtNoMediaTypes",
     kPlatformNtLater,
     "A:\\",
     [](EmulatedDiskette &d) { d.mediaTypes = {}; },
     0,
     {MediaQuery},
     "\\\\.\\A:"},
    {"NtHighDensityTwelfth",
     kPlatformNtLater,
     "A:\\",
     [](EmulatedDiskette &d) { d.mediaTypes = {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 2}; },
     1,
     {MediaQuery},
     "\\\\.\\A:"},
    {"NtThirteenRecordsOverflow",
     kPlatformNtLater,
     "A:\\",
     [](EmulatedDiskette &d) { d.mediaTypes = {2, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5}; },
     0,
     {MediaQuery},
     "\\\\.\\A:"},
    {"NtNoVolume",
     kPlatformNtLater,
     "A:\\",
     [](EmulatedDiskette &d) { d.volumePresent = false; },
     0,
     {},
     "\\\\.\\A:"},
    {"NtQueryFails",
     kPlatformNtLater,
     "A:\\",
     [](EmulatedDiskette &d) { d.failingCode = MediaQuery; },
     0,
     {MediaQuery},
     "\\\\.\\A:"},
};

class ProbeTest : public ::testing::TestWithParam<ProbeCase> {};

TEST_P(ProbeTest, AnswersAndAsks)
{
    const ProbeCase &c = GetParam();
    EmulatedDiskette drive(ImagePath(c.name), 2880);
    c.setUp(drive);
    EXPECT_EQ(ProbeDisketteDrive(c.platformKind, c.root, drive), c.expected);
    EXPECT_EQ(Codes(drive), c.codes);
    EXPECT_EQ(drive.openedVolume, c.volume);
    if (c.platformKind != kPlatformNtLater || drive.volumePresent) {
        EXPECT_EQ(drive.opens, drive.closes) << "every opened device is closed";
    }
    for (const EmulatedDiskette::Sent &s : drive.sent) {
        if (s.code == Int13) {
            // BIOS service 08h for the first diskette drive, nothing else.
            EXPECT_EQ(s.registers.reg_EAX, 0x0800u);
            EXPECT_EQ(s.registers.reg_EBX | s.registers.reg_ECX | s.registers.reg_EDX |
                          s.registers.reg_EDI,
                      0u);
        }
    }
    EXPECT_EQ(drive.writes, 0);
}

INSTANTIATE_TEST_SUITE_P(Platforms, ProbeTest, ::testing::ValuesIn(kProbeCases),
                         [](const ::testing::TestParamInfo<ProbeCase> &info) {
                             return std::string(info.param.name);
                         });

// --- WriteBootSector ----------------------------------------------------

const uint32_t Ioctl = VWIN32_DIOC_DOS_IOCTL, Read = VWIN32_DIOC_DOS_INT25,
               Write = VWIN32_DIOC_DOS_INT26;

struct WriteCase {
    const char *name;
    uint32_t sectors;
    std::function<void(EmulatedDiskette &)> setUp;
    bool expected;
    std::vector<uint32_t> codes;
    bool sectorIsImage; // sector 0 holds the image afterwards
};

const WriteCase kWriteCases[] = {
    {"Success", 2880, Nothing, true, {Ioctl, Read, Write, Read, Ioctl}, true},
    {"WriteProtected",
     2880,
     [](EmulatedDiskette &d) { d.writeProtected = true; },
     false,
     {Ioctl, Read, Write, Ioctl},
     false},
    {"WriteCallFails",
     2880,
     [](EmulatedDiskette &d) { d.failingCode = Write; },
     false,
     {Ioctl, Read, Write, Ioctl},
     false},
    {"ReadBackCarry",
     2880,
     [](EmulatedDiskette &d) { d.failsReadBack = true; },
     false,
     {Ioctl, Read, Write, Read, Ioctl},
     true},
    {"ReadBackDiffers",
     2880,
     [](EmulatedDiskette &d) { d.corruptsReadBack = true; },
     false,
     {Ioctl, Read, Write, Read, Ioctl},
     true},
    {"LockRefused", 2880, [](EmulatedDiskette &d) { d.refusesLock = true; }, false, {Ioctl}, false},
    {"LockCallFails",
     2880,
     [](EmulatedDiskette &d) { d.failingCode = Ioctl; },
     false,
     {Ioctl},
     false},
    {"NoVwin32", 2880, [](EmulatedDiskette &d) { d.vwin32Present = false; }, false, {Ioctl}, false},
    {"Refuses720K", 1440, Nothing, false, {Ioctl, Read, Ioctl}, false},
    {"RefusesUnformatted",
     2880,
     [](EmulatedDiskette &d) { d.PutSector(0, std::vector<uint8_t>(512, 0)); },
     false,
     {Ioctl, Read, Ioctl},
     false},
    {"RefusesUnreadable",
     2880,
     [](EmulatedDiskette &d) { d.failingCode = Read; },
     false,
     {Ioctl, Read, Ioctl},
     false},
};

class WriteBootSectorTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteBootSectorTest, WritesVerifiesAndUnlocks)
{
    const WriteCase &c = GetParam();
    std::vector<unsigned char> image = ReadRecord("boot_sector");
    ASSERT_EQ(image.size(), 512u);
    EmulatedDiskette drive(ImagePath(c.name), c.sectors);
    c.setUp(drive);
    std::vector<uint8_t> before = drive.Sector(0);
    std::vector<uint8_t> track = drive.Sector(1);

    EXPECT_EQ(WriteBootSector(drive, 'A', image.data()), c.expected);
    EXPECT_EQ(Codes(drive), c.codes);
    EXPECT_FALSE(drive.locked) << "the volume lock is released on every path";
    EXPECT_EQ(drive.opens, 1);
    EXPECT_EQ(drive.closes, 1);
    EXPECT_EQ(drive.Sector(0), c.sectorIsImage ? image : before);
    EXPECT_EQ(drive.Sector(1), track) << "no other sector is touched";
    EXPECT_LE(drive.writes, 1);
}

INSTANTIATE_TEST_SUITE_P(Outcomes, WriteBootSectorTest, ::testing::ValuesIn(kWriteCases),
                         [](const ::testing::TestParamInfo<WriteCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(WriteBootSector, RegistersOfEachRequest)
{
    std::vector<unsigned char> image = ReadRecord("boot_sector");
    EmulatedDiskette drive(ImagePath("registers"), 2880);
    ASSERT_TRUE(WriteBootSector(drive, 'a', image.data()));
    ASSERT_EQ(drive.sent.size(), 5u);
    struct Expected {
        uint32_t eax, ebx, ecx, edx;
    };
    const Expected expected[] = {
        {0x440D, 0x0001, 0x084A, 0}, // lock level 0 (BH), drive A: = 1 (BL)
        {0, 0, 1, 0},                // read one sector from sector 0 of drive 0
        {0, 0, 1, 0},                // write it
        {0, 0, 1, 0},                // read it back
        {0x440D, 0x0001, 0x086A, 0}, // unlock
    };
    for (size_t i = 0; i < 5; i++) {
        const DiocRegisters &r = drive.sent[i].registers;
        EXPECT_EQ(r.reg_EAX, expected[i].eax) << "request " << i;
        EXPECT_EQ(r.reg_ECX, expected[i].ecx) << "request " << i;
        EXPECT_EQ(r.reg_EDX, expected[i].edx) << "request " << i;
        if (drive.sent[i].code == Ioctl) {
            EXPECT_EQ(r.reg_EBX, expected[i].ebx) << "request " << i;
        }
    }
}

TEST(EmulatedDiskette, RefusesWritesWithoutTheLock)
{
    // The platform behaviour the lock exists for; without it the tests above
    // would pass a writer that never locks.
    EmulatedDiskette drive(ImagePath("nolock"), 2880);
    drive.OpenVwin32();
    uint8_t sector[512] = {};
    DiocRegisters regs = {};
    regs.reg_EBX = drive.BufferAddress(sector);
    regs.reg_ECX = 1;
    DeviceRequest request = {};
    request.controlCode = VWIN32_DIOC_DOS_INT26;
    request.registers = &regs;
    EXPECT_TRUE(drive.Send(request));
    EXPECT_TRUE(regs.reg_Flags & kCarryFlag);
    EXPECT_EQ(drive.writes, 0);
}

struct BpbCase {
    const char *name;
    uint16_t bytesPerSector, totalSectors;
    uint32_t totalSectors32;
    bool highDensity;
};

const BpbCase kBpbCases[] = {
    {"HighDensity", 512, 2880, 0, true},       {"HighDensityIn32BitField", 512, 0, 2880, true},
    {"DoubleDensity", 512, 1440, 0, false},    {"ExtraDensity", 512, 5760, 0, false},
    {"OtherSectorSize", 1024, 2880, 0, false}, {"Blank", 0, 0, 0, false},
};

TEST(DescribesHighDensityDiskette, BpbTable)
{
    // Every other field as the standard layout has it, from our own image.
    std::vector<unsigned char> standard = ReadRecord("boot_sector");
    ASSERT_EQ(standard.size(), 512u);
    for (const BpbCase &c : kBpbCases) {
        uint8_t sector[512];
        memcpy(sector, standard.data(), sizeof sector);
        sector[0x0B] = uint8_t(c.bytesPerSector);
        sector[0x0C] = uint8_t(c.bytesPerSector >> 8);
        sector[0x13] = uint8_t(c.totalSectors);
        sector[0x14] = uint8_t(c.totalSectors >> 8);
        for (int i = 0; i < 4; i++)
            sector[0x20 + i] = uint8_t(c.totalSectors32 >> (8 * i));
        EXPECT_EQ(DescribesHighDensityDiskette(sector), c.highDensity) << c.name;
    }
}

// Diskettes of 2,880 sectors in the other layouts that mformat makes: the
// image's BPB would misdescribe each, so none of them gets it.
TEST(WriteBootSector, RefusesEveryOtherLayoutOf2880Sectors)
{
    const struct {
        const char *options;
        bool accepted;
    } layouts[] = {
        {"", true},
        {"-c 2", false},             // 2 sectors per cluster (and 5 per FAT)
        {"-r 7", false},             // 112 root entries
        {"-d 1", false},             // one FAT
        {"-R 2", false},             // 2 reserved sectors
        {"-m 0xF9", false},          // another media descriptor
        {"-t 160 -h 2 -s 9", false}, // 9 sectors per track
        {"-t 80 -h 1 -s 36", false}, // one head
    };
    std::vector<unsigned char> image = ReadRecord("boot_sector");
    std::string formatted = ImagePath("mformat");
    for (const auto &layout : layouts) {
        SCOPED_TRACE(layout.options);
        std::remove(formatted.c_str());
        std::string command = "mformat -i '" + formatted + "' -C -f 1440 " + layout.options + " ::";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        std::vector<uint8_t> boot(kSectorBytes);
        std::FILE *file = std::fopen(formatted.c_str(), "rb");
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(std::fread(boot.data(), 1, boot.size(), file), boot.size());
        std::fclose(file);

        EmulatedDiskette drive(ImagePath("layout"), 2880);
        drive.PutSector(0, boot);
        EXPECT_EQ(WriteBootSector(drive, 'A', image.data()), layout.accepted);
        EXPECT_EQ(drive.Sector(0), layout.accepted ? image : boot);
    }
}

} // namespace
