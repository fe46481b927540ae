#include "app/win32/memorial_dialog.h"

#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

namespace {

INT_PTR CALLBACK FarewellDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            // The Farewell button (also the default, so Enter presses it),
            // or IDCANCEL from Esc and the close box.
            if (wparam == IDC_FAREWELL || wparam == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowMemorialDialog(HINSTANCE instance, HWND owner) {
    DialogBoxParamW(instance, L"FAREWELL", owner, FarewellDialogProc, 0);
}
