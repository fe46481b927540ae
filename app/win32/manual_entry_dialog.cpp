#include "app/win32/manual_entry_dialog.h"

#include <vector>

#include "app/logic/manual_entry.h"
#include "app/win32/text_conversion.h"
#include "resources/dialog_ids.h"

namespace {

// The form's texts are Windows-1252, as the record holds them.
void PushForm(HWND dialog, const ManualEntryForm& form) {
    for (const auto& text : form.texts) SetWindowTextW(GetDlgItem(dialog, text.first), WideFrom1252(text.second).c_str());
    for (const auto& check : form.checks) {
        SendDlgItemMessageW(dialog, check.first, BM_SETCHECK, check.second ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

// Every field through a buffer of its own size, as the record fields and
// numbers expect; GetWindowTextW cuts a longer text to the buffer. False
// when a field holds a character that Windows-1252 cannot hold: the user
// is told which, that field gets the focus, and the form is not complete.
bool ReadForm(HWND dialog, ManualEntryForm& form) {
    for (const ManualEntryEdit& edit : kManualEntryEdits) {
        std::vector<wchar_t> buffer(static_cast<std::size_t>(edit.buffer_chars) + 1, L'\0');
        HWND field = GetDlgItem(dialog, edit.id);
        GetWindowTextW(field, buffer.data(), edit.buffer_chars);
        std::string refused;
        unsigned code_point = 0;
        if (!Cp1252FromWide(buffer.data(), form.texts[edit.id], refused, code_point)) {
            MessageBoxW(dialog, WideFromUtf8(RefusedCharacterText(refused, code_point)).c_str(),
                        WideFromUtf8(kRefusedCharacterCaption).c_str(), MB_OK | MB_ICONINFORMATION);
            SetFocus(field);
            SendMessageW(field, EM_SETSEL, 0, -1);
            return false;
        }
    }
    for (int check : kManualEntryChecks) form.checks[check] = IsDlgButtonChecked(dialog, check) == BST_CHECKED;
    return true;
}

}  // namespace

INT_PTR CALLBACK ManualEntryDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* station = reinterpret_cast<StationData*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lparam);
        station = reinterpret_cast<StationData*>(lparam);
        if (station) PushForm(dialog, OpenManualEntry(station->record));
        return TRUE;  // the system puts the focus on the first tab stop
    case WM_COMMAND:
        // The whole command value: notifications of the edit fields are not ours.
        switch (wparam) {
        case IDOK: {
            ManualEntryForm form;
            if (!ReadForm(dialog, form)) return TRUE;  // nothing stored, the dialog stays
            if (station) ApplyManualEntry(form, *station);
            EndDialog(dialog, 0);
            return TRUE;
        }
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
    DialogBoxParamW(instance, L"GETMANUALDATA", owner, ManualEntryDialog, reinterpret_cast<LPARAM>(&station));
}
