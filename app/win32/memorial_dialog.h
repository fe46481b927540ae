// The memorial dialog "FAREWELL": a picture and two lines of dedication.
#pragma once

#include "app/win32/win32_api.h"

// Opens the dialog modally; it changes nothing in the program.
void ShowMemorialDialog(HINSTANCE instance, HWND owner);
