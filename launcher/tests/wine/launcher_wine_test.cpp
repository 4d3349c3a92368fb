// The launcher's start-up and menu window, driven from outside as a user
// would: languages, single instance, "remove", the InstallShield check, the
// highlight on screen, the text refresh delay, keys, and the web probe.

#include "call_log.h"
#include "paint_counter.h"
#include "wine_harness.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace qlh;

namespace {

const char kEnglishTitle[] = "Quellorn Setup";
const char kSpanishTitle[] = "Instalaci\xF3n de Quellorn"; // ANSI code page 1252
const char kFrenchTitle[] = "Configuration Quellorn";

const COLORREF kLightBlue = RGB(141, 185, 216);
const COLORREF kDeepBlue = RGB(85, 128, 152);
const COLORREF kGreyText = RGB(100, 100, 100);

// How the menu draws its texts, and how it plays its click.
const unsigned kLabelFormat = DT_SINGLELINE | DT_VCENTER;
const unsigned kHeadingFormat = DT_WORDBREAK;
const unsigned kDescriptionFormat = DT_WORDBREAK | DT_EXPANDTABS;
const unsigned kClickFlags = SND_RESOURCE | SND_NOSTOP | SND_ASYNC;

const char kRpcProtocols[] = "HKLM\\Software\\Microsoft\\Rpc\\ClientProtocols";

std::string ScreenshotDir()
{
    return WindowsPathOfUnix(QL_SCREENSHOT_DIR) + "\\";
}

// Keeps the real pointer away from the menu, so that only the moves a test
// posts reach it.
void ParkPointer()
{
    SendMouseMove(0, 0);
}

// A launcher started from the fake CD, with its menu window found and the
// start-up notice, when it shows, dismissed.
class Menu {
public:
    bool Start(const std::string &args = "", const char *title = nullptr)
    {
        ParkPointer();
        if (!process.Start(CdPath("Setup.exe"), args))
            return false;
        window = WaitForWindow(WindowQuery{"Setup", title, process.Pid()});
        if (!window)
            return false;
        if (HWND notice = WaitForDialog(process.Pid(), nullptr, 3000)) {
            PressDialogButton(notice, IDOK);
            WaitWindowGone(notice);
        }
        // The banner corner is lit before the notice has gone, and the menu
        // repaints what the notice covered later, when its thread gets to
        // it: a test that reads the screen must find that done.
        return WaitEnabled(window) && WaitClientPixel(window, 2, 2, kDeepBlue) &&
            WaitPainted(window);
    }

    HWND Button(int i) const { return FindChild(window, i); }

    // The button's rectangle in the menu's client coordinates.
    RECT ButtonRect(int i) const
    {
        RECT r = WindowRectOnScreen(Button(i));
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&r), 2);
        return r;
    }

    bool ButtonLit(int i, DWORD timeout = 3000) const
    {
        return WaitClientPixel(Button(i), 2, 2, kDeepBlue, timeout);
    }
    bool ButtonPlain(int i, DWORD timeout = 3000) const
    {
        return WaitClientPixel(Button(i), 2, 2, kLightBlue, timeout);
    }

    bool Ends(DWORD *code)
    {
        *code = 1;
        return process.WaitExit(5000, code);
    }

    Process process;
    HWND window = nullptr;
};

// The pixels of a client rectangle, read from the screen in one copy.
std::vector<COLORREF> CapturePixels(HWND window, const RECT &area)
{
    std::vector<COLORREF> pixels;
    ClientPixels(window, area, &pixels);
    return pixels;
}

int CountColour(const std::vector<COLORREF> &pixels, COLORREF colour)
{
    int n = 0;
    for (COLORREF c : pixels)
        n += c == colour;
    return n;
}

RECT ClientArea(HWND window)
{
    RECT r;
    GetClientRect(window, &r);
    return r;
}

// Heading and description: right of the button column, below the banner.
RECT TextArea(const Menu &menu)
{
    RECT client = ClientArea(menu.window);
    RECT button = menu.ButtonRect(0);
    return RECT{button.right + 4, 72, client.right - 4, client.bottom - 4};
}

// The launcher's string table, read from the executable on the CD.
class LauncherStrings {
public:
    LauncherStrings()
        : module_(LoadLibraryExA(CdPath("Setup.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE))
    {
    }
    ~LauncherStrings() { FreeLibrary(module_); }
    std::string operator()(int id) const
    {
        char text[260] = "";
        LoadStringA(module_, id, text, sizeof text);
        return text;
    }

private:
    HMODULE module_;
};

bool Holds(const std::vector<std::string> &texts, const std::string &text)
{
    for (const std::string &t : texts)
        if (t == text)
            return true;
    return false;
}

bool EndsWith(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size() &&
        _stricmp(text.c_str() + text.size() - tail.size(), tail.c_str()) == 0;
}

// ---- languages ---------------------------------------------------------

TEST(Menu, EnglishSystem)
{
    Menu menu;
    ASSERT_TRUE(menu.Start());
    EXPECT_EQ(kEnglishTitle, WindowText(menu.window));
}

TEST(Menu_es, SpanishSystem)
{
    Menu menu;
    ASSERT_TRUE(menu.Start());
    EXPECT_EQ(kSpanishTitle, WindowText(menu.window));
}

TEST(Menu_fr, FrenchSystem)
{
    Menu menu;
    ASSERT_TRUE(menu.Start());
    EXPECT_EQ(kFrenchTitle, WindowText(menu.window));
}

TEST(Menu_fr, EnglishCodeBeatsTheSystem)
{
    Menu menu;
    ASSERT_TRUE(menu.Start("0009"));
    EXPECT_EQ(kEnglishTitle, WindowText(menu.window));
}

TEST(Menu, CodesOnTheCommandLine)
{
    struct {
        const char *args;
        const char *title;
    } cases[] = {
        {"-000a", kSpanishTitle},     {"000C", kFrenchTitle},  {"000c -000A", kSpanishTitle},
        {"/x000C0009", kFrenchTitle}, {"0009", kEnglishTitle},
    };
    for (const auto &c : cases) {
        Menu menu;
        ASSERT_TRUE(menu.Start(c.args)) << c.args;
        EXPECT_EQ(c.title, WindowText(menu.window)) << c.args;
    }
}

TEST(Menu, VersionResource)
{
    std::string exe = CdPath("Setup.exe");
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(0x00020000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    struct {
        const char *name, *value;
    } strings[] = {
        {"FileVersion", "2.0"},
        {"FileDescription", "Quellorn Setup Launcher"},
        {"Comments", "Setup Launcher for Quellorn"},
        {"ProductName", "Quellorn"},
    };
    for (const auto &s : strings) {
        char *text = nullptr;
        std::string path = std::string("\\StringFileInfo\\040904b0\\") + s.name;
        ASSERT_TRUE(
            VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void **>(&text), &length))
            << s.name;
        EXPECT_STREQ(s.value, text) << s.name;
    }
}

// ---- single instance ---------------------------------------------------

TEST(Menu, SecondStartInTheSameLanguageBringsTheFirstForward)
{
    Menu first;
    ASSERT_TRUE(first.Start());
    ShowWindow(first.window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(first.window) != 0; }, 3000));

    Process second;
    ASSERT_TRUE(second.Start(CdPath("Setup.exe")));
    DWORD code = 1;
    ASSERT_TRUE(second.WaitExit(5000, &code));
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(first.window); }, 3000));
    EXPECT_TRUE(first.process.Running());
    EXPECT_EQ(1u, FindTopWindows(WindowQuery{"Setup", kEnglishTitle, 0}).size());
}

TEST(Menu, SecondStartInAnotherLanguageOpensASecondMenu)
{
    Menu english, french;
    ASSERT_TRUE(english.Start());
    ASSERT_TRUE(french.Start("000c", kFrenchTitle));
    EXPECT_NE(english.window, french.window);
    EXPECT_TRUE(english.process.Running());
    EXPECT_TRUE(french.process.Running());
    EXPECT_EQ(kFrenchTitle, WindowText(french.window));
}

// ---- remove ------------------------------------------------------------

TEST(Menu, RemoveShowsNothing)
{
    // The last one ends at the 79th character, the last the copy keeps.
    const std::string cases[] = {"REMOVE", "-remove", "/Remove 000a", "x-rEmOvE-y",
                                 std::string(73, 'x') + "remove"};
    for (const std::string &args : cases) {
        Process process;
        ASSERT_TRUE(process.Start(CdPath("Setup.exe"), args)) << args;
        bool shown = false;
        DWORD code = 1;
        bool ended = WaitUntil(
            [&] {
                if (!FindTopWindows(WindowQuery{nullptr, nullptr, process.Pid()}).empty())
                    shown = true;
                return !process.Running();
            },
            5000);
        ASSERT_TRUE(ended) << args;
        process.WaitExit(1000, &code);
        EXPECT_EQ(0u, code) << args;
        EXPECT_FALSE(shown) << args;
    }
}

TEST(Menu, RemoveBeyondTheCopyIsNotSeen)
{
    // The command-line copy keeps 79 characters: a "remove" that ends at the
    // 80th is cut and the menu opens as usual.
    Menu menu;
    ASSERT_TRUE(menu.Start(std::string(74, 'x') + "remove"));
    EXPECT_TRUE(menu.process.Running());
}

// ---- InstallShield -----------------------------------------------------

TEST(Menu, RunningInstallShieldSetupIsMaximizedInstead)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Installshield_Win";
    RegisterClassA(&wc);
    HWND setup = CreateWindowA("Installshield_Win", "Setup", WS_OVERLAPPEDWINDOW, 40, 40, 300, 200,
                               nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, setup);
    ShowWindow(setup, SW_SHOWNORMAL);
    ASSERT_FALSE(IsZoomed(setup));

    Process process;
    ASSERT_TRUE(process.Start(CdPath("Setup.exe")));
    // The launcher's ShowWindow reaches our window through our own queue.
    bool shown = false;
    bool ended = WaitUntil(
        [&] {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            if (!FindTopWindows(WindowQuery{"Setup", nullptr, process.Pid()}).empty())
                shown = true;
            return !process.Running();
        },
        5000);
    EXPECT_TRUE(ended);
    DWORD code = 1;
    process.WaitExit(1000, &code);
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(shown);
    EXPECT_TRUE(WaitUntil(
        [&] {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            return IsZoomed(setup) != 0;
        },
        3000));
    DestroyWindow(setup);
    UnregisterClassA("Installshield_Win", wc.hInstance);
}

// ---- highlight ---------------------------------------------------------

TEST(Menu, HoverLightsTheButtonAndTheWindowPutsItOut)
{
    Menu menu;
    ASSERT_TRUE(menu.Start());
    for (int i = 0; i < 6; i++)
        EXPECT_TRUE(menu.ButtonPlain(i)) << i;

    MouseMove(menu.Button(1), 20, 5);
    EXPECT_TRUE(menu.ButtonLit(1));
    for (int i : {0, 2, 3, 4, 5})
        EXPECT_TRUE(menu.ButtonPlain(i, 300)) << i;
    // White label on the lit button.
    EXPECT_GT(
        CountColour(CapturePixels(menu.Button(1), ClientArea(menu.Button(1))), RGB(255, 255, 255)),
        20);

    // Sweep down the column: only the last stays lit.
    for (int i = 2; i < 6; i++)
        MouseMove(menu.Button(i), 20, 5);
    EXPECT_TRUE(menu.ButtonLit(5));
    EXPECT_TRUE(menu.ButtonPlain(1));

    // The 1-pixel row under button 0 belongs to the window.
    MouseMove(menu.Button(0), 20, 5);
    EXPECT_TRUE(menu.ButtonLit(0));
    RECT b0 = menu.ButtonRect(0);
    MouseMove(menu.window, 20, b0.bottom);
    EXPECT_TRUE(menu.ButtonPlain(0));

    // So does the banner.
    MouseMove(menu.Button(4), 20, 5);
    EXPECT_TRUE(menu.ButtonLit(4));
    MouseMove(menu.window, 300, 20);
    EXPECT_TRUE(menu.ButtonPlain(4));
}

TEST(Menu, KeyboardFocusLightsTheButton)
{
    Menu menu;
    ASSERT_TRUE(menu.Start());
    // Tab from the window goes to the first button, then on down.
    TypeChar(menu.window, '\t');
    EXPECT_TRUE(menu.ButtonLit(0));
    TypeChar(menu.Button(0), '\t');
    EXPECT_TRUE(menu.ButtonLit(1));
    EXPECT_TRUE(menu.ButtonPlain(0));
    // From the last button Tab wraps to the first.
    MouseMove(menu.Button(5), 20, 5);
    EXPECT_TRUE(menu.ButtonLit(5));
    TypeChar(menu.Button(5), '\t');
    EXPECT_TRUE(menu.ButtonLit(0));
    EXPECT_TRUE(menu.ButtonPlain(5));
}

TEST(Menu, ShiftTabFromTheWindowAndFromTheFirstButton)
{
    Menu menu;
    ASSERT_TRUE(menu.Start());
    ASSERT_TRUE(ActivateWindow(menu.window));
    // From the window: the second-to-last button.
    SendKey(VK_TAB, true);
    EXPECT_TRUE(menu.ButtonLit(4));
    // From the first button: the last one.
    MouseMove(menu.Button(0), 20, 5);
    ASSERT_TRUE(menu.ButtonLit(0));
    SendKey(VK_TAB, true);
    EXPECT_TRUE(menu.ButtonLit(5));
    EXPECT_TRUE(menu.ButtonPlain(0));
}

// What the menu writes, read against its own string table in each
// language: a lit button shows its label as stored, the heading is that
// label without its "&", the description follows, and the click plays. Off
// the buttons, the heading and hint of the language come back, silently.
TEST(Menu, ShowsTheStringTableInEveryLanguage)
{
    LauncherStrings strings;
    const char *codes[] = {"-0009", "-000a", "-000c"};
    for (int language = 1; language <= 3; language++) {
        SCOPED_TRACE(codes[language - 1]);
        Menu menu;
        ASSERT_TRUE(menu.Start(codes[language - 1]));
        CallLog calls;
        ASSERT_TRUE(calls.Attach(menu.window));
        const int buttons = static_cast<int>(ChildWindows(menu.window).size());
        ASSERT_EQ(6, buttons);
        for (int i = 0; i < buttons; i++) {
            SCOPED_TRACE(i);
            std::string label = strings(100 * language + i);
            std::string heading = label;
            if (heading.find('&') != std::string::npos)
                heading.erase(heading.find('&'), 1);
            calls.Clear();
            MouseMove(menu.Button(i), 20, 5);
            ASSERT_TRUE(WaitUntil(
                [&] {
                    return Holds(calls.Drawn(menu.window, kDescriptionFormat),
                                 strings(1000 + 100 * language + i));
                },
                3000));
            std::vector<std::string> headings = calls.Drawn(menu.window, kHeadingFormat);
            ASSERT_FALSE(headings.empty());
            EXPECT_EQ(heading, headings.back());
            EXPECT_TRUE(Holds(calls.Drawn(menu.Button(i), kLabelFormat), label));
            EXPECT_GE(calls.Played("#122", kClickFlags), 1);
            calls.Clear();
            MouseMove(menu.Button(i), 30, 6);
            ASSERT_TRUE(Sync(menu.window));
            EXPECT_EQ(0, calls.Played("#122", kClickFlags)) << "the same button again";
        }
        calls.Clear();
        MouseMove(menu.window, 300, 20);
        ASSERT_TRUE(WaitUntil(
            [&] {
                return Holds(calls.Drawn(menu.window, kDescriptionFormat),
                             strings(10 * language + 1));
            },
            3000));
        std::vector<std::string> headings = calls.Drawn(menu.window, kHeadingFormat);
        ASSERT_FALSE(headings.empty());
        EXPECT_EQ(strings(10 * language), headings.back());
        EXPECT_EQ(0, calls.Played("#122", kClickFlags));
    }
}

// tmHeight of the label font: 11-point bold in Verdana or else Tahoma,
// whichever the system has first, or Arial.
int LabelLineHeight()
{
    HDC dc = GetDC(nullptr);
    const char *face = "Arial";
    for (const char *candidate : {"Verdana", "Tahoma"}) {
        HFONT probe = CreateFontA(0, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, candidate);
        HGDIOBJ old = SelectObject(dc, probe);
        char selected[LF_FACESIZE] = "";
        GetTextFaceA(dc, sizeof selected, selected);
        DeleteObject(SelectObject(dc, old));
        if (lstrcmpiA(selected, candidate) == 0) {
            face = candidate;
            break;
        }
    }
    HFONT font = CreateFontA(-MulDiv(11, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_BOLD, 0, 0,
                             0, 0, 0, 0, 0, FF_SWISS, face);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    DeleteObject(SelectObject(dc, old));
    ReleaseDC(nullptr, dc);
    return tm.tmHeight;
}

// The window ends up 570 wide and 18 label lines tall, placed where the
// 530 x 360 window it was created as would be centred.
TEST(Menu, FinalWindowRectangle)
{
    Menu menu;
    ASSERT_TRUE(menu.Start());
    RECT r = WindowRectOnScreen(menu.window);
    EXPECT_EQ(570, r.right - r.left);
    EXPECT_EQ(18 * LabelLineHeight(), r.bottom - r.top);
    EXPECT_EQ((GetSystemMetrics(SM_CXFULLSCREEN) - 530) / 2, r.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYFULLSCREEN) - 360) / 2, r.top);
}

// Any program can send the menu its private highlight message. An index
// that names no button is ignored: the menu works on and ends with 0.
TEST(Menu, ForeignHighlightMessagesAreIgnored)
{
    Menu menu;
    ASSERT_TRUE(menu.Start());
    for (LPARAM index : {LPARAM(6), LPARAM(8), LPARAM(-2), LPARAM(0x40000000)})
        SendMessageA(menu.window, WM_USER, 0, index);
    MouseMove(menu.window, 300, 20);
    MouseMove(menu.Button(1), 20, 5);
    EXPECT_TRUE(menu.ButtonLit(1));
    MouseMove(menu.window, 300, 20);
    EXPECT_TRUE(menu.ButtonPlain(1));
    KeyPress(menu.window, VK_ESCAPE);
    DWORD code;
    EXPECT_TRUE(menu.Ends(&code));
    EXPECT_EQ(0u, code);
}

// The heading and description repaint only when the highlight has rested
// for the refresh delay.
TEST(Menu, TextAreaFollowsAfterTheRefreshDelay)
{
    Menu menu;
    ASSERT_TRUE(menu.Start());
    RECT area = TextArea(menu);
    std::vector<COLORREF> idle = CapturePixels(menu.window, area);
    ASSERT_GT(CountColour(idle, RGB(0, 0, 0)), 50) << "the heading and hint show";

    DWORD start = GetTickCount();
    MouseMove(menu.Button(0), 20, 5);
    ASSERT_TRUE(menu.ButtonLit(0, 2000));
    std::vector<COLORREF> early = CapturePixels(menu.window, area);
    DWORD early_at = GetTickCount() - start;
    if (early_at < 120) {
        EXPECT_EQ(idle, early) << "changed after " << early_at << " ms";
    }

    std::vector<COLORREF> now;
    ASSERT_TRUE(WaitUntil(
        [&] {
            now = CapturePixels(menu.window, area);
            return now != idle;
        },
        3000));
    EXPECT_GE(GetTickCount() - start, 140u);

    // Back onto the banner: the heading and hint come back, again late.
    MouseMove(menu.window, 300, 20);
    ASSERT_TRUE(WaitUntil([&] { return CapturePixels(menu.window, area) == idle; }, 3000));
}

// A sweep of the pointer down the whole column lights every button in turn,
// yet the heading and description are drawn once, after the sweep: the
// menu window itself takes exactly one WM_PAINT.
TEST(Menu, SweepRepaintsTheTextAreaOnce)
{
    Menu menu;
    ASSERT_TRUE(menu.Start());
    PaintCounter paints;
    ASSERT_TRUE(paints.Attach(menu.window));
    ASSERT_TRUE(WaitPainted(menu.window));
    paints.Reset();

    const int buttons = static_cast<int>(ChildWindows(menu.window).size());
    ASSERT_GE(buttons, 6);
    // Posted in one burst, the moves reach the menu well within the refresh
    // delay, however slow the machine, so the count cannot depend on timing.
    for (int i = 0; i < buttons; i++)
        MouseMove(menu.Button(i), 20, 5);
    ASSERT_TRUE(menu.ButtonLit(buttons - 1, 2000));
    // The one paint comes with the refresh timer, after the last move.
    ASSERT_TRUE(WaitUntil([&] { return paints.Count() >= 1; }, 3000));
    ASSERT_TRUE(WaitPainted(menu.window));
    EXPECT_EQ(paints.Count(), 1);
}

// Coming back to the menu, the keyboard is on the lit button again: Space
// runs it.
TEST(Menu, ReactivationReturnsTheFocusToTheLitButton)
{
    ClearRecorderLog();
    Menu menu;
    ASSERT_TRUE(menu.Start());
    MouseMove(menu.Button(0), 20, 5);
    ASSERT_TRUE(menu.ButtonLit(0));
    Process other;
    ASSERT_TRUE(other.Start(TestWindowExe()));
    HWND away = WaitForWindow(WindowQuery{"QlTestWindow", nullptr, other.Pid()});
    ASSERT_NE(nullptr, away);
    ASSERT_TRUE(ActivateWindow(away));
    ASSERT_TRUE(ActivateWindow(menu.window));
    SendKey(VK_SPACE);
    std::vector<RecorderEntry> log = WaitRecorderEntries(1);
    ASSERT_EQ(1u, log.size());
    EXPECT_TRUE(EndsWith(log[0].module, "HD and CD-ROM\\0009\\Setup.exe")) << log[0].module;
}

// ---- keys --------------------------------------------------------------

TEST(Menu, EscapeAndTheOtherWaysOut)
{
    struct {
        const char *what;
        std::function<void(const Menu &)> leave;
    } cases[] = {
        {"Escape in the window", [](const Menu &m) { KeyPress(m.window, VK_ESCAPE); }},
        {"Escape on a button",
         [](const Menu &m) {
             MouseMove(m.Button(2), 20, 5);
             m.ButtonLit(2);
             TypeChar(m.Button(2), 27);
         }},
        {"Alt+F4", [](const Menu &m) { SysCommand(m.window, SC_CLOSE); }},
        {"Exit by its mnemonic", [](const Menu &m) { KeyDown(m.window, 'X'); }},
    };
    for (const auto &c : cases) {
        Menu menu;
        ASSERT_TRUE(menu.Start()) << c.what;
        c.leave(menu);
        DWORD code;
        EXPECT_TRUE(menu.Ends(&code)) << c.what;
        EXPECT_EQ(0u, code) << c.what;
    }
}

TEST(Menu, EnterWithNothingHighlightedDoesNothing)
{
    ClearRecorderLog();
    Menu menu;
    ASSERT_TRUE(menu.Start());
    TypeChar(menu.window, '\r');
    EXPECT_TRUE(StartsNothingWithin(menu.process, 700));
    EXPECT_TRUE(menu.process.Running());
}

TEST(Menu, MnemonicSpaceAndEnterRunTheButton)
{
    struct {
        const char *what;
        std::function<void(const Menu &)> press;
        int lit;
        const char *started;
    } cases[] = {
        {"key H", [](const Menu &m) { KeyDown(m.window, 'H'); }, 0,
         "HD and CD-ROM\\0009\\Setup.exe"},
        {"Alt+D", [](const Menu &m) { AltKey(m.window, 'd'); }, 2, "Diskette Drive\\Setup.exe"},
        {"key C on a button",
         [](const Menu &m) {
             MouseMove(m.Button(4), 20, 5);
             KeyDown(m.Button(4), 'C');
         },
         1, "HD and CD-ROM\\0009\\Setup.exe"},
        {"Space on a button",
         [](const Menu &m) {
             MouseMove(m.Button(2), 20, 5);
             TypeChar(m.Button(2), ' ');
         },
         2, "Diskette Drive\\Setup.exe"},
        {"Enter on a button",
         [](const Menu &m) {
             MouseMove(m.Button(0), 20, 5);
             TypeChar(m.Button(0), '\r');
         },
         0, "HD and CD-ROM\\0009\\Setup.exe"},
    };
    for (const auto &c : cases) {
        ClearRecorderLog();
        Menu menu;
        ASSERT_TRUE(menu.Start()) << c.what;
        c.press(menu);
        EXPECT_TRUE(menu.ButtonLit(c.lit)) << c.what;
        ASSERT_FALSE(WaitRecorderEntries(1).empty()) << c.what;
        // A second start of the same press would already be queued behind
        // the first, so a move posted now reaches the menu after it; and a
        // program that has ended has written its line.
        MouseMove(menu.window, 300, 20);
        EXPECT_TRUE(menu.ButtonPlain(c.lit)) << c.what;
        EXPECT_TRUE(WaitUntil([&] { return menu.process.JobProcessCount() == 1; }, 5000)) << c.what;
        std::vector<RecorderEntry> log = ReadRecorderLog();
        std::string started;
        for (const RecorderEntry &entry : log)
            started += "\n  " + entry.module + " | " + entry.command_line;
        ASSERT_EQ(1u, log.size()) << c.what << ", started:" << started;
        EXPECT_TRUE(EndsWith(log[0].module, c.started)) << c.what << ": " << log[0].module;
    }
}

TEST(Menu_es, ProductButtonsHaveNoMnemonic)
{
    ClearRecorderLog();
    Menu menu;
    ASSERT_TRUE(menu.Start());
    for (char key : {'U', 'D', 'H', 'C'})
        KeyDown(menu.window, key);
    AltKey(menu.window, 'u');
    EXPECT_TRUE(StartsNothingWithin(menu.process, 700));
    KeyDown(menu.window, 'S'); // &Salir
    DWORD code;
    EXPECT_TRUE(menu.Ends(&code));
    EXPECT_EQ(0u, code);
}

// ---- button names ------------------------------------------------------

// Every button answers WM_GETTEXT with its label as the launcher's own
// string table holds it, "&" included, and there is no button beyond them.
void ExpectButtonsNamedByTheirLabels(int language)
{
    Menu menu;
    ASSERT_TRUE(menu.Start());
    HMODULE launcher =
        LoadLibraryExA(CdPath("Setup.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, launcher);
    int i = 0;
    for (char label[260];
         i < 8 && LoadStringA(launcher, 100 * language + i, label, sizeof label) > 0; i++) {
        ASSERT_NE(nullptr, menu.Button(i)) << label;
        EXPECT_EQ(label, WindowText(menu.Button(i))) << "button " << i;
    }
    FreeLibrary(launcher);
    EXPECT_EQ(6, i);
    EXPECT_EQ(nullptr, menu.Button(i));
}

TEST(Menu, ButtonsAreNamedByTheirLabels)
{
    ExpectButtonsNamedByTheirLabels(1);
}
TEST(Menu_es, ButtonsAreNamedByTheirLabels)
{
    ExpectButtonsNamedByTheirLabels(2);
}
TEST(Menu_fr, ButtonsAreNamedByTheirLabels)
{
    ExpectButtonsNamedByTheirLabels(3);
}

// ---- web probe ---------------------------------------------------------

TEST(Menu, UpdateButtonIsGreyAndInertWithoutTheWeb)
{
    struct {
        const char *what;
        std::function<void()> breakIt;
    } cases[] = {
        {"no TCP/IP", [] { RegRemoveValue(kRpcProtocols, "ncacn_ip_tcp"); }},
        {"empty TCP/IP", [] { RegSetString(kRpcProtocols, "ncacn_ip_tcp", ""); }},
        {"no .htm class", [] { RegRemoveKey("HKCR\\.htm"); }},
        // Values too long for their buffers cannot be read.
        {"overlong TCP/IP",
         [] { RegSetString(kRpcProtocols, "ncacn_ip_tcp", std::string(300, 'r')); }},
        {"overlong .htm command",
         [] { RegSetString("HKCR\\htmlfile\\shell\\open\\command", "", std::string(300, 'c')); }},
    };
    for (const auto &c : cases) {
        ScopedRegistryKey rpc(kRpcProtocols);
        ScopedRegistryKey htm("HKCR\\.htm");
        ScopedRegistryKey htmlfile("HKCR\\htmlfile");
        c.breakIt();
        ClearRecorderLog();
        Menu menu;
        ASSERT_TRUE(menu.Start()) << c.what;
        HWND update = menu.Button(3);
        EXPECT_GT(CountColour(CapturePixels(update, ClientArea(update)), kGreyText), 20) << c.what;
        EXPECT_EQ(0, CountColour(CapturePixels(update, ClientArea(update)), RGB(0, 0, 0)))
            << c.what;
        ClickButton(update);
        KeyDown(menu.window, 'U');
        TypeChar(update, ' ');
        EXPECT_TRUE(StartsNothingWithin(menu.process, 700)) << c.what;
        // Lit, it keeps the grey label.
        MouseMove(update, 20, 5);
        EXPECT_TRUE(menu.ButtonLit(3)) << c.what;
        EXPECT_GT(CountColour(CapturePixels(update, ClientArea(update)), kGreyText), 20) << c.what;
        EXPECT_TRUE(menu.process.Running()) << c.what;
    }
}

TEST(Menu, UpdateButtonIsBlackWithTheWeb)
{
    InstallWebFixtures();
    // A TCP/IP value of another type than a string is read all the same.
    for (bool number : {false, true}) {
        ScopedRegistryKey rpc(kRpcProtocols);
        if (number)
            RegSetDword(kRpcProtocols, "ncacn_ip_tcp", 1);
        Menu menu;
        ASSERT_TRUE(menu.Start()) << number;
        HWND update = menu.Button(3);
        std::vector<COLORREF> pixels = CapturePixels(update, ClientArea(update));
        EXPECT_EQ(0, CountColour(pixels, kGreyText)) << number;
        EXPECT_GT(CountColour(pixels, RGB(0, 0, 0)), 20) << number;
    }
}

// The hand shows over a button that works; an unavailable one keeps the
// arrow, and so does the window itself.
TEST(Menu, HandCursorOnlyOverAvailableButtons)
{
    ScopedRegistryKey rpc(kRpcProtocols);
    RegRemoveValue(kRpcProtocols, "ncacn_ip_tcp");
    Menu menu;
    ASSERT_TRUE(menu.Start());
    ASSERT_TRUE(ActivateWindow(menu.window));
    auto cursorOver = [&](HWND window, int x, int y) {
        POINT p = {x, y};
        ClientToScreen(window, &p);
        SendMouseMove(p.x, p.y);
        HCURSOR shown = nullptr;
        WaitUntil(
            [&] {
                CURSORINFO info = {};
                info.cbSize = sizeof info;
                GetCursorInfo(&info);
                shown = info.hCursor;
                return false;
            },
            300);
        return shown;
    };
    // The system's arrow is a handle of the launcher's own; read it over
    // the banner.
    HCURSOR arrow = cursorOver(menu.window, 300, 20);
    HCURSOR hand = cursorOver(menu.Button(0), 30, 5);
    EXPECT_NE(nullptr, hand);
    EXPECT_NE(arrow, hand);
    EXPECT_TRUE(menu.ButtonLit(0));
    EXPECT_EQ(arrow, cursorOver(menu.Button(3), 30, 5));
    EXPECT_TRUE(menu.ButtonLit(3));
    EXPECT_EQ(hand, cursorOver(menu.Button(5), 30, 5));
    EXPECT_EQ(arrow, cursorOver(menu.window, 300, 20));
    ParkPointer();
}

// ---- screenshots -------------------------------------------------------

void Screenshot(const char *name, int highlight)
{
    InstallWebFixtures();
    Menu menu;
    ASSERT_TRUE(menu.Start());
    RECT area = TextArea(menu);
    std::vector<COLORREF> idle = CapturePixels(menu.window, area);
    if (highlight >= 0) {
        MouseMove(menu.Button(highlight), 20, 5);
        ASSERT_TRUE(menu.ButtonLit(highlight));
        ASSERT_TRUE(WaitUntil([&] { return CapturePixels(menu.window, area) != idle; }, 3000));
    }
    WaitPainted(menu.window);
    CreateDirectoryA(ScreenshotDir().c_str(), nullptr);
    EXPECT_TRUE(SaveScreenshot(menu.window, ScreenshotDir() + name));
}

TEST(Menu, Screenshot)
{
    Screenshot("launcher-en.bmp", 0);
}
TEST(Menu_es, Screenshot)
{
    Screenshot("launcher-es.bmp", 3);
}
TEST(Menu_fr, Screenshot)
{
    Screenshot("launcher-fr.bmp", 4);
}

} // namespace
