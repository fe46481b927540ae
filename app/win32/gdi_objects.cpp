#include "app/win32/gdi_objects.h"

#include <cstddef>
#include <cstring>

namespace {

// The program draws on one thread: a plain counter suffices.
long live_objects = 0;

template <typename Handle>
Handle Counted(Handle made) {
    if (made) ++live_objects;
    return made;
}

}  // namespace

HPEN CountedCreatePen(int style, int width, COLORREF colour) {
    return Counted(CreatePen(style, width, colour));
}

HPEN CountedExtCreatePen(DWORD style, DWORD width, const LOGBRUSH& brush, DWORD dash_count, const DWORD* dashes) {
    return Counted(ExtCreatePen(style, width, &brush, dash_count, dashes));
}

HBRUSH CountedCreatePatternBrush(HBITMAP pattern) { return Counted(CreatePatternBrush(pattern)); }

HBRUSH CountedCreateSolidBrush(COLORREF colour) { return Counted(CreateSolidBrush(colour)); }

// Made through the wide call from a zero-filled LOGFONTW (ToLogFont): a
// metafile records all 32 characters of the face name, and they are zeros
// after its end.
HFONT CountedCreateFont(const LOGFONTW& font) { return Counted(CreateFontIndirectW(&font)); }

HBITMAP CountedLoadBitmap(HINSTANCE instance, int resource_id) {
    return Counted(LoadBitmapW(instance, MAKEINTRESOURCEW(resource_id)));
}

HBITMAP CountedCreateDibSection(HDC dc, const BITMAPINFO& info, void** bits) {
    return Counted(CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

void CountedDelete(HGDIOBJ object) {
    if (object && DeleteObject(object)) --live_objects;
}

long LiveGdiObjects() { return live_objects; }
