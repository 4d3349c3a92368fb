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

char CommandLineCopy[kCommandLineCopySize];

// The window's state: the run settings it owns, writes and hands to the
// creation, and what its one-time set-up made.
struct MakeDiskWindowState {
    RunSettings settings;
    // Cleared by the one-time set-up of the first paint, and before the drive
    // message, so paints during that message box never open the product dialog.
    DWORD firstPaint;
    HFONT headingFont;
    HMENU systemMenu;
};

static MakeDiskWindowState MakeDisk = {{kEnglish, kProductNone, 1, "A:\\"}, 1, nullptr, nullptr};

static const char* const kMakeDiskClass = "QLMakeDisk";
static const char* const kStartupDiskItem = "Make Startup Disk (MS-DOS)";

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

static void DeleteHeadingFont()
{
    if (MakeDisk.headingFont) {
        DeleteObject(MakeDisk.headingFont);
        MakeDisk.headingFont = nullptr;
    }
}

static void CloseMakeDiskWindow(HWND window)
{
    DeleteHeadingFont();
    DestroyWindow(window);
}

// An image needs no diskette drive.
static bool DriveGatePasses(const char* root)
{
    if (ImageRequest.present)
        return true;
    return GetDriveTypeA(root) == DRIVE_REMOVABLE && ProbeDisketteDrive(root) != 0;
}

// Most computers have no diskette drive, but every one can keep the same
// diskette as an image file: the refusal asks whether to make one.
static bool OfferImageInstead(HWND window, int language)
{
    char refusal[MAX_PATH];
    LoadText(ModuleInstance, IDS_NODRIVE_BASE + language, refusal, sizeof refusal);
    return ShowTableMessage(window, language, IDS_NODRIVE_IMAGE_BASE, IDS_TITLE_BASE, refusal,
                            MB_YESNO | MB_ICONERROR) == IDYES;
}

static LRESULT OnCreate(HWND window, const CREATESTRUCTA* creation)
{
    ModuleInstance = creation->hInstance;
    CentreWindow(window, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN),
                 SWP_NOSIZE | SWP_SHOWWINDOW);

    RunSettings& settings = MakeDisk.settings;
    int language = LanguageFromSystem(GetSystemDefaultLangID());
    settings.LanguageIndex = static_cast<uint16_t>(
        LanguageFromCommandLine(CommandLineCopy, CodeOrder::kFirstFoundWins, language));
    lstrcpynA(settings.DisketteRoot, "A:\\", kDisketteRootSize);

    bool drivePasses = DriveGatePasses(settings.DisketteRoot);
    if (!drivePasses) {
        MakeDisk.firstPaint = 0;
        if (!OfferImageInstead(window, settings.LanguageIndex)) {
            DestroyWindow(window);
            return 0;
        }
        // On as with "-image" and no path: Save As asks at Create Disk. The
        // paints during the question were let by, so one more brings the
        // product dialog.
        ImageRequest.present = true;
        MakeDisk.firstPaint = 1;
        InvalidateRect(window, nullptr, TRUE);
    }
    return 0;
}

static void AddStartupDiskItem(HWND window)
{
    HMENU menu = MakeDisk.systemMenu = GetSystemMenu(window, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | MF_CHECKED, IDM_STARTUPDISK, kStartupDiskItem);
    StartupItemState state = StartupItemForPlatform(PlatformKind());
    CheckMenuItem(menu, IDM_STARTUPDISK, MF_BYCOMMAND | (state.checked ? MF_CHECKED : MF_UNCHECKED));
    if (state.grayed)
        EnableMenuItem(menu, IDM_STARTUPDISK, MF_BYCOMMAND | MF_GRAYED);
}

// Runs once, on the first paint: fonts and checks, then the product dialog
// modal over the window. False when the dialog was cancelled and the window
// is gone.
static bool RunOneTimeSetUp(HWND window)
{
    RunSettings& settings = MakeDisk.settings;
    MakeDisk.headingFont = CreateHeadingFont("Tahoma", true, false);
    SendDlgItemMessageA(window, IDC_HEADING, WM_SETFONT, reinterpret_cast<WPARAM>(MakeDisk.headingFont), TRUE);
    CheckDlgButton(window, LanguageButton(settings.LanguageIndex), BST_CHECKED);
    CheckDlgButton(window, IDC_VARIANT_WINDOWS, BST_CHECKED);

    settings.ProductChoice = static_cast<int32_t>(ShowProductDialog(window, settings.LanguageIndex));
    if (settings.ProductChoice == kProductCancelled) {
        CloseMakeDiskWindow(window);
        return false;
    }
    ApplyControlChanges(window, ControlsAfterProduct(settings.ProductChoice));
    AddStartupDiskItem(window);
    return true;
}

static LRESULT OnPaint(HWND window, WPARAM wParam, LPARAM lParam)
{
    RefreshTexts(window, MainWindowTexts(), MakeDisk.settings.LanguageIndex);
    if (MakeDisk.firstPaint) {
        MakeDisk.firstPaint = 0;
        if (!RunOneTimeSetUp(window))
            return 0;
    }
    return DefWindowProcA(window, WM_PAINT, wParam, lParam);
}

static void RunCreation(HWND window)
{
    ApplyControlChanges(window, ControlsDuringCreation());
    if (ImageRequest.present)
        CreateDisketteImage(window, MakeDisk.settings);
    else
        CreateSetupDiskette(window, MakeDisk.settings);
    CloseMakeDiskWindow(window);
}

static LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    int control = LOWORD(wParam);
    bool checked = IsDlgButtonChecked(window, control) == BST_CHECKED;
    MainCommand command = DecideMainCommand(control, HIWORD(wParam), checked);
    switch (command.kind) {
    case kCommandCopy:
        // Until the product dialog has ended with a product there is nothing
        // to make: a Create Disk that comes earlier (another program can
        // send one while the dialog is still up) is dropped.
        if (IsProduct(MakeDisk.settings.ProductChoice))
            RunCreation(window);
        return 0;
    case kCommandCancel:
        CloseMakeDiskWindow(window);
        return 0;
    default:
        break;
    }
    if (command.language)
        MakeDisk.settings.LanguageIndex = static_cast<uint16_t>(command.language);
    ApplyControlChanges(window, command.changes);
    RefreshTexts(window, MainWindowTexts(), MakeDisk.settings.LanguageIndex);
    return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
}

static void OnStartupDiskItem()
{
    uint32_t& option = MakeDisk.settings.StartupDiskOption;
    option = option ? 0 : 1;
    CheckMenuItem(MakeDisk.systemMenu, IDM_STARTUPDISK, MF_BYCOMMAND | (option ? MF_CHECKED : MF_UNCHECKED));
}

LRESULT CALLBACK MakeDiskWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_DESTROY:
        // The system menu's Close and Alt+F4 come this way without Cancel.
        DeleteHeadingFont();
        PostQuitMessage(0);
        return 0;
    case WM_PAINT:
        return OnPaint(window, wParam, lParam);
    case WM_COMMAND:
        return OnCommand(window, wParam, lParam);
    case WM_SYSCOMMAND:
        if (LOWORD(wParam) == IDM_STARTUPDISK)
            OnStartupDiskItem();
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
