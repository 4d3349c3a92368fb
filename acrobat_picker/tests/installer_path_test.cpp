#include "core/installer_path.h"

#include <gtest/gtest.h>

#include <string.h>
#include <string>

namespace {

TEST(InstallerPath, InstallerForEachResult)
{
    const struct {
        intptr_t result;
        const char *path;
    } cases[] = {
        {9, "English\\ar500enu.exe"},
        {10, "Espa\xF1ol\\ar405esl.exe"},
        {12,
         "Fran\xE7"
         "ais\\ar500fra.exe"},
        {-1, nullptr},
        {0, nullptr},
        {1, nullptr},
        {7, nullptr},
        {11, nullptr},
        {0x11, nullptr},
        {0x409, nullptr},
        {0x10009, nullptr},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.result);
        EXPECT_STREQ(c.path, InstallerForResult(c.result));
    }
}

// The folders must be the code page 1252 bytes of the CD's names, or the
// installers are not found on a Western Windows.
TEST(InstallerPath, FolderNamesAreCodePage1252)
{
    const unsigned char spanish[] = {'E', 's', 'p', 'a', 0xF1, 'o', 'l', '\\'};
    const unsigned char french[] = {'F', 'r', 'a', 'n', 0xE7, 'a', 'i', 's', '\\'};
    ASSERT_EQ(strlen(InstallerForResult(10)), 8 + strlen("ar405esl.exe"));
    EXPECT_EQ(0, memcmp(InstallerForResult(10), spanish, sizeof spanish));
    ASSERT_EQ(strlen(InstallerForResult(12)), 9 + strlen("ar500fra.exe"));
    EXPECT_EQ(0, memcmp(InstallerForResult(12), french, sizeof french));
}

TEST(InstallerPath, AcrobatFolderIsASiblingOfTheProgramsFolder)
{
    const struct {
        const char *module, *folder;
    } cases[] = {
        {"D:\\Utility\\Lingpick .exe", "D:\\Acrobat\\"},
        {"D:\\Lingpick .exe", "D:\\Acrobat\\"}, // at the root
        {"C:\\cds\\quellorn\\Utility\\Lingpick .exe", "C:\\cds\\quellorn\\Acrobat\\"},
        {"\\\\server\\cd\\Utility\\Lingpick .exe", "\\\\server\\cd\\Acrobat\\"},
        {"Lingpick .exe", "Lingpick .exe\\Acrobat\\"}, // no backslash at all
    };
    for (auto c : cases) {
        char folder[kPathSize];
        ASSERT_TRUE(AcrobatFolder(c.module, folder, sizeof folder)) << c.module;
        EXPECT_STREQ(c.folder, folder);
    }
}

TEST(InstallerPath, FullPathsFromUtility)
{
    const struct {
        intptr_t result;
        const char *path;
    } cases[] = {
        {9, "D:\\Acrobat\\English\\ar500enu.exe"},
        {10, "D:\\Acrobat\\Espa\xF1ol\\ar405esl.exe"},
        {12,
         "D:\\Acrobat\\Fran\xE7"
         "ais\\ar500fra.exe"},
    };
    char folder[kPathSize];
    ASSERT_TRUE(AcrobatFolder("D:\\Utility\\Lingpick .exe", folder, sizeof folder));
    for (auto c : cases) {
        char path[kPathSize];
        EXPECT_TRUE(InstallerPath(folder, c.result, path, sizeof path));
        EXPECT_STREQ(c.path, path);
    }
}

TEST(InstallerPath, NoInstallerLeavesNothingToStart)
{
    for (intptr_t result : {intptr_t(-1), intptr_t(0), intptr_t(7), intptr_t(0x11)}) {
        char path[kPathSize] = "stale";
        EXPECT_FALSE(InstallerPath("D:\\Acrobat\\", result, path, sizeof path));
        EXPECT_STREQ("", path);
    }
}

// A path that does not fit is refused whole, never started cut short.
TEST(InstallerPath, OverlongPathsAreRefused)
{
    const std::string installer = "English\\ar500enu.exe";
    struct Case {
        size_t folderLength;
        bool fits;
    };
    const Case cases[] = {
        {kPathSize - 1 - installer.size(), true}, // exactly 259 chars
        {kPathSize - installer.size(), false},    // one too many
        {kPathSize - 1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.folderLength);
        std::string folder(c.folderLength - 1, 'f');
        folder += '\\';
        char path[kPathSize];
        EXPECT_EQ(c.fits, InstallerPath(folder.c_str(), 9, path, sizeof path));
        EXPECT_EQ(c.fits ? folder + installer : std::string(), path);
    }

    // The module path itself: room for the folder, "\Acrobat\" or neither.
    const struct {
        size_t moduleLength;
        bool fits;
    } modules[] = {
        {50, true},
        {kPathSize - 1, true}, // cut twice, then it fits
        {kPathSize, false},    // more than the buffer holds
        {400, false},
    };
    for (auto m : modules) {
        SCOPED_TRACE(m.moduleLength);
        std::string module =
            "D:\\" + std::string(m.moduleLength - 3 - 22, 'd') + "\\Utility\\Lingpick .exe";
        ASSERT_EQ(m.moduleLength, module.size());
        char folder[kPathSize];
        EXPECT_EQ(m.fits, AcrobatFolder(module.c_str(), folder, sizeof folder));
        if (!m.fits) {
            EXPECT_STREQ("", folder);
        }
    }

    // The cut path fits but "\Acrobat\" does not.
    std::string deep = std::string(kPathSize - 5, 'd') + "\\U\\L";
    char folder[kPathSize];
    EXPECT_FALSE(AcrobatFolder(deep.c_str(), folder, sizeof folder));
    EXPECT_STREQ("", folder);
}

} // namespace
