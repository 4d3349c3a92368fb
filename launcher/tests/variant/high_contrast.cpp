// Test variant only, in place of windows/high_contrast.cpp: Wine's
// SystemParametersInfo neither sets nor reports the high-contrast state, so
// the test menu reads the flags where Windows keeps them, which a test can
// write, and reads them afresh on every theme change.
#include "windows/high_contrast.h"

bool HighContrastOn()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Accessibility\\HighContrast", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return false;
    char flags[16] = "";
    DWORD size = sizeof flags - 1;
    DWORD type = 0;
    LONG result =
        RegQueryValueExA(key, "Flags", nullptr, &type, reinterpret_cast<BYTE *>(flags), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return false;
    DWORD value = 0;
    for (const char *c = flags; *c >= '0' && *c <= '9'; c++)
        value = value * 10 + static_cast<DWORD>(*c - '0');
    return (value & HCF_HIGHCONTRASTON) != 0;
}
