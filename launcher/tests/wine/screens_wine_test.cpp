// The menu on screens beyond 96 DPI and in a high-contrast theme. Wine
// takes a program's DPI from HKCU\Control Panel\Desktop\LogPixels when the
// program starts; its SystemParametersInfo cannot set high contrast, so the
// test menu reads the flags from the registry instead (tests/variant).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "launcher_cd.h"

using namespace qlh;

namespace {

const char kDesktop[] = "HKCU\\Control Panel\\Desktop";
const char kColours[] = "HKCU\\Control Panel\\Colors";
const char kHighContrast[] = "HKCU\\Control Panel\\Accessibility\\HighContrast";

// The driver reads the menu's rectangles in the menu's own pixels, not
// mapped to a 96-DPI caller.
void SeeRealPixels()
{
    using SetContext = HANDLE(WINAPI *)(HANDLE);
    auto set = reinterpret_cast<SetContext>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
    if (set)
        set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))); // per monitor v2
}

// Programs started while it lives see a screen of `dpi`.
class ScopedDpi {
public:
    explicit ScopedDpi(int dpi) : key_(kDesktop) { RegSetDword(kDesktop, "LogPixels", dpi); }

private:
    ScopedRegistryKey key_;
};

RECT InClient(HWND window, HWND child)
{
    RECT r = WindowRectOnScreen(child);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

// The smallest rectangle around every pixel of the area that differs from
// the background colour.
RECT Ink(HWND window, const RECT &area, COLORREF background)
{
    std::vector<COLORREF> pixels;
    RECT ink = {area.right, area.bottom, area.left, area.top};
    if (!ClientPixels(window, area, &pixels))
        return ink;
    LONG w = area.right - area.left;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] == background)
            continue;
        LONG x = area.left + static_cast<LONG>(i % w), y = area.top + static_cast<LONG>(i / w);
        ink.left = std::min(ink.left, x);
        ink.top = std::min(ink.top, y);
        ink.right = std::max(ink.right, x + 1);
        ink.bottom = std::max(ink.bottom, y + 1);
    }
    return ink;
}

struct MenuGeometry {
    RECT window;
    RECT client;
    std::vector<RECT> buttons;
    RECT textInk; // heading and description, idle
};

class Screens : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        shipped_ = new LauncherCd(ShippedLauncherExe());
        variant_ = new LauncherCd(VariantLauncherExe());
    }
    static void TearDownTestSuite()
    {
        delete shipped_;
        delete variant_;
        shipped_ = variant_ = nullptr;
    }
    void SetUp() override
    {
        SeeRealPixels();
        SendMouseMove(0, 0);
    }

    static LauncherCd *shipped_;
    static LauncherCd *variant_;
};
LauncherCd *Screens::shipped_;
LauncherCd *Screens::variant_;

const COLORREF kLightBlue = RGB(141, 185, 216);

// The pixels are read only where the window fits the test's screen: at
// 192 DPI the menu is wider than 1024 pixels.
bool OnScreen(HWND window)
{
    RECT r = WindowRectOnScreen(window);
    return r.left >= 0 && r.top >= 0 && r.right <= GetSystemMetrics(SM_CXSCREEN) &&
        r.bottom <= GetSystemMetrics(SM_CYSCREEN);
}

bool Measure(RunningLauncher &run, MenuGeometry *g)
{
    g->window = WindowRectOnScreen(run.menu);
    GetClientRect(run.menu, &g->client);
    for (int i = 0; i < 6; i++)
        g->buttons.push_back(InClient(run.menu, FindChild(run.menu, i)));
    g->textInk = RECT{0, 0, 0, 0};
    if (!OnScreen(run.menu))
        return true;
    if (!WaitClientPixel(run.menu, 2, 2, RGB(85, 128, 152)) || !WaitPainted(run.menu))
        return false;
    RECT text = {g->buttons[0].right + 1, g->buttons[0].top, g->client.right, g->client.bottom};
    g->textInk = Ink(run.menu, text, kLightBlue);
    return true;
}

bool MeasureAt(const LauncherCd &cd, int dpi, MenuGeometry *g, const char *screenshot = nullptr)
{
    ScopedDpi screen(dpi);
    SendMouseMove(0, 0);
    RunningLauncher run;
    if (!StartLauncher(run, cd, "-0009") || !DismissNotice(run) || !Measure(run, g))
        return false;
    if (screenshot) {
        EXPECT_TRUE(SaveScreenshot(run.menu, ScreenshotPath(screenshot)));
    }
    return true;
}

// Within a pixel of base scaled by dpi / 96.
::testing::AssertionResult Scaled(LONG base, LONG value, int dpi)
{
    double want = base * dpi / 96.0;
    if (std::abs(value - want) <= 1.0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << value << " is not " << base << " scaled to " << dpi << " DPI (" << want << ")";
}

// At 120, 144 and 192 DPI the menu is the 96-DPI one in proportion: its
// size, every button's edges, and the place of its texts; every label fits
// its button and no text reaches past the window.
TEST_F(Screens, LayoutScalesWithTheScreensDpi)
{
    MenuGeometry base;
    ASSERT_TRUE(MeasureAt(*shipped_, 96, &base));
    EXPECT_EQ(570, base.window.right - base.window.left);
    for (int dpi : {120, 144, 192}) {
        SCOPED_TRACE(dpi);
        MenuGeometry g;
        std::string name = "launcher-en-" + std::to_string(dpi) + "dpi.bmp";
        ASSERT_TRUE(MeasureAt(*shipped_, dpi, &g, dpi == 192 ? nullptr : name.c_str()));
        EXPECT_TRUE(Scaled(570, g.window.right - g.window.left, dpi));
        EXPECT_TRUE(
            Scaled(base.window.bottom - base.window.top, g.window.bottom - g.window.top, dpi));
        for (int i = 0; i < 6; i++) {
            EXPECT_TRUE(Scaled(base.buttons[i].top, g.buttons[i].top, dpi)) << "button " << i;
            EXPECT_TRUE(Scaled(base.buttons[i].bottom, g.buttons[i].bottom, dpi)) << i;
            EXPECT_TRUE(Scaled(base.buttons[i].right, g.buttons[i].right, dpi)) << i;
            EXPECT_EQ(0, g.buttons[i].left);
        }
        // The text area starts where the scaled one does (a glyph's bearing
        // aside) and its texts stay inside the window.
        if (IsRectEmpty(&g.textInk))
            continue;
        EXPECT_LE(std::abs(g.textInk.left - base.textInk.left * dpi / 96), 2 * dpi / 96);
        EXPECT_LE(std::abs(g.textInk.top - base.textInk.top * dpi / 96), 2 * dpi / 96);
        EXPECT_LT(g.textInk.right, g.client.right);
        EXPECT_LT(g.textInk.bottom, g.client.bottom);
    }
}

// High Contrast Black as Windows sets it.
const COLORREF kHcWindow = RGB(0, 0, 0);
const COLORREF kHcText = RGB(255, 255, 255);
const COLORREF kHcHighlight = RGB(26, 235, 255);
const COLORREF kHcHighlightText = RGB(0, 0, 0);

class HighContrastTheme {
public:
    HighContrastTheme() : colours_(kColours), flags_(kHighContrast)
    {
        RegSetString(kColours, "Window", "0 0 0");
        RegSetString(kColours, "WindowText", "255 255 255");
        RegSetString(kColours, "Hilight", "26 235 255");
        RegSetString(kColours, "HilightText", "0 0 0");
        RegSetString(kColours, "GrayText", "63 242 63");
        Switch(true);
    }
    void Switch(bool on) { RegSetString(kHighContrast, "Flags", on ? "127" : "126"); }

private:
    ScopedRegistryKey colours_;
    ScopedRegistryKey flags_;
};

// Relative luminance and contrast ratio as accessibility guidelines
// define them.
double Luminance(COLORREF c)
{
    auto channel = [](int v) {
        double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) +
        0.0722 * channel(GetBValue(c));
}
double Contrast(COLORREF a, COLORREF b)
{
    double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// In a high-contrast theme the menu takes the system's colours: the window
// colour behind everything, window text on it, the highlight on the lit
// button; it follows the theme as it is switched off and on again.
TEST_F(Screens, HighContrastThemeGivesTheSystemsColours)
{
    HighContrastTheme theme;
    RunningLauncher run;
    ASSERT_TRUE(StartLauncher(run, *variant_, "-0009"));
    ASSERT_TRUE(DismissNotice(run));
    ASSERT_TRUE(WaitClientPixel(run.menu, 2, 2, kHcWindow));
    RECT client;
    GetClientRect(run.menu, &client);
    HWND first = FindChild(run.menu, 0);
    RECT b0 = InClient(run.menu, first);
    EXPECT_TRUE(WaitClientPixel(run.menu, client.right - 2, client.bottom - 2, kHcWindow));
    EXPECT_TRUE(WaitClientPixel(first, 2, 2, kHcWindow));

    // The text area holds the window colour and the text colour, whose
    // contrast is the theme's own; nothing of the menu's blues is left.
    RECT text = {b0.right + 1, 72, client.right, client.bottom};
    std::vector<COLORREF> pixels;
    ASSERT_TRUE(WaitPainted(run.menu));
    ASSERT_TRUE(ClientPixels(run.menu, text, &pixels));
    std::map<COLORREF, int> count;
    for (COLORREF c : pixels)
        count[c]++;
    EXPECT_GT(count[kHcText], 50);
    EXPECT_GT(count[kHcWindow], static_cast<int>(pixels.size()) / 2);
    EXPECT_EQ(0, count[kLightBlue]);
    EXPECT_GE(Contrast(kHcText, kHcWindow), 7.0);
    std::vector<COLORREF> all;
    ASSERT_TRUE(ClientPixels(run.menu, client, &all));
    EXPECT_EQ(0, std::count(all.begin(), all.end(), kLightBlue));
    EXPECT_EQ(0, std::count(all.begin(), all.end(), RGB(85, 128, 152)));

    // The lit button: the system highlight with its text colour.
    MouseMove(first, 20, 5);
    EXPECT_TRUE(WaitClientPixel(first, 2, 2, kHcHighlight));
    std::vector<COLORREF> lit;
    ASSERT_TRUE(WaitPainted(run.menu));
    ASSERT_TRUE(ClientPixels(first, RECT{0, 0, b0.right - b0.left, b0.bottom - b0.top}, &lit));
    EXPECT_GT(std::count(lit.begin(), lit.end(), kHcHighlightText), 20);
    EXPECT_GE(Contrast(kHcHighlight, kHcHighlightText), 7.0);
    EXPECT_TRUE(SaveScreenshot(run.menu, ScreenshotPath("launcher-en-high-contrast.bmp")));

    // Off and on again while it is open.
    theme.Switch(false);
    SendMessageA(run.menu, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_TRUE(WaitClientPixel(run.menu, client.right - 2, client.bottom - 2, kLightBlue));
    EXPECT_TRUE(WaitClientPixel(run.menu, 2, 2, RGB(85, 128, 152)));
    theme.Switch(true);
    SendMessageA(run.menu, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_TRUE(WaitClientPixel(run.menu, client.right - 2, client.bottom - 2, kHcWindow));
    EXPECT_TRUE(WaitClientPixel(run.menu, 2, 2, kHcWindow));
}

} // namespace
