#include "standin/standin_kind.h"

#include <gtest/gtest.h>

#include <set>

TEST(StandIn, KindFollowsThePlaceOnTheCd)
{
    struct Case {
        const char *path;
        StandInKind kind;
    };
    const Case cases[] = {
        {"D:\\HD and CD-ROM\\0009\\Setup.exe", kStandInDrivesEnglish},
        {"D:\\HD and CD-ROM\\000A\\Setup.exe", kStandInDrivesSpanish},
        {"d:\\hd and cd-rom\\000c\\SETUP.EXE", kStandInDrivesFrench},
        {"Z:/work/build/cd/HD and CD-ROM/000C/Setup.exe", kStandInDrivesFrench},
        {"D:\\Diskette Drive\\Setup.exe", kStandInDisketteDrive},
        {"D:\\Acrobat\\English\\ar500enu.exe", kStandInReaderEnglish},
        {"D:\\Acrobat\\Espa\xf1ol\\ar405esl.exe", kStandInReaderSpanish},
        {"D:\\Acrobat\\Fran\xc3\xa7"
         "ais\\ar500fra.exe",
         kStandInReaderFrench},
        {"D:\\Utility\\testport.exe", kStandInPortTest},
        // Near misses stay unknown rather than claiming the wrong product.
        {"D:\\HD and CD-ROM\\000B\\Setup.exe", kStandInUnknown},
        {"D:\\HD and CD-ROM\\0009\\Setup.exe.bak", kStandInUnknown},
        {"D:\\Setup.exe", kStandInUnknown},
        {"ar500enu.exe", kStandInUnknown}, // no folder at all
        {"", kStandInUnknown},
        {nullptr, kStandInUnknown},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ClassifyStandIn(c.path), c.kind) << (c.path ? c.path : "(null)");
}

TEST(StandIn, EveryKindHasItsOwnStrings)
{
    std::set<int> ids;
    for (int k = 0; k < kStandInKindCount; ++k) {
        ids.insert(StandInCaptionId(static_cast<StandInKind>(k)));
        ids.insert(StandInMessageId(static_cast<StandInKind>(k)));
    }
    EXPECT_EQ(ids.size(), 2u * kStandInKindCount);
}
