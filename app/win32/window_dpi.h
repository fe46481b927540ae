// The DPI of a window and sizes scaled to it. The program is per-monitor
// DPI aware by its manifest. Functions that only newer Windows versions
// have are looked up at run time, so the program still starts where they
// are missing.
#pragma once

#include "app/win32/win32_api.h"

// GetDpiForWindow where the system has it, else the DPI the last
// WM_DPICHANGED reported (Windows 8.1 has that message but not the
// function), else the screen's LOGPIXELSX.
int WindowDpi(HWND window);

// The DPI a WM_DPICHANGED reported (LOWORD of its wParam).
void NoteReportedDpi(int dpi);

// A length in 96-DPI units at the window's DPI (ScaleToDpi).
int ScaleForWindow(HWND window, int units);
