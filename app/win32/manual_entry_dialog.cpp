#include "app/win32/manual_entry_dialog.h"

#include "resources/dialog_ids.h"
#include "app/logic/manual_entry.h"

namespace id = manual_entry_id;

// The template's ids and the logic's ids are one set of numbers.
static_assert(IDC_STATION_NAME == id::station_name && IDC_STATION_NUMBER_TEXT == id::station_number &&
              IDC_COUNTRY_NAME == id::country_name && IDC_COUNTRY_CODE == id::country_code &&
              IDC_LATITUDE == id::latitude && IDC_LONGITUDE == id::longitude &&
              IDC_ELEVATION == id::elevation && IDC_NORTH == id::north && IDC_SOUTH == id::south &&
              IDC_EAST == id::east && IDC_WEST == id::west && IDC_PRECIP_YEARS == id::precip_years &&
              IDC_TEMP_YEARS == id::temp_years && IDC_PRECIP_MONTH == id::precip_first &&
              IDC_TEMP_MONTH == id::temp_first && IDC_FROST_BAR == id::frost_bar_first &&
              IDC_FROST_OUTLINE == id::frost_outline_first && IDC_PRECIP_HEAD == id::precip_head_first &&
              IDC_TEMP_HEAD == id::temp_head_first && IDC_ABS_MAX == id::abs_max &&
              IDC_ABS_MIN == id::abs_min && IDC_WARMEST_MAX == id::warmest_max &&
              IDC_COLDEST_MIN == id::coldest_min && IDC_SHOW_ABS_MAX == id::show_abs_max &&
              IDC_SHOW_ABS_MIN == id::show_abs_min && IDC_SHOW_WARMEST_MAX == id::show_warmest_max &&
              IDC_SHOW_COLDEST_MIN == id::show_coldest_min,
              "dialog_ids.h and manual_entry.h disagree");

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
