// The window's decisions: language, command line, controls after the
// product choice and after each click, and the system-menu item.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/window_rules.h"
#include "resource.h"

namespace {

TEST(WindowLanguage, CommandLineOverridesInItsOrder)
{
    struct {
        const char *commandLine; // as passed to the entry
        int system;
        int language;
    } cases[] = {
        {"", 1, 1},
        {"", 3, 3},
        {" -000a", 1, 2},
        {"-000C", 1, 3}, // lowered first
        {"-000A", 3, 2},
        {"-0009 -000c", 3, 1}, // 0009 is tested first
        {"-000a -000c", 1, 3}, // then 000c
        {"-0009", 2, 1},
        {"x000ay", 1, 2}, // anywhere, with or without the dash
        {"-000b", 2, 2},
        {"-00 09", 3, 3},
        {"-0007", 1, 1},
    };
    for (const auto &c : cases) {
        char copy[kCommandLineCopySize];
        CopyLoweredCommandLine(copy, sizeof copy, c.commandLine);
        EXPECT_EQ(LanguageFromCommandLine(copy, CodeOrder::kFirstFoundWins, c.system), c.language)
            << c.commandLine;
    }
}

TEST(WindowCommandLine, CopyIsLoweredAndBounded)
{
    char copy[kCommandLineCopySize];
    CopyLoweredCommandLine(copy, sizeof copy, "\"D:\\Utility\\FLOPPWRIGHT.EXE\" -000C ÀÉ");
    EXPECT_STREQ(copy, "\"d:\\utility\\floppwright.exe\" -000c ÀÉ");

    // 10 KB of command line: the copy keeps 259 characters and its NUL, and
    // nothing beyond it is written.
    std::string huge(10 * 1024, 'X');
    huge.replace(100, 5, "-000A");
    huge.replace(5000, 5, "-0009");
    std::vector<char> buffer(kCommandLineCopySize + 16, '#');
    CopyLoweredCommandLine(buffer.data(), kCommandLineCopySize, huge.c_str());
    EXPECT_EQ(std::string(buffer.data()).size(), kCommandLineCopySize - 1u);
    for (size_t i = kCommandLineCopySize; i < buffer.size(); i++)
        EXPECT_EQ(buffer[i], '#') << i;
    EXPECT_EQ(LanguageFromCommandLine(buffer.data(), CodeOrder::kFirstFoundWins, 3), 2);

    CopyLoweredCommandLine(copy, sizeof copy, nullptr);
    EXPECT_STREQ(copy, "");
    char tiny[1] = {'#'};
    CopyLoweredCommandLine(tiny, sizeof tiny, "-000a");
    EXPECT_EQ(tiny[0], '\0');
}

TEST(WindowLanguage, ButtonsAndLanguagesMatch)
{
    struct {
        int language;
        int button;
    } cases[] = {{1, IDC_LANG_ENGLISH}, {2, IDC_LANG_SPANISH}, {3, IDC_LANG_FRENCH}};
    for (const auto &c : cases) {
        EXPECT_EQ(LanguageButton(c.language), c.button);
        EXPECT_EQ(LanguageOfButton(c.button), c.language);
    }
    EXPECT_EQ(LanguageOfButton(IDC_VARIANT_WINDOWS), 0);
}

using Changes = std::vector<std::pair<int, ControlAction>>;

Changes ToVector(ControlChanges changes)
{
    Changes out;
    for (size_t i = 0; i < changes.count; i++)
        out.push_back({changes.changes[i].control, changes.changes[i].action});
    return out;
}

TEST(WindowControls, AfterTheProductChoice)
{
    const Changes languageGroup = {{IDC_LANG_GROUP, kShowControl},
                                   {IDC_LANG_ENGLISH, kShowControl},
                                   {IDC_LANG_SPANISH, kShowControl},
                                   {IDC_LANG_FRENCH, kShowControl}};
    const Changes disketteDrive = {{IDC_VARIANT_GROUP, kHideControl},
                                   {IDC_VARIANT_WINDOWS, kHideControl},
                                   {IDC_VARIANT_WINDOWS, kUncheckControl},
                                   {IDC_VARIANT_MSDOS, kHideControl},
                                   {IDC_VARIANT_MSDOS, kCheckControl}};
    EXPECT_EQ(ToVector(ControlsAfterProduct(kProductHardDrive)), languageGroup);
    EXPECT_EQ(ToVector(ControlsAfterProduct(kProductCdromDrive)), languageGroup);
    EXPECT_EQ(ToVector(ControlsAfterProduct(kProductDisketteDrive)), disketteDrive);
}

TEST(WindowControls, AfterEachClick)
{
    const Changes enable = {{IDC_LANG_FRENCH, kEnableControl},
                            {IDC_LANG_SPANISH, kEnableControl},
                            {IDC_LANG_ENGLISH, kEnableControl},
                            {IDC_LANG_GROUP, kEnableControl}};
    const Changes gray = {{IDC_LANG_FRENCH, kDisableControl},
                          {IDC_LANG_SPANISH, kDisableControl},
                          {IDC_LANG_ENGLISH, kDisableControl},
                          {IDC_LANG_GROUP, kDisableControl}};
    const int Clicked = 0, DoubleClicked = 5;
    struct {
        int control;
        int notify;
        bool checked;
        MainCommandKind kind;
        int language;
        Changes changes;
    } cases[] = {
        {IDC_COPY, Clicked, false, kCommandCopy, 0, {}},
        {IDC_CANCEL, Clicked, false, kCommandCancel, 0, {}},
        {IDC_LANG_ENGLISH, Clicked, true, kCommandChoice, 1, {}},
        {IDC_LANG_SPANISH, Clicked, true, kCommandChoice, 2, {}},
        {IDC_LANG_FRENCH, Clicked, true, kCommandChoice, 3, {}},
        {IDC_LANG_SPANISH, Clicked, false, kCommandChoice, 0, {}},
        {IDC_VARIANT_WINDOWS, Clicked, true, kCommandChoice, 0, enable},
        {IDC_VARIANT_WINDOWS, DoubleClicked, true, kCommandChoice, 0, {}},
        {IDC_VARIANT_WINDOWS, Clicked, false, kCommandChoice, 0, {}},
        {IDC_VARIANT_MSDOS, Clicked, true, kCommandChoice, 0, gray},
        {IDC_VARIANT_MSDOS, DoubleClicked, true, kCommandChoice, 0, gray},
        {IDC_VARIANT_MSDOS, Clicked, false, kCommandChoice, 0, {}},
        {2, Clicked, false, kCommandNone, 0, {}}, // Escape: nothing
        {1, Clicked, false, kCommandNone, 0, {}},
    };
    for (const auto &c : cases) {
        MainCommand command = DecideMainCommand(c.control, c.notify, c.checked);
        EXPECT_EQ(command.kind, c.kind) << c.control;
        EXPECT_EQ(command.language, c.language) << c.control;
        EXPECT_EQ(ToVector(command.changes), c.changes) << c.control;
    }
}

TEST(WindowControls, CopyLocksEveryChoice)
{
    Changes locked = ToVector(ControlsDuringCreation());
    std::vector<int> controls;
    for (const auto &change : locked) {
        EXPECT_EQ(change.second, kDisableControl);
        controls.push_back(change.first);
    }
    EXPECT_EQ(controls,
              (std::vector<int>{IDC_COPY, IDC_CANCEL, IDC_LANG_FRENCH, IDC_LANG_SPANISH,
                                IDC_LANG_ENGLISH, IDC_VARIANT_WINDOWS, IDC_VARIANT_MSDOS}));
}

TEST(WindowTexts, EachControlCarriesItsString)
{
    using Targets = std::vector<std::pair<int, int>>;
    auto toVector = [](TextTargets texts) {
        Targets out;
        for (size_t i = 0; i < texts.count; i++)
            out.push_back({texts.targets[i].control, texts.targets[i].stringBase});
        return out;
    };
    EXPECT_EQ(toVector(MainWindowTexts()),
              (Targets{{1000, 99},
                       {1002, 9},
                       {1003, 19},
                       {1013, 39},
                       {kCaptionTarget, 39},
                       {1016, 49},
                       {1020, 299}}));
    EXPECT_EQ(toVector(ProductDialogTexts()),
              (Targets{{1021, 399},
                       {2, 19},
                       {1, 29},
                       {1024, 599},
                       {1022, 602},
                       {1023, 605},
                       {kCaptionTarget, 39}}));
}

TEST(ProductDialog, ButtonsGiveTheProduct)
{
    EXPECT_EQ(ProductOfButton(IDC_PRODUCT_HARDDRIVE), 1);
    EXPECT_EQ(ProductOfButton(IDC_PRODUCT_CDROM), 2);
    EXPECT_EQ(ProductOfButton(IDC_PRODUCT_DISKETTE), 3);
    EXPECT_EQ(ProductOfButton(1), 0);
    EXPECT_EQ(ProductOfButton(IDC_PRODUCT_HEADING), 0);
}

TEST(kStartupDiskItem, StateFollowsThePlatform)
{
    struct {
        int platformKind;
        bool checked;
        bool grayed;
    } cases[] = {{0, false, true}, {1, true, false}, {2, true, false}, {3, true, false}};
    for (const auto &c : cases) {
        StartupItemState state = StartupItemForPlatform(c.platformKind);
        EXPECT_EQ(state.checked, c.checked) << c.platformKind;
        EXPECT_EQ(state.grayed, c.grayed) << c.platformKind;
    }
}

} // namespace
