// Floppwright's entry: one window from dialog 101, one message loop.
#include <windows.h>

#include "common/core/language_codes.h"
#include "core/run_settings.h"
#include "core/window_rules.h"
#include "resource.h"
#include "windows/main_window.h"
#include "windows/raw_diskette_win.h"

namespace {

// An image needs no diskette drive.
bool DriveGatePasses(const ImageOption &imageRequest)
{
    if (imageRequest.present)
        return true;
    return GetDriveTypeA(kDisketteRoot) == DRIVE_REMOVABLE &&
        ProbeDisketteDrive(kDisketteRoot) != 0;
}

// "-image PATH" is taken out first: the language search must not read a
// code into its path.
void DecideStart(HINSTANCE instance, const char *commandLine, MakeDiskStart &start)
{
    start.instance = instance;
    char rest[kCommandLineCopySize], lowered[kCommandLineCopySize];
    TakeImageOption(commandLine, start.imageRequest, rest, sizeof rest);
    CopyLoweredCommandLine(lowered, sizeof lowered, rest);
    int fallback = LanguageFromSystem(GetSystemDefaultLangID());
    start.language = static_cast<Language>(
        LanguageFromCommandLine(lowered, CodeOrder::kFirstFoundWins, fallback));
    start.drivePasses = DriveGatePasses(start.imageRequest);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    // Without its window nothing would ever post the quit message.
    if (!RegisterMakeDiskClass(instance))
        return 0;
    MakeDiskStart start;
    DecideStart(instance, commandLine, start);

    MakeDiskWindowState state;
    HWND window = CreateMakeDiskWindow(start, state);
    if (!window)
        return 0;
    ShowWindow(window, showCommand);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
