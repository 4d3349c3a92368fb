// Registry fixtures.  Keys are written as full paths so that a test reads
// like the .reg file it stands for.

#include "wine_harness.h"

namespace qlh {

namespace {

struct RootName {
    const char *name;
    HKEY root;
};

const RootName kRoots[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKCR", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKCU", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKLM", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", HKEY_USERS},
    {"HKU", HKEY_USERS},
};

// Splits "HKCU\\Software\\X" into the root handle and "Software\\X".
bool SplitKey(const std::string &key, HKEY *root, std::string *sub)
{
    size_t slash = key.find('\\');
    std::string head = key.substr(0, slash);
    for (const RootName &r : kRoots) {
        if (lstrcmpiA(head.c_str(), r.name) == 0) {
            *root = r.root;
            *sub = slash == std::string::npos ? std::string() : key.substr(slash + 1);
            return true;
        }
    }
    return false;
}

HKEY OpenKey(const std::string &key, bool create)
{
    HKEY root;
    std::string sub;
    if (!SplitKey(key, &root, &sub))
        return nullptr;
    HKEY handle = nullptr;
    LONG status = create ? RegCreateKeyExA(root, sub.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &handle, nullptr)
                         : RegOpenKeyExA(root, sub.c_str(), 0, KEY_ALL_ACCESS, &handle);
    return status == ERROR_SUCCESS ? handle : nullptr;
}

bool SetValue(const std::string &key, const std::string &name, DWORD type, const void *data,
              DWORD size)
{
    HKEY handle = OpenKey(key, true);
    if (!handle)
        return false;
    LONG status = RegSetValueExA(handle, name.empty() ? nullptr : name.c_str(), 0, type,
                                 static_cast<const BYTE *>(data), size);
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

std::string QuotedRecorderCommand()
{
    return "\"" + RecorderExe() + "\" \"%1\"";
}

} // namespace

bool RegSetString(const std::string &key, const std::string &name, const std::string &value)
{
    return SetValue(key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

bool RegSetDword(const std::string &key, const std::string &name, DWORD value)
{
    return SetValue(key, name, REG_DWORD, &value, sizeof value);
}

bool RegGetString(const std::string &key, const std::string &name, std::string *value)
{
    HKEY handle = OpenKey(key, false);
    if (!handle)
        return false;
    DWORD type = 0, size = 0;
    const char *value_name = name.empty() ? nullptr : name.c_str();
    LONG status = RegQueryValueExA(handle, value_name, nullptr, &type, nullptr, &size);
    std::string data(size, '\0');
    if (status == ERROR_SUCCESS && size > 0)
        status = RegQueryValueExA(handle, value_name, nullptr, &type,
                                  reinterpret_cast<BYTE *>(&data[0]), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    data.resize(size);
    while (!data.empty() && data.back() == '\0')
        data.pop_back();
    *value = data;
    return true;
}

bool RegRemoveValue(const std::string &key, const std::string &name)
{
    HKEY handle = OpenKey(key, false);
    if (!handle)
        return true;
    LONG status = RegDeleteValueA(handle, name.empty() ? nullptr : name.c_str());
    RegCloseKey(handle);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool RegRemoveKey(const std::string &key)
{
    HKEY root;
    std::string sub;
    if (!SplitKey(key, &root, &sub) || sub.empty())
        return false; // never a whole root
    LONG status = RegDeleteTreeA(root, sub.c_str());
    if (status == ERROR_SUCCESS)
        status = RegDeleteKeyA(root, sub.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool RegKeyExists(const std::string &key)
{
    HKEY handle = OpenKey(key, false);
    if (handle)
        RegCloseKey(handle);
    return handle != nullptr;
}

// ---- saving and restoring a key ------------------------------------------

ScopedRegistryKey::ScopedRegistryKey(const std::string &key) : key_(key)
{
    // Walks the tree breadth first so that parents are recreated first.
    std::vector<std::string> pending{""};
    while (!pending.empty()) {
        std::string sub = pending.front();
        pending.erase(pending.begin());
        HKEY handle = OpenKey(sub.empty() ? key_ : key_ + "\\" + sub, false);
        if (!handle)
            continue;
        if (sub.empty())
            existed_ = true;
        else
            subkeys_.push_back(sub);
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            pending.push_back(sub.empty() ? name : sub + "\\" + name);
        }
        for (DWORD i = 0;; ++i) {
            char value_name[16384];
            DWORD name_length = sizeof value_name, type = 0, size = 0;
            if (RegEnumValueA(handle, i, value_name, &name_length, nullptr, &type, nullptr,
                              &size) != ERROR_SUCCESS)
                break;
            Value value{sub, std::string(value_name, name_length), type, std::string(size, '\0')};
            name_length = sizeof value_name;
            RegEnumValueA(handle, i, value_name, &name_length, nullptr, &type,
                          size ? reinterpret_cast<BYTE *>(&value.data[0]) : nullptr, &size);
            value.data.resize(size);
            values_.push_back(value);
        }
        RegCloseKey(handle);
    }
}

ScopedRegistryKey::~ScopedRegistryKey()
{
    RegRemoveKey(key_);
    if (!existed_)
        return;
    HKEY top = OpenKey(key_, true);
    if (top)
        RegCloseKey(top);
    for (const std::string &sub : subkeys_) {
        HKEY handle = OpenKey(key_ + "\\" + sub, true);
        if (handle)
            RegCloseKey(handle);
    }
    for (const Value &value : values_)
        SetValue(value.sub.empty() ? key_ : key_ + "\\" + value.sub, value.name, value.type,
                 value.data.data(), static_cast<DWORD>(value.data.size()));
}

// ---- fixtures -------------------------------------------------------------

void InstallWebFixtures()
{
    RegSetString("HKLM\\Software\\Microsoft\\Rpc\\ClientProtocols", "ncacn_ip_tcp", "rpcrt4.dll");
    RegSetString("HKCR\\http\\shell\\open\\command", "", QuotedRecorderCommand());
    RegSetString("HKCR\\.htm", "", "htmlfile");
    RegSetString("HKCR\\htmlfile\\shell\\open\\command", "", QuotedRecorderCommand());
}

void RegisterPdfReader(const std::string &reader_exe)
{
    RegSetString("HKCR\\.pdf", "", "AcroExch.Document");
    RegSetString("HKCR\\AcroExch.Document\\shell\\open\\command", "",
                 "\"" + reader_exe + "\" \"%1\"");
}

void UnregisterPdfReader()
{
    RegRemoveKey("HKCR\\AcroExch.Document");
    RegRemoveKey("HKCR\\.pdf");
}

namespace {

std::string VersionKey(const std::string &exe)
{
    if (exe.empty())
        return "HKCU\\Software\\Wine";
    return "HKCU\\Software\\Wine\\AppDefaults\\" + exe;
}

} // namespace

void SetWindowsVersion(const std::string &version, const std::string &exe)
{
    if (version.empty())
        RegRemoveValue(VersionKey(exe), "Version");
    else
        RegSetString(VersionKey(exe), "Version", version);
}

ScopedWindowsVersion::ScopedWindowsVersion(const std::string &version, const std::string &exe)
    : exe_(exe)
{
    had_previous_ = RegGetString(VersionKey(exe), "Version", &previous_);
    SetWindowsVersion(version, exe);
}

ScopedWindowsVersion::~ScopedWindowsVersion()
{
    SetWindowsVersion(had_previous_ ? previous_ : std::string(), exe_);
}

} // namespace qlh
