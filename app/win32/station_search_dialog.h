// The dialog procedure of GETSTATION, the station search. The lists, the
// counts and the searches come from database/station_search.h; this file
// only moves their texts into the controls.
#pragma once

#include "app/win32/win32_api.h"

#include <string>

#include "database/country_table.h"

// What the dialog works on: the dialog parameter points to it.
struct StationSearchContext {
    std::string db_dir;  // "" = the working directory
    const CountryTable* country_table = nullptr;
    // The dialog's result: the 24-character name picked, kept from one
    // opening to the next; Cancel empties it.
    std::string* chosen_station_name = nullptr;
    // The 3-character code of the country selected last ("" when the
    // table has none: no station matches).
    std::string selected_country_code;
};

INT_PTR CALLBACK StationSearchDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Shows the dialog modally, owned by `owner`. False when it could not be shown.
bool RunStationSearchDialog(HINSTANCE instance, HWND owner, StationSearchContext& context);
