// The -image option beside the menu's language codes: what the language
// search goes on to see, and which path the image is written to.
#include <gtest/gtest.h>

#include <string>

#include "core/image_option.h"
#include "core/window_rules.h"

namespace {

TEST(ImageOption, TakenOutBeforeTheLanguageSearch)
{
    struct {
        const char *tail;
        bool present;
        const char *path;
        int language; // what the search finds in the rest, English by default
    } cases[] = {
        {" -000a", false, "", 2},
        {"-image C:\\0009\\x.img -000c", true, "C:\\0009\\x.img", 3},
        {"-000c -image \"C:\\My Images\\000a.img\"", true, "C:\\My Images\\000a.img", 3},
        {"-image \"C:\\0009 and 000a\\x.img\"", true, "C:\\0009 and 000a\\x.img", 1},
        {"-IMAGE -000a", true, "", 2},
        {"-000a -image", true, "", 2},
        {"-images C:\\0009.img", false, "", 1},
        {"x-image C:\\000c.img", false, "", 3},
        {"-image \"C:\\000c unterminated", true, "C:\\000c unterminated", 1},
    };
    for (const auto &c : cases) {
        ImageOption option;
        char rest[kCommandLineCopySize], lowered[kCommandLineCopySize];
        TakeImageOption(c.tail, option, rest, sizeof rest);
        CopyLoweredCommandLine(lowered, sizeof lowered, rest);
        EXPECT_EQ(option.present, c.present) << c.tail;
        EXPECT_STREQ(option.path, c.path) << c.tail;
        EXPECT_EQ(LanguageFromCommandLine(lowered, CodeOrder::kFirstFoundWins, 1), c.language)
            << c.tail;
    }
}

// A path longer than the buffer is dropped, not cut: the user is asked
// instead of an image landing somewhere else. The rest stays bounded.
TEST(ImageOption, OverlongPathAndTailStayBounded)
{
    std::string tail =
        "-image C:\\" + std::string(400, 'a') + ".img " + std::string(400, 'b') + " -000c";
    ImageOption option;
    char rest[16];
    TakeImageOption(tail.c_str(), option, rest, sizeof rest);
    EXPECT_TRUE(option.present);
    EXPECT_STREQ(option.path, "");
    EXPECT_EQ(std::string(rest), "  " + std::string(13, 'b'));
}

} // namespace
