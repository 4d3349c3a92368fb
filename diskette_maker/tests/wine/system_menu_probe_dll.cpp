// The hook procedure, loaded by the system into the hooked program: on the
// probe message it reads the item whose command is wParam from the system
// menu of the message's window.
#include "system_menu_probe.h"

static SystemMenuAnswer *Answer()
{
    static SystemMenuAnswer *view;
    if (!view) {
        HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, SYSTEM_MENU_PROBE_NAME);
        if (mapping)
            view = static_cast<SystemMenuAnswer *>(
                MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SystemMenuAnswer)));
    }
    return view;
}

static void ReadItem(HWND window, UINT command, SystemMenuAnswer *answer)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    answer->count = GetMenuItemCount(menu);
    answer->position = -1;
    for (int i = 0; i < answer->count; i++)
        if (GetMenuItemID(menu, i) == command)
            answer->position = i;
    answer->state = GetMenuState(menu, command, MF_BYCOMMAND);
    answer->stateBefore = answer->position > 0
        ? GetMenuState(menu, static_cast<UINT>(answer->position - 1), MF_BYPOSITION)
        : 0;
    GetMenuStringA(menu, command, answer->text, sizeof answer->text, MF_BYCOMMAND);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK
    SystemMenuProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG *msg = reinterpret_cast<const MSG *>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE &&
        msg->message == RegisterWindowMessageA(SYSTEM_MENU_PROBE_NAME)) {
        SystemMenuAnswer *answer = Answer();
        if (answer && !answer->answered) {
            ReadItem(msg->hwnd, static_cast<UINT>(msg->wParam), answer);
            InterlockedExchange(&answer->answered, 1);
        }
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}
