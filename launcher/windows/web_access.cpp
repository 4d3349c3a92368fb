#include "windows/web_access.h"

#include "core/web_probe.h"
#include "common/windows/string_row.h"

namespace {

class Win32Registry : public RegistryReader {
public:
    RegistryStatus Read(RegistryRoot root, const char *key, const char *name, char *buffer,
                        std::size_t size, std::size_t *bytesRead) const override
    {
        *bytesRead = 0;
        HKEY base = root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CLASSES_ROOT;
        HKEY opened;
        if (RegOpenKeyExA(base, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
            return RegistryStatus::kMissing;
        DWORD type = 0;
        DWORD length = static_cast<DWORD>(size);
        LONG result = RegQueryValueExA(opened, name, nullptr, &type,
                                       reinterpret_cast<BYTE *>(buffer), &length);
        RegCloseKey(opened);
        if (result == ERROR_MORE_DATA)
            return RegistryStatus::kTooLong;
        if (result != ERROR_SUCCESS)
            return RegistryStatus::kMissing;
        *bytesRead = length < size ? length : size;
        bool text = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
        return text ? RegistryStatus::kRead : RegistryStatus::kReadData;
    }
};

} // namespace

void ProbeWebAccess(MenuState &menu)
{
    Win32Registry registry;
    MarkWebButtons(WebAccessAvailable(registry), ResourceStrings(menu.MenuInstance),
                   menu.ButtonUnavailable);
}
