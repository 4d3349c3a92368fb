#include "windows/product_dialog.h"

#include "core/window_rules.h"
#include "resource.h"
#include "stage_clock.h"
#include "windows/dialog_text.h"

// The dialog's result, set by the product buttons, -1 on Cancel.
static INT_PTR ProductDialogResult;
static HFONT ProductHeadingFont;

static BOOL OnInitDialog(HWND dialog)
{
    QL_STAGE("dialog-init");
    ProductDialogResult = 0;
    CentreWindow(dialog, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOSIZE | SWP_NOACTIVATE);
    ProductHeadingFont = CreateHeadingFont("Arial", false, true);
    SendDlgItemMessageA(dialog, IDC_PRODUCT_HEADING, WM_SETFONT,
                        reinterpret_cast<WPARAM>(ProductHeadingFont), TRUE);
    // OK waits for a product, so the dialog can only end with one or Cancel.
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    RefreshTexts(dialog, ProductDialogTexts());
    QL_STAGE("dialog-init-done");
    return TRUE;
}

static void EndProductDialog(HWND dialog, INT_PTR result)
{
    DeleteObject(ProductHeadingFont);
    ProductHeadingFont = nullptr;
    EndDialog(dialog, result);
}

static BOOL OnCommand(HWND dialog, int control)
{
    switch (control) {
    case IDOK:
        // Enter reaches here too; without a product there is nothing to end with.
        if (ProductDialogResult == 0)
            return TRUE;
        EndProductDialog(dialog, ProductDialogResult);
        return TRUE;
    case IDCANCEL:
        ProductDialogResult = -1;
        EndProductDialog(dialog, -1);
        return TRUE;
    default:
        if (int product = ProductOfButton(control)) {
            ProductDialogResult = product;
            EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
            return TRUE;
        }
        return FALSE;
    }
}

INT_PTR CALLBACK ProductDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}
