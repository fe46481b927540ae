#include "app/win32/manual_entry_dialog.h"

#include "resources/dialog_ids.h"
#include "app/logic/manual_entry.h"

namespace {

void PushForm(HWND dialog, const ManualEntryForm& form) {
    for (const auto& text : form.texts) SetWindowTextA(GetDlgItem(dialog, text.first), text.second.c_str());
    for (const auto& check : form.checks) {
        SendDlgItemMessageA(dialog, check.first, BM_SETCHECK, check.second ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

// Every field through a buffer of its own size, as the record fields and
// numbers expect; GetWindowTextA cuts a longer text to the buffer.
ManualEntryForm ReadForm(HWND dialog) {
    ManualEntryForm form;
    for (const ManualEntryEdit& edit : kManualEntryEdits) {
        char buffer[64] = {};
        GetWindowTextA(GetDlgItem(dialog, edit.id), buffer, edit.buffer_chars);
        form.texts[edit.id] = buffer;
    }
    for (int check : kManualEntryChecks) form.checks[check] = IsDlgButtonChecked(dialog, check) == BST_CHECKED;
    return form;
}

}  // namespace

INT_PTR CALLBACK ManualEntryDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* station = reinterpret_cast<StationData*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        station = reinterpret_cast<StationData*>(lparam);
        if (station) PushForm(dialog, OpenManualEntry(station->record));
        return TRUE;  // the system puts the focus on the first tab stop
    case WM_COMMAND:
        // The whole command value: notifications of the edit fields are not ours.
        switch (wparam) {
        case IDOK:
            if (station) ApplyManualEntry(ReadForm(dialog), *station);
            EndDialog(dialog, 0);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_NORTH:
        case IDC_SOUTH:
            // Only the heads change; the values stay in their columns.
            PushForm(dialog, MonthHeads(wparam == IDC_SOUTH));
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

void RunManualEntryDialog(HINSTANCE instance, HWND owner, StationData& station) {
    DialogBoxParamA(instance, "GETMANUALDATA", owner, ManualEntryDialog, reinterpret_cast<LPARAM>(&station));
}
