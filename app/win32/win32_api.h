// The Win32 headers of the program, included through here only. windows.h
// maps TextOut to TextOutA, which would rename the drawing surface's own
// TextOut in whichever file saw the macro first; the macro is removed, and
// the Win32 call is always spelled TextOutA.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#undef TextOut
