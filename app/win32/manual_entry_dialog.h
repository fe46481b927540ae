// The dialog procedure of GETMANUALDATA. It only moves texts and check
// states between the controls and the plain logic of app/logic/manual_entry.h.
#pragma once

#include "app/win32/win32_api.h"

#include "station/station_record.h"

// The dialog parameter (DialogBoxParamA's last argument) is the StationData
// the dialog shows and, on OK, writes. The dialog always ends with 0.
INT_PTR CALLBACK ManualEntryDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Shows the dialog modally, owned by `owner`; the record is written only on OK.
void RunManualEntryDialog(HINSTANCE instance, HWND owner, StationData& station);
