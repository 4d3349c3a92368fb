#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "record_files.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Reads an `xxd` dump back into bytes.
Bytes ReadXxd(const std::string &path)
{
    std::ifstream in(path);
    Bytes bytes;
    std::string line;
    while (std::getline(in, line)) {
        size_t colon = line.find(": ");
        if (colon == std::string::npos)
            continue;
        std::string hex = line.substr(colon + 2, 39);
        std::string digits;
        for (char c : hex)
            if (c != ' ')
                digits += c;
        for (size_t i = 0; i + 1 < digits.size(); i += 2)
            bytes.push_back(
                static_cast<unsigned char>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

struct StartupBlock {
    const char *record;
    const char *writtenAs;
};

const StartupBlock kStartupBlocks[] = {
    {"config_hard_drive", "CONFIG.SYS of the hard drive (110)"},
    {"config_cdrom", "CONFIG.SYS of the CD-ROM drive (107)"},
    {"config_diskette", "CONFIG.SYS of the diskette drive (111)"},
    {"autoexec_cdrom", "AUTOEXEC.BAT of the CD-ROM drive (108)"},
};

TEST(StartupBlocks, MatchTheirGoldenDumpsByteForByte)
{
    for (const StartupBlock &block : kStartupBlocks) {
        Bytes built = ReadRecord(block.record);
        Bytes golden = ReadXxd(std::string(DM_GOLDEN_DIR) + "/" + block.record + ".xxd");
        ASSERT_EQ(golden.size(), 48u) << block.writtenAs;
        ASSERT_EQ(built.size(), 48u) << block.writtenAs;
        for (size_t i = 0; i < 48; i++)
            EXPECT_EQ(built[i], golden[i]) << block.writtenAs << " at byte " << i;
    }
}

TEST(StartupBlocks, LineEndsAreCrLf)
{
    // No bare LF may slip in through an editor or a text-mode tool.
    for (const StartupBlock &block : kStartupBlocks) {
        Bytes built = ReadRecord(block.record);
        for (size_t i = 0; i < built.size(); i++) {
            if (built[i] == '\n') {
                EXPECT_TRUE(i > 0 && built[i - 1] == '\r') << block.writtenAs << " at byte " << i;
            }
        }
    }
}

// The resource script names each block by a symbol of resource.h; a slip
// there would hand the hard drive's diskette the CD-ROM driver.
TEST(RecordsScript, EachIdNamesItsBlock)
{
    std::map<std::string, int> ids;
    std::ifstream header(std::string(DM_SOURCE_DIR) + "/resource.h");
    std::string line;
    while (std::getline(header, line)) {
        std::istringstream words(line);
        std::string define, name;
        int value;
        if (words >> define >> name >> value && define == "#define")
            ids[name] = value;
    }
    std::map<int, std::string> blocks;
    std::ifstream script(std::string(DM_SOURCE_DIR) + "/records.rc");
    while (std::getline(script, line)) {
        std::istringstream words(line);
        std::string name, type, file;
        if (words >> name >> type >> file && type == "RECORD" && ids.count(name))
            blocks[ids[name]] = file;
    }
    const std::map<int, std::string> expected = {
        {107, "\"config_cdrom.bin\""},    {108, "\"autoexec_cdrom.bin\""},
        {109, "\"boot_sector.bin\""},     {110, "\"config_hard_drive.bin\""},
        {111, "\"config_diskette.bin\""},
    };
    EXPECT_EQ(blocks, expected);
}

// --- The boot sector, field by field ------------------------------------

class BootSectorImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        image = ReadRecord("boot_sector");
        ASSERT_EQ(image.size(), 512u);
    }
    uint32_t Field(size_t offset, size_t size) const
    {
        uint32_t value = 0;
        for (size_t i = size; i-- > 0;)
            value = value << 8 | image[offset + i];
        return value;
    }
    std::string Text(size_t offset, size_t size) const
    {
        return std::string(reinterpret_cast<const char *>(&image[offset]), size);
    }
    Bytes image;
};

struct BpbField {
    const char *name;
    size_t offset, size;
    uint32_t value;
};

const BpbField kBpbFields[] = {
    {"jump", 0x000, 3, 0x903CEB},
    {"bytes per sector", 0x00B, 2, 512},
    {"sectors per cluster", 0x00D, 1, 1},
    {"reserved sectors", 0x00E, 2, 1},
    {"FATs", 0x010, 1, 2},
    {"root entries", 0x011, 2, 224},
    {"total sectors", 0x013, 2, 2880},
    {"media descriptor", 0x015, 1, 0xF0},
    {"sectors per FAT", 0x016, 2, 9},
    {"sectors per track", 0x018, 2, 18},
    {"heads", 0x01A, 2, 2},
    {"hidden sectors", 0x01C, 4, 0},
    {"total sectors, 32-bit", 0x020, 4, 0},
    {"BIOS drive", 0x024, 1, 0},
    {"reserved", 0x025, 1, 0},
    {"extended signature", 0x026, 1, 0x29},
    {"serial number", 0x027, 4, 0x293260C1},
    {"boot signature", 0x1FE, 2, 0xAA55},
};

TEST_F(BootSectorImage, BpbFields)
{
    for (const BpbField &f : kBpbFields)
        EXPECT_EQ(Field(f.offset, f.size), f.value) << f.name;
}

struct TextField {
    const char *name;
    size_t offset;
    std::string bytes;
};

const TextField kTextFields[] = {
    {"OEM name", 0x003, std::string("\x29\x4C\x3E\x28\x22\x49\x48\x43", 8)},
    {"volume label", 0x02B, std::string(11, ' ')},
    {"file-system type", 0x036, "FAT12   "},
    {"missing system file", 0x183, std::string("\r\nInvalid system disk\xFF", 22)},
    {"read error", 0x199, std::string("\r\nDisk I/O error\xFF", 17)},
    {"replace", 0x1AA, std::string("\r\nReplace the disk, and then press any key\r\n\0\0", 46)},
    {"system file", 0x1D8, "IO      SYS"},
    {"second system file", 0x1E3, "MSDOS   SYS"},
};

TEST_F(BootSectorImage, TextsAndNames)
{
    for (const TextField &f : kTextFields)
        EXPECT_EQ(Text(f.offset, f.bytes.size()), f.bytes) << f.name;
}

TEST_F(BootSectorImage, JumpLandsOnCodeBeforeTheTexts)
{
    size_t target = 2 + image[1];
    EXPECT_EQ(target, 0x03Eu);
    // The first instruction is real code, not padding.
    EXPECT_NE(image[target], 0x00);
    size_t codeBytes = 0;
    for (size_t i = 0x03E; i < 0x183; i++)
        codeBytes += image[i] != 0;
    EXPECT_GT(codeBytes, 100u);
}

} // namespace
