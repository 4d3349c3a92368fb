// Finding and reading the windows of another process.  Text is read with
// WM_GETTEXT (GetWindowText answers "" across processes) and with a timeout,
// so a hung program fails the test instead of hanging the driver.

#include "wine_harness.h"

namespace qlh {

namespace {

struct TopSearch {
    const WindowQuery *query;
    std::vector<HWND> found;
};

bool Matches(HWND window, const WindowQuery &query)
{
    if (query.visible_only && !IsWindowVisible(window))
        return false;
    if (query.pid && WindowPid(window) != query.pid)
        return false;
    if (query.class_name && lstrcmpiA(ClassName(window).c_str(), query.class_name) != 0)
        return false;
    if (query.title && WindowText(window) != query.title)
        return false;
    return true;
}

BOOL CALLBACK CollectTop(HWND window, LPARAM param)
{
    auto *search = reinterpret_cast<TopSearch *>(param);
    if (Matches(window, *search->query))
        search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param)
{
    reinterpret_cast<std::vector<HWND> *>(param)->push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> FindTopWindows(const WindowQuery &query)
{
    TopSearch search{&query, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const WindowQuery &query, DWORD timeout_ms)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            std::vector<HWND> windows = FindTopWindows(query);
            if (!windows.empty())
                found = windows.front();
            return found != nullptr;
        },
        timeout_ms);
    return found;
}

bool WaitWindowGone(HWND window, DWORD timeout_ms)
{
    return WaitUntil([&] { return !IsWindow(window); }, timeout_ms);
}

bool WaitVisible(HWND window, DWORD timeout_ms)
{
    return WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, timeout_ms);
}

bool WaitEnabled(HWND window, bool enabled, DWORD timeout_ms)
{
    return WaitUntil([&] { return (IsWindowEnabled(window) != FALSE) == enabled; }, timeout_ms);
}

bool WaitText(HWND window, const std::string &text, DWORD timeout_ms)
{
    return WaitUntil([&] { return WindowText(window) == text; }, timeout_ms);
}

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND FindChild(HWND parent, int control_id)
{
    for (HWND child : ChildWindows(parent))
        if (GetDlgCtrlID(child) == control_id)
            return child;
    return nullptr;
}

HWND FindChildByClass(HWND parent, const char *class_name, int index)
{
    for (HWND child : ChildWindows(parent))
        if (lstrcmpiA(ClassName(child).c_str(), class_name) == 0 && index-- == 0)
            return child;
    return nullptr;
}

HWND FindChildByText(HWND parent, const std::string &text)
{
    for (HWND child : ChildWindows(parent))
        if (WindowText(child) == text)
            return child;
    return nullptr;
}

std::string WindowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return std::string();
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                             SMTO_ABORTIFHUNG, 2000, &copied))
        return std::string();
    text.resize(copied < text.size() ? copied : text.size() - 1);
    return text;
}

std::string ClassName(HWND window)
{
    char name[256];
    int n = GetClassNameA(window, name, sizeof name);
    return std::string(name, n > 0 ? n : 0);
}

DWORD WindowPid(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

RECT ClientRectOnScreen(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

RECT WindowRectOnScreen(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

} // namespace qlh
