// The menu window: banner, a column of owner-drawn buttons, and the heading
// and description of the highlighted button beside them.
#include "windows/menu_window.h"

#include <mmsystem.h>

#include "core/action_command.h"
#include "core/colours.h"
#include "core/keyboard.h"
#include "core/language.h"
#include "core/layout.h"
#include "core/menu_model.h"
#include "resource.h"
#include "windows/display_colours.h"
#include "windows/drawing.h"
#include "windows/high_contrast.h"
#include "windows/menu_button.h"
#include "windows/menu_commands.h"
#include "common/windows/string_row.h"
#include "common/windows/system_library.h"
#include "windows/web_access.h"

namespace {

// What CreateMenuWindow hands to WM_NCCREATE and WM_CREATE.
struct MenuStart {
    unsigned short language;
    char *commandLine;
};

constexpr UINT_PTR kTextRefreshTimer = 3;
const UINT kTextRefreshDelay = 150;
const int kLabelPoints = 11;
const int kHeadingPoints = 13;
const int kDescriptionPoints = 10;

class GdiMeasure : public TextMeasure {
public:
    explicit GdiMeasure(HDC dc) : dc_(dc) {}
    int Width(const char *text) const override
    {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc_, text, lstrlenA(text), &size);
        return size.cx;
    }

private:
    HDC dc_;
};

void StartTextRefresh(HWND window)
{
    // Setting the timer again restarts it, so a sweep over the column
    // repaints the text area once, after the pointer stops.
    SetTimer(window, kTextRefreshTimer, kTextRefreshDelay, nullptr);
}

void ChooseFaceName(HWND window, MenuState &menu)
{
    const char *face = "Arial";
    if (IsFontInstalled(window, "Verdana"))
        face = "Verdana";
    else if (IsFontInstalled(window, "Tahoma"))
        face = "Tahoma";
    lstrcpynA(menu.FaceName, face, sizeof menu.FaceName);
}

MenuLook CurrentLook(const MenuState &menu)
{
    if (!HighContrastOn())
        return LookForDisplay(menu.PaletteDisplay);
    SystemColours system = {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT),
                            GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT),
                            GetSysColor(COLOR_GRAYTEXT)};
    return LookForHighContrast(system);
}

// The brushes and the banner of the current look. A theme change makes
// them again: the new ones are in place before the old ones go, since the
// palette display's class background is one of them.
void ApplyLook(HWND window, MenuState &menu)
{
    HGDIOBJ old[] = {menu.NormalBrush, menu.HighlightBrush, menu.BannerBrush, menu.RuleBrush,
                     menu.BannerBitmap};
    menu.Look = CurrentLook(menu);
    menu.NormalBrush = CreateSolidBrush(menu.Look.fills.normal);
    menu.HighlightBrush = CreateSolidBrush(menu.Look.fills.highlight);
    menu.BannerBrush = CreateSolidBrush(menu.Look.fills.banner);
    menu.RuleBrush = CreateSolidBrush(menu.Look.rule);
    if (menu.PaletteDisplay)
        SetClassLongPtrA(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(menu.NormalBrush));
    if (menu.Look.highContrast) {
        // The black-on-white art in window text on the window colour, so
        // that it reads in a dark theme as well as in a light one.
        HDC dc = GetDC(window);
        menu.BannerBitmap = LoadGreyBitmapInColours(menu.MenuInstance, menu.BannerId, dc,
                                                    menu.Look.text, menu.Look.fills.banner);
        ReleaseDC(window, dc);
    } else {
        menu.BannerBitmap = LoadBitmapA(menu.MenuInstance, MAKEINTRESOURCEA(menu.BannerId));
    }
    for (HGDIOBJ object : old) {
        if (object)
            DeleteObject(object);
    }
}

// The column is measured in the label font of a 96-DPI screen, the layout's
// own; the labels are drawn in the screen's size, and where its hinting
// makes them wider than the scaled column, the column widens to hold them.
FontMetrics MeasureButtons(HDC dc, MenuState &menu, const StringSource &strings)
{
    HFONT font = CreateMenuFontFor(kLayoutDpi, kLabelPoints, FW_BOLD, menu.FaceName);
    HGDIOBJ oldFont = SelectObject(dc, font);
    FontMetrics label = MetricsOf(dc);
    menu.ButtonHeight = ButtonHeightFor(label);
    menu.ButtonWidth = ButtonWidthFor(WidestLabel(strings, GdiMeasure(dc)), label);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    // At 96 DPI this measures the same fonts again and changes nothing.
    font = CreateMenuFontFor(menu.Dpi, kLabelPoints, FW_BOLD, menu.FaceName);
    oldFont = SelectObject(dc, font);
    int drawn = ButtonWidthFor(WidestLabel(strings, GdiMeasure(dc)), MetricsOf(dc));
    SelectObject(dc, oldFont);
    DeleteObject(font);
    int holding = LayoutPixelsHolding(drawn, menu.Dpi);
    if (holding > menu.ButtonWidth)
        menu.ButtonWidth = holding;
    return label;
}

void PlaceWindow(HWND window, const MenuState &menu, const FontMetrics &label)
{
    RECT created, client;
    GetWindowRect(window, &created);
    GetClientRect(window, &client);
    int frame = (created.bottom - created.top) - (client.bottom - client.top);
    int height = MenuWindowHeight(label, menu.ButtonCount, menu.ButtonHeight, frame, menu.Dpi);
    WindowPlacement p =
        PlaceMenuWindow(GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN),
                        FromRECT(created), height, menu.Dpi);
    SetWindowPos(window, nullptr, p.x, p.y, p.width, p.height, SWP_SHOWWINDOW);
}

void ReadMnemonics(MenuState &menu, const StringSource &strings)
{
    char label[kTextBufferSize];
    for (int i = 0; i < kMaxButtons; i++) {
        menu.ButtonMnemonic[i] = 0;
        if (i < menu.ButtonCount &&
            strings.Load(LabelId(menu.LanguageIndex, i), label, sizeof label))
            menu.ButtonMnemonic[i] = MnemonicOf(label);
    }
}

void CreateButtons(HWND window, MenuState &menu, const StringSource &strings)
{
    char label[kTextBufferSize];
    for (int i = 0; i < menu.ButtonCount; i++) {
        strings.Load(LabelId(menu.LanguageIndex, i), label, sizeof label);
        menu.ButtonWindow[i] = CreateMenuButton(window, menu, i, label);
    }
}

// The state is made before anything else reaches the window, and set to
// its empty values: no highlight, no buttons, no objects.
LRESULT OnNcCreate(HWND window, const CREATESTRUCTA *create)
{
    MenuState *menu =
        static_cast<MenuState *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(MenuState)));
    if (!menu)
        return FALSE;
    const MenuStart *start = static_cast<const MenuStart *>(create->lpCreateParams);
    menu->MenuInstance = create->hInstance;
    menu->LanguageIndex = start->language;
    menu->HighlightedButton = -1;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(menu));
    return DefWindowProcA(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create));
}

LRESULT OnCreate(HWND window, MenuState &menu, const CREATESTRUCTA *create)
{
    const MenuStart *start = static_cast<const MenuStart *>(create->lpCreateParams);
    if (LowercaseAndFindRemove(start->commandLine)) {
        DestroyWindow(window);
        return 1;
    }

    HDC dc = GetDC(window);
    menu.Dpi = ScreenDpi(dc);
    menu.PaletteDisplay = IsPaletteDisplay(DisplayColours(dc), GetDeviceCaps(dc, RASTERCAPS));
    ProbeWebAccess(menu);
    // The banners of 96, 120, 144 and 192 DPI have consecutive ids.
    menu.BannerId = IDB_BANNER + BannerArtFor(menu.Dpi);
    ApplyLook(window, menu);
    ChooseFaceName(window, menu);

    ResourceStrings strings(menu.MenuInstance);
    FontMetrics label = MeasureButtons(dc, menu, strings);

    menu.ButtonCount = CountButtons(strings, menu.LanguageIndex);
    PlaceWindow(window, menu, label);
    ReadMnemonics(menu, strings);
    CreateButtons(window, menu, strings);
    menu.HandCursor = LoadCursorA(menu.MenuInstance, MAKEINTRESOURCEA(IDC_HANDCUR));

    RECT client;
    GetClientRect(window, &client);
    menu.BannerRect = ToRECT(BannerRectFor(FromRECT(client), menu.Dpi));
    menu.TextRect = ToRECT(TextRectFor(FromRECT(client), menu.ButtonWidth, label, menu.Dpi));
    if (menu.PaletteDisplay)
        InvalidateRect(window, nullptr, FALSE);

    ReleaseDC(window, dc);

    // The start-up notice opens as soon as the message loop runs.
    PostMessageA(window, WM_COMMAND, kMessageCommandId, 0);
    return 0;
}

void DrawBanner(HDC dc, const MenuState &menu)
{
    FillRect(dc, &menu.BannerRect, menu.BannerBrush);
    if (menu.PaletteDisplay) {
        RECT line = ToRECT(RuleRect(kBannerBottom, 0, menu.Dpi));
        line.right = menu.BannerRect.right;
        FillRect(dc, &line, menu.RuleBrush);
    }
    // SRCAND keeps the black artwork and lets the banner colour through its
    // white background; the high-contrast art comes in its colours already.
    int margin =
        BannerMargin(BitmapResourceDimension(menu.MenuInstance, menu.BannerId, 0), menu.Dpi);
    DrawBitmap(dc, margin, margin, menu.BannerRect.right, menu.BannerRect.bottom, menu.BannerBitmap,
               menu.Look.highContrast ? SRCCOPY : SRCAND);
}

void DrawSeparators(HDC dc, const MenuState &menu)
{
    int rows[kMaxButtons + 1];
    int n = SeparatorRows(menu.ButtonCount, menu.ButtonHeight, rows, kMaxButtons + 1);
    for (int k = 0; k < n; k++) {
        RECT rule = ToRECT(RuleRect(rows[k], menu.ButtonWidth, menu.Dpi));
        FillRect(dc, &rule, menu.RuleBrush);
    }
}

void DrawTextArea(HDC dc, const MenuState &menu)
{
    char text[kTextBufferSize];
    SetTextColor(dc, menu.Look.text);
    SetBkColor(dc, menu.Look.textBackground);

    HFONT headingFont = CreateMenuFont(dc, kHeadingPoints, FW_BOLD, menu.FaceName);
    HGDIOBJ oldFont = SelectObject(dc, headingFont);
    FontMetrics heading = MetricsOf(dc);
    LoadText(menu.MenuInstance, TextAreaHeadingId(menu.LanguageIndex, menu.HighlightedButton), text,
             sizeof text);
    StripMnemonicMarker(text);
    int oldExtra = SetTextCharacterExtra(dc, HeadingCharacterExtra(heading));
    RECT r = ToRECT(HeadingRectFor(FromRECT(menu.TextRect), heading));
    DrawTextA(dc, text, -1, &r, DT_WORDBREAK);
    SetTextCharacterExtra(dc, oldExtra);
    SelectObject(dc, oldFont);
    DeleteObject(headingFont);

    HFONT descriptionFont = CreateMenuFont(dc, kDescriptionPoints, FW_NORMAL, menu.FaceName);
    oldFont = SelectObject(dc, descriptionFont);
    FontMetrics description = MetricsOf(dc);
    r = ToRECT(DescriptionRectFor(FromRECT(r), heading, description));
    LoadText(menu.MenuInstance, TextAreaDescriptionId(menu.LanguageIndex, menu.HighlightedButton),
             text, sizeof text);
    DrawTextA(dc, text, -1, &r, DT_WORDBREAK | DT_EXPANDTABS);
    SelectObject(dc, oldFont);
    DeleteObject(descriptionFont);
}

LRESULT OnPaint(HWND window, const MenuState &menu)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    SetMapMode(dc, MM_TEXT);
    DrawBanner(dc, menu);
    DrawSeparators(dc, menu);
    DrawTextArea(dc, menu);
    EndPaint(window, &ps);
    return 0;
}

LRESULT OnDrawItem(const MenuState &menu, const DRAWITEMSTRUCT *item)
{
    if (!item)
        return 0;
    int c = static_cast<int>(item->CtlID);
    if (c < 0 || c >= menu.ButtonCount)
        return 0;
    MenuButtonLook look =
        LookOfButton(menu.Look, c == menu.HighlightedButton, menu.ButtonUnavailable[c] != 0);
    HDC dc = item->hDC;
    SetMapMode(dc, MM_TEXT);
    FillRect(dc, &item->rcItem, look.lit ? menu.HighlightBrush : menu.NormalBrush);
    SetTextColor(dc, look.text);

    HFONT font = CreateMenuFont(dc, kLabelPoints, FW_BOLD, menu.FaceName);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    char label[kTextBufferSize];
    LoadText(menu.MenuInstance, LabelId(menu.LanguageIndex, c), label, sizeof label);
    RECT r = item->rcItem;
    r.left += MetricsOf(dc).aveCharWidth;
    // Drawn as stored, so the letter after "&" shows underlined.
    DrawTextA(dc, label, -1, &r, DT_SINGLELINE | DT_VCENTER);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    return 0;
}

LRESULT OnKeyDown(HWND window, const MenuState &menu, WPARAM key, LPARAM lParam)
{
    int matches[kMaxButtons];
    int n = MatchMnemonics(menu.ButtonMnemonic, menu.ButtonCount, static_cast<int>(key), matches);
    if (n == 0)
        return DefWindowProcA(window, WM_KEYDOWN, key, lParam);
    // A command may end the menu, and its state with it.
    for (int k = 0; k < n && IsWindow(window); k++)
        FocusAndRunButton(window, menu, matches[k]);
    return 0;
}

LRESULT OnChar(HWND window, const MenuState &menu, WPARAM ch)
{
    bool shift = GetKeyState(VK_SHIFT) < 0;
    CarryOutKeyAction(
        window, menu,
        RouteMenuChar(static_cast<int>(ch), menu.HighlightedButton, menu.ButtonCount, shift));
    return 0;
}

LRESULT OnSysCommand(HWND window, const MenuState &menu, WPARAM command, LPARAM lParam)
{
    int button = MatchSystemCommand(menu.ButtonMnemonic, menu.ButtonCount,
                                    static_cast<unsigned>(command), LOWORD(lParam));
    if (button < 0)
        return DefWindowProcA(window, WM_SYSCOMMAND, command, lParam);
    FocusAndRunButton(window, menu, button);
    return 0;
}

LRESULT OnTimer(HWND window, const MenuState &menu, WPARAM id)
{
    if (id == kTextRefreshTimer) {
        KillTimer(window, kTextRefreshTimer);
        InvalidateRect(window, &menu.TextRect, TRUE);
    }
    return 0;
}

// The pointer is over the window's own area (banner, text, gaps): the
// highlight goes.
LRESULT OnMouseMove(HWND window, MenuState &menu)
{
    if (menu.HighlightedButton < 0)
        return 0;
    InvalidateRect(menu.ButtonWindow[menu.HighlightedButton], nullptr, TRUE);
    menu.HighlightedButton = -1;
    SetFocus(window);
    StartTextRefresh(window);
    return 0;
}

// Any process can send the highlight message to the menu: an index that
// names no button would later be read as one.
LRESULT OnButtonHighlighted(HWND window, MenuState &menu, LPARAM button)
{
    if (button < 0 || button >= menu.ButtonCount)
        return 0;
    PlayClickSound(menu);
    menu.HighlightedButton = static_cast<int>(button);
    StartTextRefresh(window);
    return 0;
}

// Activation puts the focus on the window itself; give it back to the
// highlighted button, as a dialog closing over the menu expects.
LRESULT OnActivate(HWND window, const MenuState &menu, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefWindowProcA(window, WM_ACTIVATE, wParam, lParam);
    if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && menu.HighlightedButton >= 0 &&
        menu.HighlightedButton < menu.ButtonCount)
        SetFocus(menu.ButtonWindow[menu.HighlightedButton]);
    return result;
}

void RepaintForPalette(HWND window)
{
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

LRESULT OnQueryNewPalette(HWND window, const MenuState &menu)
{
    if (menu.PaletteDisplay)
        RepaintForPalette(window);
    return TRUE;
}

LRESULT OnPaletteChanged(HWND window, const MenuState &menu, WPARAM changer, LPARAM lParam)
{
    if (menu.PaletteDisplay && reinterpret_cast<HWND>(changer) != window)
        RepaintForPalette(window);
    return DefWindowProcA(window, WM_PALETTECHANGED, changer, lParam);
}

// A theme or a system colour changed while the menu is open: the look
// follows, all of it at once.
LRESULT OnThemeChange(HWND window, MenuState &menu, UINT message, WPARAM wParam, LPARAM lParam)
{
    ApplyLook(window, menu);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return DefWindowProcA(window, message, wParam, lParam);
}

// The class background is the menu's own blue; in a high-contrast theme the
// window colour takes its place.
LRESULT OnEraseBackground(HWND window, const MenuState &menu, WPARAM wParam, LPARAM lParam)
{
    if (!menu.Look.highContrast)
        return DefWindowProcA(window, WM_ERASEBKGND, wParam, lParam);
    RECT client;
    GetClientRect(window, &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, menu.NormalBrush);
    return 1;
}

LRESULT OnDestroy()
{
    PostQuitMessage(0);
    return 0;
}

// The last message: what the window made for its lifetime goes with it,
// the banner bitmap, the four brushes and the state itself.
LRESULT OnNcDestroy(HWND window, MenuState *menu)
{
    HGDIOBJ objects[] = {menu->BannerBitmap, menu->HighlightBrush, menu->BannerBrush,
                         menu->NormalBrush, menu->RuleBrush};
    for (HGDIOBJ object : objects) {
        if (object)
            DeleteObject(object);
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    HeapFree(GetProcessHeap(), 0, menu);
    return DefWindowProcA(window, WM_NCDESTROY, 0, 0);
}

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        return OnNcCreate(window, reinterpret_cast<const CREATESTRUCTA *>(lParam));
    MenuState *state = MenuStateOf(window);
    if (!state)
        return DefWindowProcA(window, message, wParam, lParam);
    MenuState &menu = *state;
    switch (message) {
    case WM_CREATE:
        return OnCreate(window, menu, reinterpret_cast<const CREATESTRUCTA *>(lParam));
    case WM_DESTROY:
        return OnDestroy();
    case WM_NCDESTROY:
        return OnNcDestroy(window, state);
    case WM_PAINT:
        return OnPaint(window, menu);
    case WM_ERASEBKGND:
        return OnEraseBackground(window, menu, wParam, lParam);
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        return OnThemeChange(window, menu, message, wParam, lParam);
    case WM_DRAWITEM:
        return OnDrawItem(menu, reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
    case WM_KEYDOWN:
        return OnKeyDown(window, menu, wParam, lParam);
    case WM_CHAR:
        return OnChar(window, menu, wParam);
    case WM_SYSCOMMAND:
        return OnSysCommand(window, menu, wParam, lParam);
    case WM_TIMER:
        return OnTimer(window, menu, wParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(window, menu);
    case WM_ACTIVATE:
        return OnActivate(window, menu, wParam, lParam);
    case WM_QUERYNEWPALETTE:
        return OnQueryNewPalette(window, menu);
    case WM_PALETTECHANGED:
        return OnPaletteChanged(window, menu, wParam, lParam);
    case kButtonHighlightedMessage:
        return OnButtonHighlighted(window, menu, lParam);
    case WM_COMMAND:
        return OnMenuCommand(window, menu, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

void RegisterMenuClass(HINSTANCE instance)
{
    WNDCLASSEXA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MenuWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_LAUNCHER));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_LAUNCHER), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(kClassBackground);
    wc.lpszClassName = kMenuClassName;
    RegisterClassExA(&wc);
}

HWND CreateMenuWindow(HINSTANCE instance, const char *title, unsigned short language,
                      char *commandLine)
{
    MenuStart start = {language, commandLine};
    // Created at the size the layout scales to, so that it is centred as
    // the 96-DPI window is.
    HDC screen = GetDC(nullptr);
    int dpi = ScreenDpi(screen);
    ReleaseDC(nullptr, screen);
    // Popup with caption, system menu and minimize box, no sizing border.
    const DWORD style = WS_POPUP | WS_BORDER | WS_DLGFRAME | WS_SYSMENU | WS_MINIMIZEBOX;
    return CreateWindowExA(WS_EX_STATICEDGE, kMenuClassName, title, style, CW_USEDEFAULT,
                           CW_USEDEFAULT, ScaleToDpi(kCreatedWidth, dpi),
                           ScaleToDpi(kCreatedHeight, dpi), nullptr, nullptr, instance, &start);
}

MenuState *MenuStateOf(HWND menu)
{
    return reinterpret_cast<MenuState *>(GetWindowLongPtrA(menu, GWLP_USERDATA));
}

void PlayClickSound(const MenuState &menu)
{
    typedef BOOL(WINAPI * PlaySoundFunction)(LPCSTR, HMODULE, DWORD);
    if (PlaySoundFunction play = SystemFunction<PlaySoundFunction>(kWinmm, "PlaySoundA"))
        play(MAKEINTRESOURCEA(IDW_CLICK), menu.MenuInstance, SND_RESOURCE | SND_NOSTOP | SND_ASYNC);
}

void FocusButton(const MenuState &menu, int button)
{
    if (button >= 0 && button < menu.ButtonCount)
        SetFocus(menu.ButtonWindow[button]);
}

void CarryOutKeyAction(HWND window, const MenuState &menu, const KeyAction &action)
{
    switch (action.kind) {
    case KeyActionKind::kFocus:
        FocusButton(menu, action.button);
        break;
    case KeyActionKind::kCommand:
        SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(action.button), 0);
        break;
    case KeyActionKind::kClose:
        DestroyWindow(window);
        break;
    case KeyActionKind::kNone:
        break;
    }
}

void FocusAndRunButton(HWND window, const MenuState &menu, int button)
{
    FocusButton(menu, button);
    SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(button), 0);
}
