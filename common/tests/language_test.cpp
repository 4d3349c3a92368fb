#include <gtest/gtest.h>

#include "common/core/system_language.h"

namespace {

TEST(SystemLanguage, FromTheLanguageId)
{
    struct {
        unsigned langId;
        int language;
    } cases[] = {
        {0x0409, 1}, {0x0809, 1}, {0x0C0A, 2}, {0x040A, 2}, {0x080A, 2}, {0x040C, 3},
        {0x0C0C, 3}, {0x0407, 1}, {0x0000, 1}, {0x0416, 1}, {0xFC0A, 2}, {0x0400 | 0x0C, 3},
    };
    for (const auto &c : cases)
        EXPECT_EQ(LanguageFromSystem(c.langId), c.language) << std::hex << c.langId;
}

} // namespace
