#include "windows/language_dialog.h"

#include "common/core/system_language.h"
#include "common/windows/centre_window.h"
#include "common/windows/string_row.h"
#include "core/language_table.h"
#include "resource.h"

namespace {

constexpr char kCaption[] = "Acrobat Setup";
constexpr INT_PTR kNoLanguage = -1; // what Cancel, or no choice, ends with

void FillLanguageList(HWND list, const LanguageTable &table)
{
    int rows = CountListRows(table);
    for (int i = 0; i < rows; i++) {
        const LanguageRow &row = table.rows[i];
        LRESULT index = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.name));
        if (index >= 0)
            SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(index),
                         static_cast<LPARAM>(row.code));
    }
}

INT_PTR OnInitDialog(HWND dialog, HINSTANCE instance)
{
    CentreWindow(dialog, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowTextA(dialog, kCaption);

    // The default row is settled before the list is filled: its prompt is
    // the sentence the user reads, whatever entry they go on to pick.
    LanguageTable table;
    ReadLanguageTable(ResourceStrings(instance), table);
    int def = FindDefaultRow(table, PrimaryLanguage(GetUserDefaultLangID()));
    SetDlgItemTextA(dialog, IDC_PROMPT, def >= 0 ? table.rows[def].prompt : "");

    // The dialog must be answered with OK or Cancel, not closed.
    EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

    HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
    FillLanguageList(list, table);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(ListIndexOfRow(table, def)), 0);
    return FALSE;
}

// An empty selection answers CB_ERR, which ends the dialog as a Cancel would.
INT_PTR OnOk(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
    LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    LRESULT code = index == CB_ERR
        ? kNoLanguage
        : SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    EndDialog(dialog, code);
    return TRUE;
}

INT_PTR OnCancel(HWND dialog)
{
    EndDialog(dialog, kNoLanguage);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WORD id)
{
    switch (id) {
    case IDOK:
        return OnOk(dialog);
    case IDCANCEL:
        return OnCancel(dialog);
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK LanguageDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<HINSTANCE>(lParam));
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR ShowLanguageDialog(HINSTANCE instance, HWND owner)
{
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_LANGUAGE), owner, LanguageDialogProc,
                           reinterpret_cast<LPARAM>(instance));
}
