// The main window (class CLIMATEWINDOW): toolbar, status bar and the
// diagram window between them. Its procedure unpacks the messages and
// hands them to the command logic, the bars and the memorial matcher.
#pragma once

#include "app/win32/win32_api.h"

extern const wchar_t kMainWindowClass[];  // "CLIMATEWINDOW"

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
