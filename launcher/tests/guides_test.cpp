#include <gtest/gtest.h>

#include <string>

#include "core/guide_hover.h"
#include "core/guides.h"

namespace {

TEST(Guides, NameIdsFromTheFolderPath)
{
    const struct {
        const char *path;
        unsigned id;
    } cases[] = {
        {"D:\\User's Guides\\0009", 3000},
        {"D:\\User's Guides\\000A", 3010},
        {"D:\\User's Guides\\000C", 3020},
        // French wins when both codes are present, in either order.
        {"D:\\000A\\User's Guides\\000C", 3020},
        {"D:\\000C\\User's Guides\\000A", 3020},
        // The search is case-sensitive.
        {"D:\\User's Guides\\000a", 3000},
        {"D:\\User's Guides\\000c", 3000},
        {"", 3000},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.id, GuideNameId(c.path)) << c.path;
}

TEST(Guides, TitlesEndAtTheFirstDot)
{
    const struct {
        const char *name;
        const char *title;
    } cases[] = {
        {"How to Make a CD with VelmoraCD .pdf", "How to Make a CD with VelmoraCD "},
        {"The Quellorn UDF User's Guide .pdf", "The Quellorn UDF User's Guide "},
        {"Guide v2.1 final.pdf", "Guide v2"},
        {"No extension", "No extension"},
        {".pdf", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.title, std::string(c.name, GuideTitleLength(c.name))) << c.name;
}

TEST(Guides, ButtonsAndCommands)
{
    const struct {
        int id;
        int bitmap;
        int guide;
        GuideCommand command;
    } cases[] = {
        {kGuideTitle1, 0, 1, GuideCommand::kOpenGuide1},
        {kGuidePicture1, 179, 0, GuideCommand::kOpenGuide1},
        {kGuideTitle2, 0, 2, GuideCommand::kOpenGuide2},
        {kGuidePicture2, 178, 0, GuideCommand::kOpenGuide2},
        {kGuideClose, 168, 0, GuideCommand::kClose},
        {1, 0, 0, GuideCommand::kIgnore},
        {1020, 0, 0, GuideCommand::kIgnore},
    };
    for (const auto &c : cases) {
        GuideButtonContent content = ContentOfGuideButton(c.id);
        EXPECT_EQ(c.bitmap, content.bitmapId) << c.id;
        EXPECT_EQ(c.guide, content.guide) << c.id;
        EXPECT_EQ(c.command, GuideCommandFor(c.id)) << c.id;
    }
}

std::string Document(const std::string &folder, const char *file)
{
    char path[kGuidePathSize];
    if (!StoreGuideFolder(path, sizeof path, folder.c_str()))
        return "<no folder>";
    if (!AppendGuideFile(path, sizeof path, file))
        return "<refused>";
    return path;
}

TEST(Guides, DocumentPaths)
{
    EXPECT_EQ("D:\\User's Guides\\0009\\How to Make a CD with VelmoraCD .pdf",
              Document("D:\\User's Guides\\0009", "How to Make a CD with VelmoraCD .pdf"));
    EXPECT_EQ("<no folder>", Document("", "x.pdf"));
    EXPECT_EQ("<refused>", Document("D:\\g", ""));

    // The document path must fit MAX_PATH; longer ones open nothing.
    std::string folder(200, 'f');
    EXPECT_EQ(folder + "\\" + std::string(58, 'n'), Document(folder, std::string(58, 'n').c_str()));
    EXPECT_EQ("<refused>", Document(folder, std::string(59, 'n').c_str()));

    // The deepest folder the caller can hand over still gets stored; one
    // character more is refused, not cut.
    std::string deepest(259, 'd');
    char path[kGuidePathSize];
    ASSERT_TRUE(StoreGuideFolder(path, sizeof path, deepest.c_str()));
    EXPECT_EQ(deepest + "\\", std::string(path));
    EXPECT_FALSE(AppendGuideFile(path, sizeof path, std::string(128, 'n').c_str()));
    EXPECT_EQ(deepest + "\\", std::string(path));
    EXPECT_EQ("<no folder>", Document(std::string(260, 'd'), "x.pdf"));

    // A GuidePath smaller than the design keeps every copy inside it.
    char tiny[8];
    EXPECT_FALSE(StoreGuideFolder(tiny, sizeof tiny, "C:\\guides"));
    ASSERT_TRUE(StoreGuideFolder(tiny, sizeof tiny, "C:\\g"));
    EXPECT_FALSE(AppendGuideFile(tiny, sizeof tiny, "ab.pdf"));
    EXPECT_TRUE(AppendGuideFile(tiny, sizeof tiny, "ab"));
    EXPECT_STREQ("C:\\g\\ab", tiny);
}

enum Event { OnTitle1, OnTitle2, OnPicture1, OnClose, OnBackground };

struct HoverCase {
    const char *name;
    std::initializer_list<Event> before;
    Event event;
    int plain, hover;
    bool focusClose;
    int after;
};

HoverStep Apply(GuideHover &h, Event e)
{
    switch (e) {
    case OnTitle1:
        return h.PointerOnButton(kGuideTitle1);
    case OnTitle2:
        return h.PointerOnButton(kGuideTitle2);
    case OnPicture1:
        return h.PointerOnButton(kGuidePicture1);
    case OnClose:
        return h.PointerOnButton(kGuideClose);
    case OnBackground:
        return h.PointerOnBackground();
    }
    return {};
}

TEST(Guides, HoverMachine)
{
    const HoverCase cases[] = {
        {"first button", {}, OnTitle1, 0, kGuideTitle1, false, kGuideTitle1},
        {"same button again", {OnTitle1}, OnTitle1, 0, 0, false, kGuideTitle1},
        {"button to button", {OnTitle1}, OnTitle2, kGuideTitle1, kGuideTitle2, false, kGuideTitle2},
        {"title to its picture",
         {OnTitle1},
         OnPicture1,
         kGuideTitle1,
         kGuidePicture1,
         false,
         kGuidePicture1},
        {"onto the close button",
         {OnTitle2},
         OnClose,
         kGuideTitle2,
         kGuideClose,
         false,
         kGuideClose},
        {"button to background", {OnTitle2}, OnBackground, kGuideTitle2, 0, true, 0},
        {"close to background", {OnClose}, OnBackground, kGuideClose, 0, true, 0},
        {"background at rest", {}, OnBackground, 0, 0, false, 0},
        {"background twice", {OnTitle1, OnBackground}, OnBackground, 0, 0, false, 0},
        {"back onto a button",
         {OnTitle1, OnBackground},
         OnTitle1,
         0,
         kGuideTitle1,
         false,
         kGuideTitle1},
    };
    for (const HoverCase &c : cases) {
        GuideHover h;
        for (Event e : c.before)
            Apply(h, e);
        HoverStep step = Apply(h, c.event);
        EXPECT_EQ(c.plain, step.redrawPlain) << c.name;
        EXPECT_EQ(c.hover, step.redrawHover) << c.name;
        EXPECT_EQ(c.focusClose, step.focusClose) << c.name;
        EXPECT_EQ(c.after, h.Current()) << c.name;
        EXPECT_EQ(c.after != 0, h.IsHovered(c.after)) << c.name;
        EXPECT_FALSE(h.IsHovered(kNoHover)) << c.name;
    }
}

TEST(Guides, TitleLooks)
{
    EXPECT_EQ(0x00CCCCCCul, LookOfTitle(true).colour);
    EXPECT_TRUE(LookOfTitle(true).underlined);
    EXPECT_EQ(0ul, LookOfTitle(false).colour);
    EXPECT_FALSE(LookOfTitle(false).underlined);
}

} // namespace
