// The demo CD's stand-in for the programs that are not ours to ship:
// it says what the real program would do there, and ends.

#include <windows.h>

#include "resource.h"
#include "standin_kind.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    char module[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, module, sizeof module);
    if (n == 0 || n >= sizeof module)
        module[0] = '\0';
    StandInKind kind = ClassifyStandIn(module);

    char caption[128];
    char message[512];
    LoadStringA(instance, StandInCaptionId(kind), caption, sizeof caption);
    LoadStringA(instance, StandInMessageId(kind), message, sizeof message);
    char text[512 + MAX_PATH + 8];
    if (kind == kStandInUnknown)
        wsprintfA(text, "%s\n\n%s", message, module);
    else
        lstrcpynA(text, message, sizeof text);
    MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONINFORMATION);
    return 0;
}
