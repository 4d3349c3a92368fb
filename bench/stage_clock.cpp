#include "stage_clock.h"

#include <windows.h>

// The counter is read first, so the file's opening and writing fall on the
// stage after this one, not on this one.
void StageStamp(const char *stage)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);

    static HANDLE log = INVALID_HANDLE_VALUE;
    static bool opened;
    if (!opened) {
        opened = true;
        char path[MAX_PATH];
        DWORD length = GetEnvironmentVariableA("QL_STAGE_LOG", path, sizeof path);
        if (length > 0 && length < sizeof path)
            log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    }
    if (log == INVALID_HANDLE_VALUE)
        return;

    // "name ticks\n", the ticks in decimal, written backwards from the end.
    char digits[24];
    char *d = digits + sizeof digits;
    unsigned long long ticks = static_cast<unsigned long long>(now.QuadPart);
    *--d = '\n';
    do {
        *--d = static_cast<char>('0' + ticks % 10);
        ticks /= 10;
    } while (ticks);
    *--d = ' ';
    DWORD written;
    WriteFile(log, stage, lstrlenA(stage), &written, NULL);
    WriteFile(log, d, static_cast<DWORD>(digits + sizeof digits - d), &written, NULL);
}
