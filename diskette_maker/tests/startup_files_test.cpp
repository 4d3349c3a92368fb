#include <gtest/gtest.h>

#include <string>

#include "core/platform_kind.h"
#include "core/run_settings.h"
#include "core/startup_files.h"
#include "resource.h"

namespace {

struct ProductCase {
    Product product;
    int configRecord;
    bool autoexec;
};

const ProductCase kProducts[] = {
    {kProductHardDrive, IDR_CONFIG_HARD_DRIVE, false},
    {kProductCdromDrive, IDR_CONFIG_CDROM, true},
    {kProductDisketteDrive, IDR_CONFIG_DISKETTE, false},
    {kProductNone, 0, false},
    {kProductCancelled, 0, false},
    {static_cast<Product>(4), 0, false},
};

TEST(StartupFiles, BlocksByProduct)
{
    for (const ProductCase &c : kProducts) {
        EXPECT_EQ(ConfigRecordFor(c.product), c.configRecord) << "product " << c.product;
        EXPECT_EQ(WritesAutoexec(c.product), c.autoexec) << "product " << c.product;
    }
}

TEST(StartupFiles, BootableStepByPlatformAndOption)
{
    struct Case {
        int kind;
        uint32_t option;
        bool applies;
    };
    const Case cases[] = {
        {kPlatformNtLater, 1, false}, {kPlatformNtLater, 0, false}, {kPlatformWin98Me, 1, true},
        {kPlatformWin98Me, 0, false}, {kPlatformWin95, 1, true},    {kPlatformWin95, 0, false},
        {kPlatformNt4, 1, true},      {kPlatformNt4, 0, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(BootableStepApplies(c.kind, c.option), c.applies) << c.kind << "/" << c.option;
}

struct SourceCase {
    const char *name;
    std::string windowsDir;
    size_t capacity;
    bool built;
    std::string list; // whole list, closing NUL included
};

std::string List(std::initializer_list<std::string> paths)
{
    std::string list;
    for (const std::string &p : paths)
        list += p + '\0';
    return list + '\0';
}

// COMMAND.COM makes the longer path: 259 characters and its NUL fill MAX_PATH.
const std::string kLongDir = "C:\\" + std::string(232, 'W');
const std::string kTooLongDir = "C:\\" + std::string(233, 'W');

const SourceCase kSourceCases[] = {
    {"Windows", "C:\\WINDOWS", 520, true,
     List({"C:\\WINDOWS\\Command\\Ebd\\IO.SYS", "C:\\WINDOWS\\Command\\Ebd\\COMMAND.COM"})},
    {"WindowsInDriveRoot", "C:\\", 520, true,
     List({"C:\\Command\\Ebd\\IO.SYS", "C:\\Command\\Ebd\\COMMAND.COM"})},
    {"LongestThatFits", kLongDir, 520, true,
     List({kLongDir + "\\Command\\Ebd\\IO.SYS", kLongDir + "\\Command\\Ebd\\COMMAND.COM"})},
    {"PathBeyondMaxPath", kTooLongDir, 520, false, std::string(1, '\0')},
    {"ListTooSmall", "C:\\WINDOWS", 60, false, std::string(1, '\0')},
    {"ListExactlyBigEnough", "C:\\WINDOWS", 67, true,
     List({"C:\\WINDOWS\\Command\\Ebd\\IO.SYS", "C:\\WINDOWS\\Command\\Ebd\\COMMAND.COM"})},
};

TEST(StartupFiles, SystemFileSources)
{
    for (const SourceCase &c : kSourceCases) {
        std::string buffer(c.capacity, '\0');
        EXPECT_EQ(BuildSystemFileSources(c.windowsDir.c_str(), &buffer[0], c.capacity), c.built)
            << c.name;
        EXPECT_EQ(buffer.substr(0, c.list.size()), c.list) << c.name;
    }
}

} // namespace
