#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/path_list.h"

namespace {

// A list buffer with guard bytes behind its capacity, so that a write past
// the end shows up as a changed guard rather than only under ASan.
struct ListBuffer {
    enum { Guard = 8 };
    explicit ListBuffer(size_t capacity) : capacity(capacity), bytes(capacity + Guard, '\0')
    {
        memset(&bytes[capacity], 0x5A, Guard);
    }
    char *data() { return &bytes[0]; }
    bool GuardIntact() const
    {
        for (size_t i = capacity; i < bytes.size(); i++)
            if (bytes[i] != 0x5A)
                return false;
        return true;
    }
    size_t capacity;
    std::string bytes;
};

struct AppendCase {
    const char *name;
    size_t capacity;
    const char *existing[3]; // entries already in the list
    const char *path;
    size_t expected; // bytes occupied afterwards, 0 = refused
};

const AppendCase kAppendCases[] = {
    {"EmptyListTakesOnePath", 12, {}, "A:\\", 5},
    {"TwelveBytesTakeSixMore", 12, {"A:\\"}, "ABCDEF", 12},
    {"TwelveBytesRefuseSeven", 12, {"A:\\"}, "ABCDEFG", 0},
    {"TwelveBytesTakeFive", 12, {"A:\\"}, "ABCDE", 11},
    {"ExactFitFromEmpty", 5, {}, "ABC", 5},
    {"OneByteShortFromEmpty", 4, {}, "ABC", 0},
    {"SecondAndThirdEntries", 64, {"C:\\IO.SYS", "C:\\X"}, "C:\\COMMAND.COM", 31},
    {"EmptyPathWouldEndTheList", 12, {"A:\\"}, "", 0},
    {"CapacityOfOne", 1, {}, "A", 0},
    {"PathLongerThanCapacity", 8, {}, "ABCDEFGHIJKLMNOP", 0},
};

class AppendToPathListTest : public ::testing::TestWithParam<AppendCase> {};

TEST_P(AppendToPathListTest, OccupiesOrRefuses)
{
    const AppendCase &c = GetParam();
    ListBuffer list(c.capacity);
    for (const char *entry : c.existing) {
        if (entry) {
            ASSERT_NE(AppendToPathList(list.data(), entry, c.capacity), 0u);
        }
    }
    std::string before = list.bytes;

    EXPECT_EQ(AppendToPathList(list.data(), c.path, c.capacity), c.expected);
    EXPECT_TRUE(list.GuardIntact());
    if (c.expected == 0) {
        EXPECT_EQ(list.bytes, before) << "a refused list must stay as it was";
        return;
    }
    EXPECT_EQ(PathListBytes(list.data(), c.capacity), c.expected);
    // The new path is the last entry, followed by its NUL and the closing NUL.
    size_t length = strlen(c.path);
    EXPECT_EQ(std::string(list.data() + c.expected - length - 2, length), c.path);
    EXPECT_EQ(list.bytes[c.expected - 2], '\0');
    EXPECT_EQ(list.bytes[c.expected - 1], '\0');
}

INSTANTIATE_TEST_SUITE_P(Capacity, AppendToPathListTest, ::testing::ValuesIn(kAppendCases),
                         [](const ::testing::TestParamInfo<AppendCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(PathListBytes, EmptyListIsOneNul)
{
    char list[8] = {};
    EXPECT_EQ(PathListBytes(list, sizeof list), 1u);
}

TEST(PathListBytes, ListWithoutClosingNulIsMalformed)
{
    char list[4] = {'A', ':', '\\', 'X'};
    EXPECT_EQ(PathListBytes(list, sizeof list), 0u);
    EXPECT_EQ(AppendToPathList(list, "B", sizeof list), 0u);
    char entryFillsIt[4] = {'A', ':', '\\', '\0'}; // entry NUL but no closing NUL
    EXPECT_EQ(PathListBytes(entryFillsIt, sizeof entryFillsIt), 0u);
    EXPECT_EQ(AppendToPathList(entryFillsIt, "B", sizeof entryFillsIt), 0u);
}

// The saved system files and their temporary copies go back entry for entry,
// so a path that fits one list but not its partner must enter neither.
struct PairCase {
    const char *name;
    size_t firstCapacity, secondCapacity;
    const char *firstPath, *secondPath;
    bool added;
};

const PairCase kPairCases[] = {
    {"BothFit", 128, 520, "A:\\IO.SYS", "C:\\TEMP\\IO.SYS", true},
    {"FirstFull", 8, 520, "A:\\IO.SYS", "C:\\TEMP\\IO.SYS", false},
    {"SecondFull", 128, 12, "A:\\IO.SYS", "C:\\TEMP\\IO.SYS", false},
    {"BothFull", 4, 4, "A:\\IO.SYS", "C:\\TEMP\\IO.SYS", false},
};

class AppendPairTest : public ::testing::TestWithParam<PairCase> {};

TEST_P(AppendPairTest, BothOrNeither)
{
    const PairCase &c = GetParam();
    ListBuffer first(c.firstCapacity), second(c.secondCapacity);
    EXPECT_EQ(AppendToPathListPair(first.data(), c.firstPath, c.firstCapacity, second.data(),
                                   c.secondPath, c.secondCapacity),
              c.added);
    EXPECT_EQ(first.data()[0] != '\0', c.added);
    EXPECT_EQ(second.data()[0] != '\0', c.added);
    EXPECT_TRUE(first.GuardIntact());
    EXPECT_TRUE(second.GuardIntact());
}

INSTANTIATE_TEST_SUITE_P(Alignment, AppendPairTest, ::testing::ValuesIn(kPairCases),
                         [](const ::testing::TestParamInfo<PairCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(AppendPair, FillingUpKeepsTheListsAligned)
{
    // The 520-byte side fills first with a long temporary folder; from then
    // on neither list may grow.
    const char *names[] = {"IBMDOS.COM", "IBMBIO.COM", "MSDOS.SYS", "IO.SYS", "COMMAND.COM"};
    std::string temp = "C:\\" + std::string(180, 'T') + "\\";
    char disk[128] = {}, saved[520] = {};
    int added = 0;
    for (const char *name : names) {
        std::string diskPath = std::string("A:\\") + name;
        std::string tempPath = temp + name;
        if (AppendToPathListPair(disk, diskPath.c_str(), sizeof disk, saved, tempPath.c_str(),
                                 sizeof saved))
            added++;
    }
    EXPECT_EQ(added, 2);
    auto count = [](const char *list) {
        int n = 0;
        for (const char *p = list; *p; p += strlen(p) + 1)
            n++;
        return n;
    };
    EXPECT_EQ(count(disk), added);
    EXPECT_EQ(count(saved), added);
}

} // namespace
