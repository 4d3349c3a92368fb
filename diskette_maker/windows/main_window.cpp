#include "windows/main_window.h"

#include "common/windows/string_row.h"
#include "core/run_settings.h"
#include "resource.h"
#include "windows/create_diskette_image.h"
#include "windows/create_setup_diskette.h"
#include "windows/dialog_text.h"
#include "windows/module_instance.h"
#include "windows/platform_kind_win.h"
#include "windows/product_dialog.h"
#include "windows/raw_diskette_win.h"
#include "windows/table_message.h"

namespace {

MakeDiskWindowState *StateOf(HWND window)
{
    return reinterpret_cast<MakeDiskWindowState *>(GetWindowLongPtrA(window, DWLP_USER));
}

const char *const kMakeDiskClass = "QLMakeDisk";
const char *const kStartupDiskItem = "Make Startup Disk (MS-DOS)";

void DeleteHeadingFont(MakeDiskWindowState &state)
{
    if (state.headingFont) {
        DeleteObject(state.headingFont);
        state.headingFont = nullptr;
    }
}

void CloseMakeDiskWindow(HWND window, MakeDiskWindowState &state)
{
    DeleteHeadingFont(state);
    DestroyWindow(window);
}

// Most computers have no diskette drive, but every one can keep the same
// diskette as an image file: the refusal asks whether to make one.
bool OfferImageInstead(HWND window, HINSTANCE instance, int language)
{
    char refusal[MAX_PATH];
    LoadText(instance, IDS_NODRIVE_BASE + language, refusal, sizeof refusal);
    return ShowTableMessage(window, language, IDS_NODRIVE_IMAGE_BASE, IDS_TITLE_BASE, refusal,
                            MB_YESNO | MB_ICONERROR) == IDYES;
}

// The window's start, once it has its state: centred, shown, and when the
// drive gate refused, the question whether to make an image instead. False
// when the answer was No and the window is gone.
bool StartMakeDiskWindow(HWND window, MakeDiskWindowState &state)
{
    CentreWindow(window, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN),
                 SWP_NOSIZE | SWP_SHOWWINDOW);
    if (state.start.drivePasses)
        return true;
    state.firstPaint = false;
    if (!OfferImageInstead(window, state.start.instance, state.settings.LanguageIndex)) {
        DestroyWindow(window);
        return false;
    }
    // On as with "-image" and no path: Save As asks at Create Disk. The
    // paints during the question were let by, so one more brings the
    // product dialog.
    state.start.imageRequest.present = true;
    state.firstPaint = true;
    InvalidateRect(window, nullptr, TRUE);
    return true;
}

void AddStartupDiskItem(HWND window, MakeDiskWindowState &state)
{
    HMENU menu = state.systemMenu = GetSystemMenu(window, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | MF_CHECKED, IDM_STARTUPDISK, kStartupDiskItem);
    StartupItemState item = StartupItemForPlatform(PlatformKind());
    CheckMenuItem(menu, IDM_STARTUPDISK, MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED));
    if (item.grayed)
        EnableMenuItem(menu, IDM_STARTUPDISK, MF_BYCOMMAND | MF_GRAYED);
}

// Runs once, on the first paint: fonts and checks, then the product dialog
// modal over the window. False when the dialog was cancelled and the window
// is gone.
bool RunOneTimeSetUp(HWND window, MakeDiskWindowState &state)
{
    RunSettings &settings = state.settings;
    state.headingFont = CreateHeadingFont("Tahoma", true, false);
    SendDlgItemMessageA(window, IDC_HEADING, WM_SETFONT,
                        reinterpret_cast<WPARAM>(state.headingFont), TRUE);
    CheckDlgButton(window, LanguageButton(settings.LanguageIndex), BST_CHECKED);
    CheckDlgButton(window, IDC_VARIANT_WINDOWS, BST_CHECKED);

    settings.ProductChoice =
        static_cast<Product>(ShowProductDialog(window, settings.LanguageIndex));
    if (settings.ProductChoice == kProductCancelled) {
        CloseMakeDiskWindow(window, state);
        return false;
    }
    ApplyControlChanges(window, ControlsAfterProduct(settings.ProductChoice));
    AddStartupDiskItem(window, state);
    return true;
}

// The window is painted, and so validated, before the product dialog opens
// over it: left invalid, it would be painted once more inside the dialog's
// modal loop, and the dialog shows only once that loop has nothing to do.
LRESULT OnPaint(HWND window, MakeDiskWindowState &state, WPARAM wParam, LPARAM lParam)
{
    RefreshTexts(window, MainWindowTexts(), state.settings.LanguageIndex);
    LRESULT painted = DefWindowProcA(window, WM_PAINT, wParam, lParam);
    if (state.firstPaint) {
        state.firstPaint = false;
        RunOneTimeSetUp(window, state);
    }
    return painted;
}

void OnCreateDisk(HWND window, MakeDiskWindowState &state)
{
    ApplyControlChanges(window, ControlsDuringCreation());
    if (state.start.imageRequest.present)
        CreateDisketteImage(window, state.start.imageRequest, state.settings);
    else
        CreateSetupDiskette(window, state.settings);
    CloseMakeDiskWindow(window, state);
}

LRESULT OnCommand(HWND window, MakeDiskWindowState &state, WPARAM wParam, LPARAM lParam)
{
    int control = LOWORD(wParam);
    bool checked = IsDlgButtonChecked(window, control) == BST_CHECKED;
    MainCommand command = DecideMainCommand(control, HIWORD(wParam), checked);
    switch (command.kind) {
    case kCommandCopy:
        // Until the product dialog has ended with a product there is nothing
        // to make: a Create Disk that comes earlier (another program can
        // send one while the dialog is still up) is dropped.
        if (IsProduct(state.settings.ProductChoice))
            OnCreateDisk(window, state);
        return 0;
    case kCommandCancel:
        CloseMakeDiskWindow(window, state);
        return 0;
    default:
        break;
    }
    if (command.language)
        state.settings.LanguageIndex = static_cast<Language>(command.language);
    ApplyControlChanges(window, command.changes);
    RefreshTexts(window, MainWindowTexts(), state.settings.LanguageIndex);
    return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
}

void OnStartupDiskItem(MakeDiskWindowState &state)
{
    bool &option = state.settings.StartupDiskOption;
    option = !option;
    CheckMenuItem(state.systemMenu, IDM_STARTUPDISK,
                  MF_BYCOMMAND | (option ? MF_CHECKED : MF_UNCHECKED));
}

LRESULT CALLBACK MakeDiskWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Until CreateMakeDiskWindow has lent the state the window is only
    // being built, and after WM_NCDESTROY it is gone: the defaults do.
    MakeDiskWindowState *state = StateOf(window);
    if (!state)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY:
        // The system menu's Close and Alt+F4 come this way without Cancel.
        DeleteHeadingFont(*state);
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, DWLP_USER, 0);
        break;
    case WM_PAINT:
        return OnPaint(window, *state, wParam, lParam);
    case WM_COMMAND:
        return OnCommand(window, *state, wParam, lParam);
    case WM_SYSCOMMAND:
        if (LOWORD(wParam) == IDM_STARTUPDISK)
            OnStartupDiskItem(*state);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

BOOL RegisterMakeDiskClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = MakeDiskWindowProc;
    // Dialog 101 names this class, so its windows carry the dialog's own data.
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAKEDISK));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAKEDISK), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMakeDiskClass;
    return RegisterClassExA(&windowClass) != 0;
}

HWND CreateMakeDiskWindow(const MakeDiskStart &start, MakeDiskWindowState &state)
{
    ZeroMemory(&state, sizeof state);
    state.start = start;
    state.settings.LanguageIndex = start.language;
    state.settings.ProductChoice = kProductNone;
    state.settings.StartupDiskOption = true;
    lstrcpynA(state.settings.DisketteRoot, kDisketteRoot, kDisketteRootSize);
    state.firstPaint = true;

    HWND window =
        CreateDialogParamA(start.instance, MAKEINTRESOURCEA(IDD_MAKEDISK), nullptr, nullptr, 0);
    if (!window)
        return nullptr;
    // No paint comes before the message loop, so none misses the state.
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    // The texts of the language are in place before the window shows: set
    // on the visible window, each would be drawn twice, first as the
    // template has it, and the first paint would wait for the second.
    RefreshTexts(window, MainWindowTexts(), state.settings.LanguageIndex);
    return StartMakeDiskWindow(window, state) ? window : nullptr;
}
