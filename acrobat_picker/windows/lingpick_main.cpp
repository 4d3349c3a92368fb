// Lingpick: asks for the language of the Acrobat Reader installation and
// starts the matching installer from the CD.
#include <windows.h>

#include "windows/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    PickerWindow picker = {instance, false};
    HWND window = CreateMainWindow(picker);
    if (!window)
        return 0;
    // Minimized whatever the caller asked for: the window only owns the
    // dialog and stands for it on the taskbar.
    ShowWindow(window, SW_MINIMIZE);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
