#include <gtest/gtest.h>

#include <cstring>

#include "common/core/text_builder.h"

namespace {

TEST(TextBuilder, CutAtLastBackslash)
{
    const struct {
        const char *path, *cut;
    } cases[] = {
        {"D:\\Utility\\Lingpick .exe", "D:\\Utility"},
        {"D:\\Utility", "D:"},
        {"D:", "D:"},
        {"D:\\", "D:"},
        {"Lingpick .exe", "Lingpick .exe"},
        {"", ""},
    };
    for (auto c : cases) {
        char path[260];
        TextBuilder b(path, sizeof path);
        EXPECT_TRUE(b.Add(c.path).CutAtLast('\\').Finish());
        EXPECT_STREQ(c.cut, path) << c.path;
    }
}

} // namespace
