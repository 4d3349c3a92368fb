// The start-up notice and the user's guides dialog under Wine, driven
// through the test menu whose rows 6 and 7 run codes 6 and 10.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include <vector>

#include "call_log.h"
#include "launcher_cd.h"

using namespace qlh;

namespace {

const int kGuidesButton = 6;
const int kNoticeButton = 7;
const WORD kGdiBalanceQuery = 0x7E57;

const char *const kNoticeTexts[3] = {
    "This program can install software for various Quellorn drives.\n\n"
    "To begin the installation now select your product in the next screen.",
    "Este programa puede instalar software para varias unidades Quellorn.\n\n"
    "Para iniciar la instalación, seleccione su producto en la siguiente pantalla.",
    "Ce programme vous permet d'installer des logiciels pour divers lecteurs Quellorn.\n\n"
    "Pour lancer l'installation, sélectionnez votre produit dans l'écran suivant.",
};

const char *const kQuestions[3] = {
    "The Quellorn User's Guide requires Adobe® Acrobat® Reader® version 4 or later.\n\n"
    "Would you like to install Acrobat now?",
    "Para abrir el manual del usuario de Quellorn se necesita Adobe® Acrobat® Reader® versión 4 o "
    "posterior.\n\n"
    "¿Desea instalar Acrobat ahora?",
    "Pour pouvoir afficher le Guide de l'utilisateur Quellorn, vous devez avoir Adobe® Acrobat® "
    "Reader® "
    "version 4 ou ultérieure.\n\nVoulez-vous installer Acrobat tout de suite ?",
};

const char *const kGuideFiles[3][2] = {
    {"How to Make a CD with VelmoraCD .pdf", "The Quellorn UDF User's Guide .pdf"},
    {"Creación de discos CD con VelmoraCD .pdf", "Manual del usuario de Quellorn UDF .pdf"},
    {"Créer un CD à l'aide de VelmoraCD .pdf", "Guide de l'utilisateur de Quellorn UDF .pdf"},
};

const char *const kLanguageSuffix[3] = {"en", "es", "fr"};

class Dialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { cd_ = new LauncherCd(VariantLauncherExe()); }
    static void TearDownTestSuite()
    {
        delete cd_;
        cd_ = nullptr;
    }
    // The real pointer sends its own WM_SETCURSOR to whatever lies under
    // it, so it waits in a corner of the screen, away from every window.
    void SetUp() override { SendMouseMove(0, 0); }
    void TearDown() override { UnregisterPdfReader(); }

    static LauncherCd *cd_;
};
LauncherCd *Dialogs::cd_;

bool Centred(HWND dialog, HWND owner)
{
    RECT d = WindowRectOnScreen(dialog), o = WindowRectOnScreen(owner);
    LONG x = o.left + ((o.right - o.left) - (d.right - d.left)) / 2;
    LONG y = o.top + ((o.bottom - o.top) - (d.bottom - d.top)) / 2;
    return d.left == x && d.top == y;
}

LRESULT GdiBalance(HWND menu)
{
    return SendMessageA(menu, WM_COMMAND, kGdiBalanceQuery, 0);
}

// Waits for the guides dialog (the one holding title 1017).
HWND WaitForGuides(DWORD pid)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : FindTopWindows(WindowQuery{"#32770", nullptr, pid}))
                if (FindChild(w, 1017) != nullptr)
                    found = w;
            return found != nullptr;
        },
        5000);
    return found;
}

// The one-pixel black line along every edge of the notice's client area.
bool FramedInBlack(HWND dialog)
{
    RECT r;
    GetClientRect(dialog, &r);
    const POINT edges[] = {{r.right / 2, 0},
                           {r.right / 2, r.bottom - 1},
                           {0, r.bottom / 2},
                           {r.right - 1, r.bottom / 2}};
    for (POINT p : edges)
        if (ClientPixel(dialog, p.x, p.y) != RGB(0, 0, 0))
            return false;
    return ClientPixel(dialog, r.right / 2, 1) != RGB(0, 0, 0);
}

// The focused OK button: single black left edge, double right edge.
bool HasFocusLook(HWND button)
{
    RECT r;
    GetClientRect(button, &r);
    int y = r.bottom / 2;
    return ClientPixel(button, 0, y) == RGB(0, 0, 0) &&
        ClientPixel(button, 1, y) == RGB(255, 255, 225) &&
        ClientPixel(button, r.right - 1, y) == RGB(0, 0, 0) &&
        ClientPixel(button, r.right - 2, y) == RGB(0, 0, 0) &&
        ClientPixel(button, r.right - 3, y) == RGB(255, 255, 225);
}

// The notice shows once at start, centred over the disabled menu, with the
// text of the language; OK and Esc both close it and the menu goes on.
TEST_F(Dialogs, NoticeAtStartInEveryLanguage)
{
    for (int lang = 0; lang < 3; ++lang) {
        for (bool escape : {false, true}) {
            SCOPED_TRACE(std::string(kLanguages[lang].name) + (escape ? " Esc" : " OK"));
            RunningLauncher run;
            ASSERT_TRUE(StartLauncher(run, *cd_, kLanguages[lang].arg));
            EXPECT_EQ(run.menu, GetWindow(run.notice, GW_OWNER));
            EXPECT_FALSE(IsWindowEnabled(run.menu));
            HWND text = FindChild(run.notice, 1031);
            ASSERT_NE(nullptr, text);
            EXPECT_TRUE(WaitText(text, Ansi(kNoticeTexts[lang])));
            EXPECT_TRUE(Centred(run.notice, run.menu));
            EXPECT_FALSE(IsWindowVisible(FindChild(run.notice, IDCANCEL))) << "Cancel never shows";
            // The face of OK comes with the last of the painting.
            HWND ok = FindChild(run.notice, IDOK);
            EXPECT_TRUE(WaitClientPixel(ok, 3, 3, RGB(255, 255, 225)));
            EXPECT_TRUE(FramedInBlack(run.notice));
            EXPECT_TRUE(HasFocusLook(ok));
            // Uncovered again, the dialog is erased and framed anew.
            RedrawWindow(run.notice, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            Sync(run.notice);
            EXPECT_TRUE(WaitUntil([&] { return FramedInBlack(run.notice); }, 2000));
            if (!escape) {
                WaitPainted(run.notice);
                SaveScreenshot(
                    run.notice,
                    ScreenshotPath(std::string("notice-") + kLanguageSuffix[lang] + ".bmp"));
            }
            if (escape)
                KeyPress(FindChild(run.notice, IDOK), VK_ESCAPE);
            else
                PressDialogButton(run.notice, IDOK);
            EXPECT_TRUE(WaitWindowGone(run.notice));
            EXPECT_TRUE(WaitEnabled(run.menu));
            Sync(run.menu);
            EXPECT_TRUE(FindTopWindows(WindowQuery{"#32770", nullptr, run.process.Pid()}).empty())
                << "the notice shows only once";
            EXPECT_TRUE(run.process.Running());
        }
    }
}

// The test menu's rows prove that buttons come from the string table alone.
TEST_F(Dialogs, ExtraRowsMakeButtons)
{
    RunningLauncher run;
    ASSERT_TRUE(StartLauncher(run, *cd_, "-0009"));
    EXPECT_NE(nullptr, FindChild(run.menu, kGuidesButton));
    EXPECT_NE(nullptr, FindChild(run.menu, kNoticeButton));
    ASSERT_TRUE(DismissNotice(run));
    Command(run.menu, kNoticeButton);
    HWND again = WaitForDialog(run.process.Pid());
    ASSERT_NE(nullptr, again);
    EXPECT_TRUE(WaitText(FindChild(again, 1031), Ansi(kNoticeTexts[0])));
    EXPECT_TRUE(Centred(again, run.menu));
    PressDialogButton(again, IDOK);
    EXPECT_TRUE(WaitWindowGone(again));
}

struct GuideClick {
    int control;
    int guide;
};

// With a reader of version 4 each title and each picture opens its guide,
// in the language's folder, and closes the dialog.
TEST_F(Dialogs, GuidesOpenWithARecentReader)
{
    RegisterPdfReader(ReaderExe(4));
    const GuideClick clicks[] = {{1017, 0}, {1019, 0}, {1018, 1}, {1016, 1}};
    for (int lang = 0; lang < 3; ++lang) {
        RunningLauncher run;
        ASSERT_TRUE(StartLauncher(run, *cd_, kLanguages[lang].arg));
        ASSERT_TRUE(DismissNotice(run));
        for (const GuideClick &click : clicks) {
            SCOPED_TRACE(std::string(kLanguages[lang].name) + " control " +
                         std::to_string(click.control));
            ClearRecorderLog();
            Command(run.menu, kGuidesButton);
            HWND guides = WaitForGuides(run.process.Pid());
            ASSERT_NE(nullptr, guides);
            EXPECT_TRUE(Centred(guides, run.menu));
            ClickButton(FindChild(guides, click.control));
            EXPECT_TRUE(WaitWindowGone(guides));
            std::vector<RecorderEntry> entries = WaitRecorderEntries(1, 10000);
            ASSERT_EQ(1u, entries.size());
            std::string document =
                cd_->Path(std::string("User's Guides\\") + kLanguages[lang].folder + "\\" +
                          Ansi(kGuideFiles[lang][click.guide]));
            EXPECT_EQ(ReaderExe(4), entries[0].module);
            EXPECT_NE(std::string::npos, entries[0].command_line.find(document))
                << entries[0].command_line;
        }
    }
}

// How the PDF reader is registered, if at all.
enum class Registration {
    Version3,        // "reader 3.51" "%1"
    NoVersion,       // a program without a version resource
    None,            // nothing registered
    UnquotedProgram, // reader 4.0 "%1": the quoted argument is taken for the path
    Overlong,        // more than the 260 bytes read
};

void Register(Registration r)
{
    const std::string key = "HKCR\\AcroExch.Document\\shell\\open\\command";
    switch (r) {
    case Registration::Version3:
        RegisterPdfReader(ReaderExe(3));
        break;
    case Registration::NoVersion:
        RegisterPdfReader(ReaderExe(0));
        break;
    case Registration::None:
        UnregisterPdfReader();
        break;
    case Registration::UnquotedProgram:
        RegisterPdfReader(ReaderExe(4));
        RegSetString(key, "", ReaderExe(4) + " \"%1\"");
        break;
    case Registration::Overlong:
        RegisterPdfReader(ReaderExe(4));
        RegSetString(key, "", "\"" + ReaderExe(4) + "\" \"%1\"" + std::string(300, ' ') + "/s");
        break;
    }
}

struct QuestionCase {
    Registration registration;
    int answer;
    int lang;
};

// With no reader of version 4 the user is asked; No leaves everything as it
// was, Yes starts Lingpick, and the guides never open.
TEST_F(Dialogs, MissingReaderLeadsToTheQuestion)
{
    const QuestionCase cases[] = {
        {Registration::Version3, IDNO, 0},        {Registration::Version3, IDYES, 1},
        {Registration::NoVersion, IDNO, 2},       {Registration::NoVersion, IDYES, 0},
        {Registration::None, IDYES, 2},           {Registration::None, IDNO, 1},
        {Registration::UnquotedProgram, IDNO, 0}, {Registration::Overlong, IDYES, 1},
    };
    for (const QuestionCase &c : cases) {
        SCOPED_TRACE("registration " + std::to_string(int(c.registration)) +
                     (c.answer == IDYES ? " Yes " : " No ") + kLanguages[c.lang].name);
        Register(c.registration);
        ClearRecorderLog();
        RunningLauncher run;
        ASSERT_TRUE(StartLauncher(run, *cd_, kLanguages[c.lang].arg));
        ASSERT_TRUE(DismissNotice(run));
        Command(run.menu, kGuidesButton);
        DialogInfo info;
        HWND box = WaitForDialog(run.process.Pid(), "Acrobat Viewer Required", 5000, &info);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ(Ansi(kQuestions[c.lang]), info.text);
        EXPECT_EQ(nullptr, FindChild(box, 1017));
        PressDialogButton(box, c.answer);
        EXPECT_TRUE(WaitWindowGone(box));
        if (c.answer == IDYES) {
            std::vector<RecorderEntry> entries = WaitRecorderEntries(1);
            ASSERT_EQ(1u, entries.size());
            EXPECT_EQ(cd_->Path("Utility\\Lingpick .exe"), entries[0].module);
            // Unquoted by the launcher; Wine quotes the path it found.
            EXPECT_EQ("\"" + cd_->Path("Utility\\Lingpick .exe") + "\"", entries[0].command_line);
        } else {
            EXPECT_TRUE(StartsNothingWithin(run.process, 500));
        }
        Sync(run.menu);
        EXPECT_TRUE(FindTopWindows(WindowQuery{"#32770", nullptr, run.process.Pid()}).empty());
        EXPECT_TRUE(WaitEnabled(run.menu));
    }
}

// The launcher's own path at 260 characters or more, which no buffer of it
// holds: the missing reader is still found and the user asked; Yes then
// starts nothing, and the menu goes on.
TEST_F(Dialogs, QuestionWhenTheLauncherPathIsTooLong)
{
    UnregisterPdfReader();
    ClearRecorderLog();
    RunningLauncher run;
    ASSERT_TRUE(StartLauncher(run, *cd_, "-0009"));
    ASSERT_TRUE(DismissNotice(run));
    CallLog calls;
    ASSERT_TRUE(calls.Attach(run.menu));
    calls.CutModulePath();
    Command(run.menu, kGuidesButton);
    HWND box = WaitForDialog(run.process.Pid(), "Acrobat Viewer Required");
    ASSERT_NE(nullptr, box);
    PressDialogButton(box, IDYES);
    EXPECT_TRUE(WaitWindowGone(box));
    ASSERT_TRUE(Sync(run.menu));
    EXPECT_EQ(1, run.process.JobProcessCount()) << "nothing started";
    EXPECT_TRUE(ReadRecorderLog().empty());
}

// On a 256-colour display the menu is grey with a white banner over a black
// line, and it repaints when another window changes the palette. Wine's
// 8-bit display counts its colours as -1, which the test menu overlooks.
class MenuPalette : public Dialogs {};

TEST_F(MenuPalette, GreyWithABlackBannerLineAndRepaintsForThePalette)
{
    char depth[8] = "";
    GetEnvironmentVariableA("QL_SCREEN_DEPTH", depth, sizeof depth);
    if (std::string(depth) != "8")
        GTEST_SKIP() << "not the 8-bit display";
    const COLORREF grey = RGB(192, 192, 192);
    RunningLauncher run;
    ASSERT_TRUE(StartLauncher(run, *cd_, "-0009"));
    ASSERT_TRUE(DismissNotice(run));
    ASSERT_TRUE(WaitClientPixel(run.menu, 2, 2, RGB(255, 255, 255)));
    RECT client;
    GetClientRect(run.menu, &client);
    // The class brush shows in the gap after the third button and in the
    // corner of the text area.
    RECT third = WindowRectOnScreen(FindChild(run.menu, 2));
    MapWindowPoints(nullptr, run.menu, reinterpret_cast<POINT *>(&third), 2);
    EXPECT_EQ(grey, ClientPixel(run.menu, 5, third.bottom + 3));
    EXPECT_EQ(grey, ClientPixel(run.menu, client.right - 2, client.bottom - 2));
    std::vector<COLORREF> line;
    ASSERT_TRUE(ClientPixels(run.menu, RECT{0, 70, client.right, 71}, &line));
    EXPECT_EQ(client.right, std::count(line.begin(), line.end(), RGB(0, 0, 0)));

    // The heading is drawn afresh by each repaint.
    CallLog calls;
    ASSERT_TRUE(calls.Attach(run.menu));
    SendMessageA(run.menu, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(run.menu), 0);
    EXPECT_TRUE(calls.Drawn(run.menu, DT_WORDBREAK).empty()) << "its own change";
    SendMessageA(run.menu, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(GetDesktopWindow()), 0);
    EXPECT_EQ(1u, calls.Drawn(run.menu, DT_WORDBREAK).size());
    calls.Clear();
    EXPECT_EQ(TRUE, SendMessageA(run.menu, WM_QUERYNEWPALETTE, 0, 0));
    EXPECT_EQ(1u, calls.Drawn(run.menu, DT_WORDBREAK).size());
}

// Moves the real pointer to client coordinates of a window.
void PointAt(HWND window, int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(window, &p);
    SendMouseMove(p.x, p.y);
}

// Pixels of one colour inside a window's client rectangle, read from the
// screen.
int CountPixels(HWND window, COLORREF colour)
{
    RECT client;
    GetClientRect(window, &client);
    std::vector<COLORREF> pixels;
    ClientPixels(window, client, &pixels);
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

// The longest run of one colour along a row: an underline is one, glyphs
// hardly ever are.
int LongestRow(HWND window, COLORREF colour)
{
    RECT r = ClientRectOnScreen(window);
    int longest = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        int run = 0;
        for (int x = r.left; x < r.right; ++x) {
            run = ScreenPixel(x, y) == colour ? run + 1 : 0;
            if (run > longest)
                longest = run;
        }
        if (longest > 40)
            break;
    }
    return longest;
}

// The title under the pointer turns light grey and underlined; moving onto
// the background turns it black again and hands the focus to the close box.
TEST_F(Dialogs, TitleUnderThePointer)
{
    RegisterPdfReader(ReaderExe(4));
    for (int lang = 0; lang < 3; ++lang) {
        SCOPED_TRACE(kLanguages[lang].name);
        RunningLauncher run;
        ASSERT_TRUE(StartLauncher(run, *cd_, kLanguages[lang].arg));
        ASSERT_TRUE(DismissNotice(run));
        Command(run.menu, kGuidesButton);
        HWND guides = WaitForGuides(run.process.Pid());
        ASSERT_NE(nullptr, guides);
        HWND title1 = FindChild(guides, 1017), title2 = FindChild(guides, 1018);
        const COLORREF grey = RGB(204, 204, 204), black = RGB(0, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return CountPixels(title1, black) > 50; }, 3000));
        EXPECT_EQ(0, CountPixels(title1, grey));

        PointAt(title1, 10, 5);
        EXPECT_TRUE(WaitUntil([&] { return CountPixels(title1, grey) > 50; }, 3000));
        EXPECT_EQ(0, CountPixels(title1, black));
        EXPECT_GT(LongestRow(title1, grey), 40) << "underlined";
        EXPECT_GT(CountPixels(title2, black), 50) << "the other title stays black";
        SaveScreenshot(guides,
                       ScreenshotPath(std::string("guides-") + kLanguageSuffix[lang] + ".bmp"));

        PointAt(title2, 10, 5);
        EXPECT_TRUE(WaitUntil(
            [&] { return CountPixels(title1, grey) == 0 && CountPixels(title2, grey) > 50; },
            3000));

        PointAt(guides, 3, 3);
        EXPECT_TRUE(WaitUntil([&] { return CountPixels(title2, grey) == 0; }, 3000));
        EXPECT_GT(CountPixels(title2, black), 50);
        Sync(guides);
        DWORD thread = GetWindowThreadProcessId(guides, nullptr);
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        ASSERT_TRUE(GetGUIThreadInfo(thread, &gui));
        EXPECT_EQ(FindChild(guides, IDCANCEL), gui.hwndFocus);

        KeyPress(FindChild(guides, IDCANCEL), VK_ESCAPE);
        EXPECT_TRUE(WaitWindowGone(guides));
        EXPECT_TRUE(WaitEnabled(run.menu));
        SendMouseMove(0, 0);
    }
}

HWND FocusOf(HWND window)
{
    Sync(window);
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    return gui.hwndFocus;
}

// The guides open with the focus on the first title; Tab walks the two
// titles and the close box, never the pictures.
TEST_F(Dialogs, GuidesTabOrder)
{
    const char kClick[] = "#122";
    const unsigned kClickFlags = SND_RESOURCE | SND_NOSTOP | SND_ASYNC;
    RegisterPdfReader(ReaderExe(4));
    RunningLauncher run;
    ASSERT_TRUE(StartLauncher(run, *cd_, "-0009"));
    ASSERT_TRUE(DismissNotice(run));
    CallLog calls;
    ASSERT_TRUE(calls.Attach(run.menu));
    Command(run.menu, kGuidesButton);
    HWND guides = WaitForGuides(run.process.Pid());
    ASSERT_NE(nullptr, guides);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(guides) == FindChild(guides, 1017); }, 3000));
    EXPECT_TRUE(WaitUntil([&] { return calls.Played(kClick, kClickFlags) == 1; }, 3000))
        << "the click of the first title's focus";
    const int order[] = {1018, IDCANCEL, 1017, 1018};
    for (int id : order) {
        // Posted keys may still wait behind a sent message: poll.
        int clicks = calls.Played(kClick, kClickFlags);
        KeyPress(FocusOf(guides), VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(guides) == FindChild(guides, id); }, 3000))
            << "after Tab: " << id;
        EXPECT_TRUE(
            WaitUntil([&] { return calls.Played(kClick, kClickFlags) == clicks + 1; }, 3000))
            << "the click after Tab: " << id;
    }
    PressDialogButton(guides, IDCANCEL);
    EXPECT_TRUE(WaitWindowGone(guides));
}

// Each button is named for screen readers: a title and its picture by the
// guide's title, the close box by the Cancel caption. The names must not
// change a key: letters (the titles' and Cancel's initials), Alt+letter and
// Enter do nothing, so the Space that follows still opens the first guide.
TEST_F(Dialogs, GuideButtonsNamedAndKeysUnchanged)
{
    RegisterPdfReader(ReaderExe(4));
    HMODULE launcher =
        LoadLibraryExA(VariantLauncherExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, launcher);
    for (int lang = 0; lang < 3; ++lang) {
        SCOPED_TRACE(kLanguages[lang].name);
        std::string title1 = Ansi(kGuideFiles[lang][0]), title2 = Ansi(kGuideFiles[lang][1]);
        title1.resize(title1.find('.'));
        title2.resize(title2.find('.'));
        char cancel[64];
        ASSERT_LT(0, LoadStringA(launcher, 5201 + lang, cancel, sizeof cancel));

        ClearRecorderLog();
        RunningLauncher run;
        ASSERT_TRUE(StartLauncher(run, *cd_, kLanguages[lang].arg));
        ASSERT_TRUE(DismissNotice(run));
        Command(run.menu, kGuidesButton);
        HWND guides = WaitForGuides(run.process.Pid());
        ASSERT_NE(nullptr, guides);
        EXPECT_EQ(title1, WindowText(FindChild(guides, 1017)));
        EXPECT_EQ(title1, WindowText(FindChild(guides, 1019)));
        EXPECT_EQ(title2, WindowText(FindChild(guides, 1018)));
        EXPECT_EQ(title2, WindowText(FindChild(guides, 1016)));
        EXPECT_EQ(cancel, WindowText(FindChild(guides, IDCANCEL)));

        HWND first = FindChild(guides, 1017);
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(guides) == first; }, 3000));
        for (char initial : {title1[0], title2[0], cancel[0]}) {
            char lower = static_cast<char>(tolower(static_cast<unsigned char>(initial)));
            KeyPress(first, static_cast<UINT>(toupper(static_cast<unsigned char>(initial))));
            AltKey(first, lower);
        }
        KeyPress(first, VK_RETURN);
        KeyPress(first, VK_SPACE);
        EXPECT_TRUE(WaitWindowGone(guides));
        std::vector<RecorderEntry> entries = WaitRecorderEntries(1, 10000);
        ASSERT_EQ(1u, entries.size());
        EXPECT_NE(std::string::npos, entries[0].command_line.find(title1 + ".pdf"))
            << entries[0].command_line;
    }
    FreeLibrary(launcher);
}

// Every way out of both dialogs deletes what they made: after 200 rounds
// the books balance. Wine's GetGuiResources answers 0 for everything, so the
// launcher's own count is asked.
TEST_F(Dialogs, NoGdiObjectsLeftBehind)
{
    RegisterPdfReader(ReaderExe(4));
    ClearRecorderLog();
    RunningLauncher run;
    ASSERT_TRUE(StartLauncher(run, *cd_, "-000a"));
    ASSERT_TRUE(WaitUntil([&] { return GdiBalance(run.menu) == 1; }, 3000)) << "the notice's font";
    ASSERT_TRUE(DismissNotice(run));
    ASSERT_EQ(0, GdiBalance(run.menu));

    const int ways[] = {IDCANCEL, 1017, 1018, 1019, 1016};
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Command(run.menu, kNoticeButton);
        HWND notice = WaitForDialog(run.process.Pid());
        ASSERT_NE(nullptr, notice);
        if (round % 2)
            PressDialogButton(notice, IDOK);
        else
            KeyPress(FindChild(notice, IDOK), VK_ESCAPE);
        ASSERT_TRUE(WaitWindowGone(notice));

        Command(run.menu, kGuidesButton);
        HWND guides = WaitForGuides(run.process.Pid());
        ASSERT_NE(nullptr, guides);
        if (round == 0) {
            EXPECT_TRUE(WaitUntil([&] { return GdiBalance(run.menu) == 5; }, 3000))
                << "three bitmaps and two fonts while open";
        }
        MouseMove(FindChild(guides, 1018), 4, 4);
        // Every way out is taken; documents only open in the first rounds,
        // since each starts a process.
        int way = round < 20 ? ways[round % 5] : IDCANCEL;
        if (way == IDCANCEL && round % 10 == 5)
            KeyPress(FindChild(guides, 1017), VK_ESCAPE);
        else
            PressDialogButton(guides, way);
        ASSERT_TRUE(WaitWindowGone(guides));
        ASSERT_EQ(0, GdiBalance(run.menu));
    }
    EXPECT_EQ(0, GdiBalance(run.menu));
    EXPECT_EQ(16u, WaitRecorderEntries(16, 10000).size()) << "each guide click opened a document";
}

} // namespace
