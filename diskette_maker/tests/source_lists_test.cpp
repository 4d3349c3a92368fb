// What each product, variant and language copies from the CD, and where the
// CD root lies relative to the program.
#include <gtest/gtest.h>

#include "core/creation_plan.h"
#include "core/platform_kind.h"
#include "core/source_lists.h"
#include "fake_creation_front_end.h"

namespace {

using Paths = std::vector<std::string>;

CreationInputs Inputs(int product, bool msdos, int language,
                      const char *module = "D:\\Utility\\Floppwright.exe")
{
    return {static_cast<Language>(language),
            static_cast<Product>(product),
            msdos,
            true,
            kPlatformWin98Me,
            "A:\\",
            module};
}

struct SourceCase {
    int product;
    bool msdos;
    int language;
    Paths product_copy;
    Paths guide;
    Paths test_port;
};

const SourceCase SourceCases[] = {
    {1,
     false,
     1,
     {"D:\\HD and CD-ROM\\0009\\*.*", "D:\\HD and CD-ROM\\Drivers"},
     {"D:\\User's Guides\\HDGUIDE.DOC"},
     {"D:\\Utility\\testport.exe", "D:\\Utility\\testport.txt"}},
    {1,
     false,
     2,
     {"D:\\HD and CD-ROM\\000a\\*.*", "D:\\HD and CD-ROM\\Drivers"},
     {"D:\\User's Guides\\HDGUIDE.DOC"},
     {"D:\\Utility\\testport.exe", "D:\\Utility\\testport.txt"}},
    {1,
     false,
     3,
     {"D:\\HD and CD-ROM\\000c\\*.*", "D:\\HD and CD-ROM\\Drivers"},
     {"D:\\User's Guides\\HDGUIDE.DOC"},
     {"D:\\Utility\\testport.exe", "D:\\Utility\\testport.txt"}},
    {2,
     false,
     1,
     {"D:\\HD and CD-ROM\\0009\\*.*", "D:\\HD and CD-ROM\\Drivers"},
     {"D:\\User's Guides\\CDGUIDE.DOC"},
     {"D:\\Utility\\testport.exe", "D:\\Utility\\testport.txt"}},
    {2,
     false,
     3,
     {"D:\\HD and CD-ROM\\000c\\*.*", "D:\\HD and CD-ROM\\Drivers"},
     {"D:\\User's Guides\\CDGUIDE.DOC"},
     {"D:\\Utility\\testport.exe", "D:\\Utility\\testport.txt"}},
    // The MS-DOS files are the same in every language.
    {1,
     true,
     2,
     {"D:\\HD and CD-ROM\\MS-DOS Hard Drive\\*.*"},
     {"D:\\User's Guides\\HDGUIDE.DOC"},
     {"D:\\Utility\\testport.exe", "D:\\Utility\\testport.txt"}},
    {2,
     true,
     3,
     {"D:\\HD and CD-ROM\\MS-DOS CD-ROM\\*.*"},
     {"D:\\User's Guides\\CDGUIDE.DOC"},
     {"D:\\Utility\\testport.exe", "D:\\Utility\\testport.txt"}},
    {3, true, 1, {"D:\\Diskette Drive\\*.*"}, {"D:\\User's Guides\\QLGUIDE.DOC"}, {}},
    {3, true, 3, {"D:\\Diskette Drive\\*.*"}, {"D:\\User's Guides\\QLGUIDE.DOC"}, {}},
};

TEST(SourceLists, EachProductVariantAndLanguageCopiesItsFiles)
{
    for (const SourceCase &c : SourceCases) {
        SCOPED_TRACE("product " + std::to_string(c.product) + (c.msdos ? " MS-DOS" : " Windows") +
                     " language " + std::to_string(c.language));
        FakeCreationFrontEnd fake;
        ASSERT_EQ(RunCreation(Inputs(c.product, c.msdos, c.language), fake), kEndedFinished);

        const RecordedOperation *product = fake.Find(kStepCopyProduct);
        const RecordedOperation *guide = fake.Find(kStepCopyGuide);
        const RecordedOperation *testPort = fake.Find(kStepCopyTestPort);
        ASSERT_TRUE(product && guide);
        EXPECT_EQ(product->from, c.product_copy);
        EXPECT_EQ(guide->from, c.guide);
        if (c.test_port.empty()) {
            EXPECT_EQ(testPort, nullptr);
        } else {
            ASSERT_TRUE(testPort);
            EXPECT_EQ(testPort->from, c.test_port);
        }
        for (const RecordedOperation *copy : {product, guide, testPort}) {
            if (!copy)
                continue;
            EXPECT_EQ(copy->operation, kOperationCopy);
            EXPECT_EQ(copy->flags, 0x0010u);
            EXPECT_EQ(copy->to, Paths{"A:\\"});
        }
    }
}

TEST(SourceLists, OnlyMsdosDiskettesGetStartupFiles)
{
    struct {
        int product;
        bool msdos;
        std::vector<std::string> events;
    } cases[] = {
        {1, false, {"confirm", "op:1", "op:3", "op:4", "op:5", "note"}},
        {2, true, {"confirm", "op:1", "bootable", "startup:2", "op:3", "op:4", "op:5", "note"}},
        {3, true, {"confirm", "op:1", "bootable", "startup:3", "op:3", "op:4", "note"}},
    };
    for (const auto &c : cases) {
        FakeCreationFrontEnd fake;
        RunCreation(Inputs(c.product, c.msdos, 1), fake);
        EXPECT_EQ(fake.events, c.events) << "product " << c.product;
    }
}

TEST(CdRoot, IsTheFolderAboveTheProgramsFolder)
{
    struct {
        const char *module;
        const char *root; // null: refused
    } cases[] = {
        {"D:\\Utility\\Floppwright.exe", "D:\\"},
        {"E:\\Drivers CD\\Utility\\Floppwright.exe", "E:\\Drivers CD\\"},
        {"\\\\server\\share\\Utility\\Floppwright.exe", "\\\\server\\share\\"},
        {"D:\\Floppwright.exe", nullptr},
        {"Floppwright.exe", nullptr},
        {"", nullptr},
    };
    for (const auto &c : cases) {
        char root[kCreationPathSize] = "unchanged";
        bool ok = CdRootFromModulePath(c.module, root, sizeof root);
        if (c.root) {
            EXPECT_TRUE(ok) << c.module;
            EXPECT_STREQ(root, c.root) << c.module;
        } else {
            EXPECT_FALSE(ok) << c.module;
        }
    }
}

TEST(CdRoot, RefusesARootThatDoesNotFit)
{
    char small[4];
    EXPECT_TRUE(CdRootFromModulePath("D:\\U\\F.exe", small, sizeof small));
    EXPECT_STREQ(small, "D:\\");
    EXPECT_FALSE(CdRootFromModulePath("DD:\\U\\F.exe", small, sizeof small));
}

TEST(CdRoot, APathTooLongForTheListsTouchesNothing)
{
    std::string module = "D:\\" + std::string(240, 'x') + "\\Utility\\Floppwright.exe";
    FakeCreationFrontEnd fake;
    EXPECT_EQ(RunCreation(Inputs(2, true, 1, module.c_str()), fake), kEndedUnprepared);
    EXPECT_TRUE(fake.operations.empty());
    EXPECT_EQ(fake.events, std::vector<std::string>{"confirm"});
}

} // namespace
