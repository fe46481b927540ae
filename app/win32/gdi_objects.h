// The program's own GDI objects (pens, brushes, fonts, bitmaps) are made
// and deleted through these functions, which keep a count of the live ones.
// A count that grows while the user works is a leak; the end-to-end soak
// test reads it from the main window with kGdiObjectCountMessage.
#pragma once

#include <windows.h>

// Sent to the main window; the result is the number of live objects.
constexpr UINT kGdiObjectCountMessage = WM_APP + 0x31;

HPEN CountedCreatePen(int style, int width, COLORREF colour);
HPEN CountedExtCreatePen(DWORD style, DWORD width, const LOGBRUSH& brush, DWORD dash_count, const DWORD* dashes);
HBRUSH CountedCreatePatternBrush(HBITMAP pattern);
HBRUSH CountedCreateSolidBrush(COLORREF colour);
HFONT CountedCreateFont(const LOGFONTW& font);  // the face name zero-padded to its 32 characters
HBITMAP CountedLoadBitmap(HINSTANCE instance, int resource_id);
HBITMAP CountedCreateDibSection(HDC dc, const BITMAPINFO& info, void** bits);
// Deletes an object made by one of the functions above; null is ignored.
void CountedDelete(HGDIOBJ object);

long LiveGdiObjects();
