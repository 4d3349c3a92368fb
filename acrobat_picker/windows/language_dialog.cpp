#include "windows/language_dialog.h"

#include "core/language_table.h"
#include "core/placement.h"
#include "resource.h"
#include "stage_clock.h"

namespace {

bool LoadRow(void *context, unsigned id, char *buf, int size)
{
    return LoadStringA(static_cast<HINSTANCE>(context), id, buf, size) > 0;
}

void CentreOnScreen(HWND dialog)
{
    RECT r;
    GetWindowRect(dialog, &r);
    int x = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), r.left, r.right);
    int y = CentredOrigin(GetSystemMetrics(SM_CYSCREEN), r.top, r.bottom);
    SetWindowPos(dialog, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void FillLanguageList(HWND list, const LanguageTable *table)
{
    int rows = CountListRows(table);
    for (int i = 0; i < rows; i++) {
        const LanguageRow &row = table->rows[i];
        LRESULT index = SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)row.name);
        if (index >= 0)
            SendMessageA(list, CB_SETITEMDATA, (WPARAM)index, (LPARAM)row.code);
    }
}

INT_PTR OnInitDialog(HWND dialog, HINSTANCE instance)
{
    QL_STAGE("dialog-init");
    CentreOnScreen(dialog);
    SetWindowTextA(dialog, "Acrobat Setup");

    // The default row is settled before the list is filled: its prompt is
    // the sentence the user reads, whatever entry they go on to pick.
    LanguageTable table;
    ReadLanguageTable(LoadRow, instance, &table);
    int def = FindDefaultRow(&table, PrimaryLanguage(GetUserDefaultLangID()));
    SetDlgItemTextA(dialog, IDC_PROMPT, def >= 0 ? table.rows[def].prompt : "");

    // The dialog must be answered with OK or Cancel, not closed.
    EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

    HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
    FillLanguageList(list, &table);
    SendMessageA(list, CB_SETCURSEL, (WPARAM)ListIndexOfRow(&table, def), 0);
    QL_STAGE("dialog-init-done");
    return FALSE;
}

// An empty selection answers CB_ERR, which ends the dialog as a Cancel would.
INT_PTR OnOk(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
    LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    LRESULT code = index == CB_ERR ? -1 : SendMessageA(list, CB_GETITEMDATA, (WPARAM)index, 0);
    EndDialog(dialog, code);
    return TRUE;
}

INT_PTR OnCancel(HWND dialog)
{
    EndDialog(dialog, -1);
    return TRUE;
}

INT_PTR CALLBACK LanguageDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<HINSTANCE>(lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            return OnOk(dialog);
        case IDCANCEL:
            return OnCancel(dialog);
        }
        return FALSE;
    }
    return FALSE;
}

} // namespace

INT_PTR ChooseLanguage(HINSTANCE instance, HWND owner)
{
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_LANGUAGE), owner,
                           LanguageDialogProc, (LPARAM)instance);
}
