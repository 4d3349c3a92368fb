// Dialog boxes and message boxes of the program under test.

#include "wine_harness.h"

namespace qlh {

namespace {

const int kMessageBoxTextId = 0xFFFF;

bool IsPushButton(HWND window)
{
    if (lstrcmpiA(ClassName(window).c_str(), "Button") != 0)
        return false;
    LONG_PTR type = GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

} // namespace

DialogInfo ReadDialog(HWND dialog)
{
    DialogInfo info;
    info.window = dialog;
    info.caption = WindowText(dialog);
    std::string statics;
    for (HWND child : ChildWindows(dialog)) {
        if (IsPushButton(child)) {
            info.buttons.push_back(WindowText(child));
        } else if (lstrcmpiA(ClassName(child).c_str(), "Static") == 0) {
            std::string text = WindowText(child);
            if ((GetDlgCtrlID(child) & 0xFFFF) == kMessageBoxTextId)
                info.text = text;
            if (!text.empty())
                statics += (statics.empty() ? "" : "\n") + text;
        }
    }
    if (info.text.empty())
        info.text = statics;
    return info;
}

HWND WaitForDialog(DWORD pid, const char *caption, DWORD timeout_ms, DialogInfo *info)
{
    WindowQuery query;
    query.class_name = "#32770";
    query.title = caption;
    query.pid = pid;
    HWND dialog = WaitForWindow(query, timeout_ms);
    if (dialog && info)
        *info = ReadDialog(dialog);
    return dialog;
}

void PressDialogButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (button && IsWindowVisible(button))
        ClickButton(button);
    else
        Command(dialog, static_cast<WORD>(id));
}

} // namespace qlh
