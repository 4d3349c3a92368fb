#include "windows/product_dialog.h"

#include "core/run_settings.h"
#include "core/window_rules.h"
#include "resource.h"
#include "windows/dialog_text.h"
#include "windows/module_instance.h"

static_assert(kProductDialogOk == IDOK && kProductDialogCancel == IDCANCEL,
              "product dialog buttons");

namespace {

// The dialog's data, lent by ShowProductDialog through the creation
// parameter and kept in DWLP_USER.
struct ProductDialogState {
    int language;
    INT_PTR result; // set by the product buttons, -1 on Cancel
    HFONT headingFont;
};

ProductDialogState *StateOf(HWND dialog)
{
    return reinterpret_cast<ProductDialogState *>(GetWindowLongPtrA(dialog, DWLP_USER));
}

BOOL OnInitDialog(HWND dialog, ProductDialogState *state)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    CentreWindow(dialog, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOSIZE | SWP_NOACTIVATE);
    state->headingFont = CreateHeadingFont("Arial", false, true);
    SendDlgItemMessageA(dialog, IDC_PRODUCT_HEADING, WM_SETFONT,
                        reinterpret_cast<WPARAM>(state->headingFont), TRUE);
    // OK waits for a product, so the dialog can only end with one or Cancel.
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    RefreshTexts(dialog, ProductDialogTexts(), state->language);
    return TRUE;
}

// The one way out: the heading font goes with the dialog.
void EndProductDialog(HWND dialog, ProductDialogState *state, INT_PTR result)
{
    DeleteObject(state->headingFont);
    state->headingFont = nullptr;
    EndDialog(dialog, result);
}

BOOL OnCommand(HWND dialog, int control)
{
    ProductDialogState *state = StateOf(dialog);
    if (!state)
        return FALSE;
    switch (control) {
    case IDOK:
        // Enter reaches here too; without a product there is nothing to end with.
        if (state->result == kProductNone)
            return TRUE;
        EndProductDialog(dialog, state, state->result);
        return TRUE;
    case IDCANCEL:
        state->result = kProductCancelled;
        EndProductDialog(dialog, state, kProductCancelled);
        return TRUE;
    default:
        if (int product = ProductOfButton(control)) {
            state->result = product;
            EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
            return TRUE;
        }
        return FALSE;
    }
}

INT_PTR CALLBACK ProductDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<ProductDialogState *>(lParam));
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}

} // namespace

INT_PTR ShowProductDialog(HWND owner, int language)
{
    ProductDialogState state = {language, kProductNone, nullptr};
    return DialogBoxParamA(ModuleInstance(), MAKEINTRESOURCEA(IDD_PRODUCT), owner,
                           ProductDialogProc, reinterpret_cast<LPARAM>(&state));
}
