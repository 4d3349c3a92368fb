#include "core/drive_warning.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Format(const std::string &format, const char *root, std::size_t size = 260)
{
    std::string out(size + 8, '#');
    FormatDriveWarning(format.c_str(), root, &out[0], size);
    if (size == 0)
        return out.substr(0, 8);
    return out.c_str();
}

TEST(DriveWarning, FormatsLikeTheSystemForTheShippedConversions)
{
    const struct {
        const char *format;
        const char *expected;
    } cases[] = {
        {"drive %.2s will", "drive A: will"},
        {"unidad %.1s .", "unidad A ."},
        {"root %s!", "root A:\\!"},
        {"100%% sure %.2s", "100% sure A:"},
        {"%.0s|", "|"},
        {"%.12s", "A:\\"},
        {"no conversion", "no conversion"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Format(c.format, "A:\\"), c.expected) << c.format;
}

// A translator's slip must not make the formatter read arguments that were
// never passed: only the first text conversion takes the root.
TEST(DriveWarning, FurtherAndUnknownConversionsStayAsText)
{
    const struct {
        const char *format;
        const char *expected;
    } cases[] = {
        {"%s and %s", "A:\\ and %s"},
        {"%d %.2s", "%d A:"},
        {"%.2s %n %x", "A: %n %x"},
        {"%.s", "%.s"},
        {"50%", "50%"},
        {"%.99999999999999999999s", "A:\\"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Format(c.format, "A:\\"), c.expected) << c.format;
}

TEST(DriveWarning, NeverWritesBeyondTheBuffer)
{
    EXPECT_EQ(Format("Warning! %.2s deleted", "A:\\", 12), "Warning! A:");
    EXPECT_EQ(Format("%.2s", "A:\\", 2), "A");
    EXPECT_EQ(Format(std::string(400, 'x'), "A:\\"), std::string(259, 'x'));
    EXPECT_EQ(Format("abc", "A:\\", 0), "########") << "nothing written to an empty buffer";
    EXPECT_EQ(Format("root %s", nullptr), "root ");
}

} // namespace
