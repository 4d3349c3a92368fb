// Floppwright's entry: one window from dialog 101, one message loop.
#include <windows.h>

#include "core/window_rules.h"
#include "resource.h"
#include "windows/create_diskette_image.h"
#include "windows/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    // Without its window nothing would ever post the quit message.
    if (!RegisterMakeDiskClass(instance))
        return 0;
    // "-image PATH" is taken out first: the language search must not read
    // a code into its path.
    char rest[kCommandLineCopySize];
    TakeImageOption(commandLine, ImageRequest, rest, sizeof rest);
    CopyLoweredCommandLine(CommandLineCopy, sizeof CommandLineCopy, rest);

    HWND window = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAKEDISK), nullptr, nullptr, 0);
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
