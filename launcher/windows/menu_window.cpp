// The menu window: banner, a column of owner-drawn buttons, and the heading
// and description of the highlighted button beside them.
#include "windows/menu_window.h"

#include <mmsystem.h>

#include "core/keyboard.h"
#include "core/language.h"
#include "core/menu_model.h"
#include "windows/drawing.h"
#include "windows/menu_commands.h"
#include "windows/strings.h"

const char MenuClassName[] = "Setup";

HINSTANCE MenuInstance;
bool PaletteDisplay;
HBRUSH NormalBrush;
HBRUSH HighlightBrush;
HBRUSH BannerBrush;
HBITMAP BannerBitmap;
HCURSOR HandCursor;
char FaceName[LF_FACESIZE];
int ButtonCount;
int ButtonWidth;
int ButtonHeight;
HWND ButtonWindow[MENU_MAX_BUTTONS];
unsigned char ButtonUnavailable[MENU_MAX_BUTTONS];
int ButtonMnemonic[MENU_MAX_BUTTONS];
int HighlightedButton = -1;
HWND LastHoveredButton;
RECT BannerRect;
RECT TextRect;

namespace {

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
    SetTimer(window, MENU_TEXT_REFRESH_TIMER, kTextRefreshDelay, nullptr);
}

void ChooseFaceName(HWND window)
{
    const char *face = "Arial";
    if (IsFontInstalled(window, "Verdana"))
        face = "Verdana";
    else if (IsFontInstalled(window, "Tahoma"))
        face = "Tahoma";
    lstrcpynA(FaceName, face, sizeof FaceName);
}

void CreateBrushes(HWND window)
{
    MenuColours colours = ColoursForDisplay(PaletteDisplay);
    NormalBrush = CreateSolidBrush(colours.normal);
    HighlightBrush = CreateSolidBrush(colours.highlight);
    BannerBrush = CreateSolidBrush(colours.banner);
    if (PaletteDisplay)
        SetClassLongPtrA(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(NormalBrush));
}

void PlaceWindow(HWND window, const FontMetrics &label)
{
    RECT created, client;
    GetWindowRect(window, &created);
    GetClientRect(window, &client);
    int frame = (created.bottom - created.top) - (client.bottom - client.top);
    int height = MenuWindowHeight(label, ButtonCount, ButtonHeight, frame);
    WindowPlacement p = PlaceMenuWindow(GetSystemMetrics(SM_CXFULLSCREEN),
                                        GetSystemMetrics(SM_CYFULLSCREEN),
                                        FromRECT(created), height);
    SetWindowPos(window, nullptr, p.x, p.y, p.width, p.height, SWP_SHOWWINDOW);
}

void ReadMnemonics(const StringSource &strings)
{
    char label[kTextBufferSize];
    for (int i = 0; i < MENU_MAX_BUTTONS; i++) {
        ButtonMnemonic[i] = 0;
        if (i < ButtonCount && strings.Load(LabelId(LanguageIndex, i), label, sizeof label))
            ButtonMnemonic[i] = MnemonicOf(label);
    }
}

// Each button carries its label, "&" included, as its window text, so that
// screen readers can name it; the drawing reads the string table itself.
void CreateButtons(HWND window, const StringSource &strings)
{
    char label[kTextBufferSize];
    for (int i = 0; i < ButtonCount; i++) {
        Rect r = ButtonRect(i, ButtonWidth, ButtonHeight);
        strings.Load(LabelId(LanguageIndex, i), label, sizeof label);
        ButtonWindow[i] = CreateWindowExA(0, "button", label, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                                          r.left, r.top, RectWidth(r), RectHeight(r), window,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(i)),
                                          MenuInstance, nullptr);
        WNDPROC previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            ButtonWindow[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MenuButtonProc)));
        if (previous)
            StandardButtonProc = previous;
    }
}

int DisplayColours(HDC dc)
{
    int colours = GetDeviceCaps(dc, NUMCOLORS);
#ifdef QL_TEST_VARIANT
    // Wine's 8-bit display has a palette yet counts its colours as -1; the
    // test menu takes the palette's size, so the palette look can be tried.
    if (colours == -1)
        colours = GetDeviceCaps(dc, SIZEPALETTE);
#endif
    return colours;
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA *create)
{
    if (LowercaseAndFindRemove(CommandLineText)) {
        DestroyWindow(window);
        return 1;
    }
    MenuInstance = create->hInstance;

    HDC dc = GetDC(window);
    PaletteDisplay = IsPaletteDisplay(DisplayColours(dc), GetDeviceCaps(dc, RASTERCAPS));
    ZeroMemory(ButtonUnavailable, sizeof ButtonUnavailable);
    ProbeWebAccess(ButtonUnavailable);
    CreateBrushes(window);
    BannerBitmap = LoadBitmapA(MenuInstance, MAKEINTRESOURCEA(IDB_BANNER));
    ChooseFaceName(window);

    ResourceStrings strings(MenuInstance);
    HFONT font = CreateMenuFont(dc, kLabelPoints, FW_BOLD, FaceName);
    HGDIOBJ oldFont = SelectObject(dc, font);
    FontMetrics label = MetricsOf(dc);
    ButtonHeight = ButtonHeightFor(label);
    ButtonWidth = ButtonWidthFor(WidestLabel(strings, GdiMeasure(dc)), label);

    ButtonCount = CountButtons(strings, LanguageIndex);
    PlaceWindow(window, label);
    ReadMnemonics(strings);
    CreateButtons(window, strings);
    HandCursor = LoadCursorA(MenuInstance, MAKEINTRESOURCEA(IDC_HANDCUR));

    RECT client;
    GetClientRect(window, &client);
    BannerRect = ToRECT(BannerRectFor(FromRECT(client)));
    TextRect = ToRECT(TextRectFor(FromRECT(client), ButtonWidth, label));
    if (PaletteDisplay)
        InvalidateRect(window, nullptr, FALSE);

    SelectObject(dc, oldFont);
    DeleteObject(font);
    ReleaseDC(window, dc);

    // The start-up notice opens as soon as the message loop runs.
    PostMessageA(window, WM_COMMAND, 10, 0);
    return 0;
}

void DrawBanner(HDC dc)
{
    FillRect(dc, &BannerRect, BannerBrush);
    if (PaletteDisplay) {
        MoveToEx(dc, 0, kBannerBottom, nullptr);
        LineTo(dc, BannerRect.right, kBannerBottom);
    }
    // SRCAND keeps the black artwork and lets the banner colour through its
    // white background.
    int margin = BannerMargin(BitmapResourceDimension(MenuInstance, IDB_BANNER, 0));
    DrawBitmap(dc, margin, margin, BannerRect.right, BannerRect.bottom, BannerBitmap, SRCAND);
}

void DrawSeparators(HDC dc)
{
    int rows[MENU_MAX_BUTTONS + 1];
    int n = SeparatorRows(ButtonCount, ButtonHeight, rows, MENU_MAX_BUTTONS + 1);
    for (int k = 0; k < n; k++) {
        MoveToEx(dc, 0, rows[k], nullptr);
        LineTo(dc, ButtonWidth, rows[k]);
    }
}

void DrawTextArea(HDC dc)
{
    char text[kTextBufferSize];
    SetTextColor(dc, kBlack);
    SetBkColor(dc, kTextAreaBackground);

    HFONT headingFont = CreateMenuFont(dc, kHeadingPoints, FW_BOLD, FaceName);
    HGDIOBJ oldFont = SelectObject(dc, headingFont);
    FontMetrics heading = MetricsOf(dc);
    LoadText(MenuInstance, TextAreaHeadingId(LanguageIndex, HighlightedButton), text, sizeof text);
    StripMnemonicMarker(text);
    int oldExtra = SetTextCharacterExtra(dc, HeadingCharacterExtra(heading));
    RECT r = ToRECT(HeadingRectFor(FromRECT(TextRect), heading));
    DrawTextA(dc, text, -1, &r, DT_WORDBREAK);
    SetTextCharacterExtra(dc, oldExtra);
    SelectObject(dc, oldFont);
    DeleteObject(headingFont);

    HFONT descriptionFont = CreateMenuFont(dc, kDescriptionPoints, FW_NORMAL, FaceName);
    oldFont = SelectObject(dc, descriptionFont);
    FontMetrics description = MetricsOf(dc);
    r = ToRECT(DescriptionRectFor(FromRECT(r), heading, description));
    LoadText(MenuInstance, TextAreaDescriptionId(LanguageIndex, HighlightedButton), text,
             sizeof text);
    DrawTextA(dc, text, -1, &r, DT_WORDBREAK | DT_EXPANDTABS);
    SelectObject(dc, oldFont);
    DeleteObject(descriptionFont);
}

LRESULT OnPaint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    SetMapMode(dc, MM_TEXT);
    DrawBanner(dc);
    DrawSeparators(dc);
    DrawTextArea(dc);
    EndPaint(window, &ps);
    return 0;
}

LRESULT OnDrawItem(const DRAWITEMSTRUCT *item)
{
    if (!item)
        return 0;
    int c = static_cast<int>(item->CtlID);
    if (c < 0 || c >= ButtonCount)
        return 0;
    bool highlighted = c == HighlightedButton;
    HDC dc = item->hDC;
    SetMapMode(dc, MM_TEXT);
    FillRect(dc, &item->rcItem, highlighted ? HighlightBrush : NormalBrush);
    SetTextColor(dc, ButtonTextColour(highlighted, ButtonUnavailable[c] != 0));

    HFONT font = CreateMenuFont(dc, kLabelPoints, FW_BOLD, FaceName);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    char label[kTextBufferSize];
    LoadText(MenuInstance, LabelId(LanguageIndex, c), label, sizeof label);
    RECT r = item->rcItem;
    r.left += MetricsOf(dc).aveCharWidth;
    // Drawn as stored, so the letter after "&" shows underlined.
    DrawTextA(dc, label, -1, &r, DT_SINGLELINE | DT_VCENTER);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    return 0;
}

LRESULT OnKeyDown(HWND window, WPARAM key, LPARAM lParam)
{
    int matches[MENU_MAX_BUTTONS];
    int n = MatchMnemonics(ButtonMnemonic, ButtonCount, static_cast<int>(key), matches);
    if (n == 0)
        return DefWindowProcA(window, WM_KEYDOWN, key, lParam);
    for (int k = 0; k < n; k++)
        FocusAndRunButton(window, matches[k]);
    return 0;
}

LRESULT OnChar(HWND window, WPARAM ch)
{
    bool shift = GetKeyState(VK_SHIFT) < 0;
    CarryOutKeyAction(window, RouteMenuChar(static_cast<int>(ch), HighlightedButton, ButtonCount, shift));
    return 0;
}

LRESULT OnSysCommand(HWND window, WPARAM command, LPARAM lParam)
{
    int button = MatchSystemCommand(ButtonMnemonic, ButtonCount, static_cast<unsigned>(command),
                                    LOWORD(lParam));
    if (button < 0)
        return DefWindowProcA(window, WM_SYSCOMMAND, command, lParam);
    FocusAndRunButton(window, button);
    return 0;
}

LRESULT OnTimer(HWND window, WPARAM id)
{
    if (id == MENU_TEXT_REFRESH_TIMER) {
        KillTimer(window, MENU_TEXT_REFRESH_TIMER);
        InvalidateRect(window, &TextRect, TRUE);
    }
    return 0;
}

// The pointer is over the window's own area (banner, text, gaps): the
// highlight goes.
LRESULT OnMouseMove(HWND window)
{
    if (HighlightedButton < 0)
        return 0;
    InvalidateRect(ButtonWindow[HighlightedButton], nullptr, TRUE);
    HighlightedButton = -1;
    SetFocus(window);
    StartTextRefresh(window);
    return 0;
}

// Any process can send WM_USER to the menu: an index that names no button
// would later be read as one.
LRESULT OnButtonHighlighted(HWND window, LPARAM button)
{
    if (button < 0 || button >= ButtonCount)
        return 0;
    PlayClickSound();
    HighlightedButton = static_cast<int>(button);
    StartTextRefresh(window);
    return 0;
}

// Activation puts the focus on the window itself; give it back to the
// highlighted button, as a dialog closing over the menu expects.
LRESULT OnActivate(HWND window, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefWindowProcA(window, WM_ACTIVATE, wParam, lParam);
    if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && HighlightedButton >= 0 &&
        HighlightedButton < ButtonCount)
        SetFocus(ButtonWindow[HighlightedButton]);
    return result;
}

void RepaintForPalette(HWND window)
{
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

LRESULT OnQueryNewPalette(HWND window)
{
    if (PaletteDisplay)
        RepaintForPalette(window);
    return TRUE;
}

LRESULT OnPaletteChanged(HWND window, WPARAM changer, LPARAM lParam)
{
    if (PaletteDisplay && reinterpret_cast<HWND>(changer) != window)
        RepaintForPalette(window);
    return DefWindowProcA(window, WM_PALETTECHANGED, changer, lParam);
}

LRESULT OnDestroy()
{
    PostQuitMessage(0);
    return 0;
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
    wc.lpszClassName = MenuClassName;
    RegisterClassExA(&wc);
}

void DeleteMenuObjects()
{
    HGDIOBJ objects[] = {BannerBitmap, HighlightBrush, BannerBrush, NormalBrush};
    for (HGDIOBJ object : objects) {
        if (object)
            DeleteObject(object);
    }
    BannerBitmap = nullptr;
    HighlightBrush = BannerBrush = NormalBrush = nullptr;
}

void PlayClickSound()
{
    PlaySoundA(MAKEINTRESOURCEA(IDW_CLICK), MenuInstance, SND_RESOURCE | SND_NOSTOP | SND_ASYNC);
}

void FocusButton(int button)
{
    if (button >= 0 && button < ButtonCount)
        SetFocus(ButtonWindow[button]);
}

void CarryOutKeyAction(HWND menu, const KeyAction &action)
{
    switch (action.kind) {
    case KeyActionKind::kFocus:
        FocusButton(action.button);
        break;
    case KeyActionKind::kCommand:
        SendMessageA(menu, WM_COMMAND, static_cast<WPARAM>(action.button), 0);
        break;
    case KeyActionKind::kClose:
        DestroyWindow(menu);
        break;
    case KeyActionKind::kNone:
        break;
    }
}

void FocusAndRunButton(HWND menu, int button)
{
    FocusButton(button);
    SendMessageA(menu, WM_COMMAND, static_cast<WPARAM>(button), 0);
}

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window, reinterpret_cast<const CREATESTRUCTA *>(lParam));
    case WM_DESTROY:
        return OnDestroy();
    case WM_PAINT:
        return OnPaint(window);
    case WM_DRAWITEM:
        return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
    case WM_KEYDOWN:
        return OnKeyDown(window, wParam, lParam);
    case WM_CHAR:
        return OnChar(window, wParam);
    case WM_SYSCOMMAND:
        return OnSysCommand(window, wParam, lParam);
    case WM_TIMER:
        return OnTimer(window, wParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(window);
    case WM_ACTIVATE:
        return OnActivate(window, wParam, lParam);
    case WM_QUERYNEWPALETTE:
        return OnQueryNewPalette(window);
    case WM_PALETTECHANGED:
        return OnPaletteChanged(window, wParam, lParam);
    case WM_USER:
        return OnButtonHighlighted(window, lParam);
    case WM_COMMAND:
        return OnMenuCommand(window, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
