// The dialog CLIMATEFACTS: the climate facts of the station, the answer
// key of a lesson, with a Copy button that puts them on the clipboard as
// Unicode text.
#pragma once

#include <string>

#include "app/win32/win32_api.h"

// Opens the dialog modally over `owner`. `utf8_text` holds lines ending in
// "\r\n"; Copy is grayed when `can_copy` is false (a station without a
// class). Changes nothing in the program.
void ShowClimateFactsDialog(HINSTANCE instance, HWND owner, const std::string& utf8_text, bool can_copy);
