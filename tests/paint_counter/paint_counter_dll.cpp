// The hook procedure, loaded by the system into the hooked program. It
// counts WM_PAINT messages taken from the queue for windows of the class
// named in the shared section.
#include <windows.h>

#include <string.h>

#include "paint_counter_shared.h"

static char *Shared()
{
    static char *view;
    if (!view) {
        HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, QL_PAINT_COUNTER_MAPPING);
        if (mapping)
            view = static_cast<char *>(
                MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, PaintMappingSize));
    }
    return view;
}

extern "C" __declspec(dllexport) LRESULT CALLBACK
    PaintCounterHook(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG *msg = reinterpret_cast<const MSG *>(lParam);
    // Only messages really removed from the queue: a PeekMessage that
    // merely looks would count the same paint twice.
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_PAINT) {
        char *shared = Shared();
        char className[PaintClassSize];
        if (shared && GetClassNameA(msg->hwnd, className, sizeof className) &&
            lstrcmpiA(className, shared + PaintClassOffset) == 0)
            InterlockedIncrement(reinterpret_cast<volatile LONG *>(shared + PaintCountSlot));
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}
