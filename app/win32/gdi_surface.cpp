#include "app/win32/gdi_surface.h"

#include "app/win32/gdi_objects.h"

#include <climits>
#include <cstring>

LOGFONTA ToLogFont(const FontSpec& font) {
    LOGFONTA lf = {};
    lf.lfHeight = font.height;
    lf.lfWidth = font.width;
    lf.lfEscapement = font.escapement;
    lf.lfOrientation = font.orientation;
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strike_out;
    lf.lfCharSet = font.char_set;
    lf.lfOutPrecision = font.out_precision;
    lf.lfClipPrecision = font.clip_precision;
    lf.lfQuality = font.quality;
    lf.lfPitchAndFamily = font.pitch_and_family;
    static_assert(sizeof lf.lfFaceName == sizeof font.face_name, "face name sizes");
    std::memcpy(lf.lfFaceName, font.face_name, sizeof lf.lfFaceName);
    lf.lfFaceName[sizeof lf.lfFaceName - 1] = '\0';
    return lf;
}

FontSpec FromLogFont(const LOGFONTA& lf) {
    FontSpec font;
    font.height = lf.lfHeight;
    font.width = lf.lfWidth;
    font.escapement = lf.lfEscapement;
    font.orientation = lf.lfOrientation;
    font.weight = lf.lfWeight;
    font.italic = lf.lfItalic;
    font.underline = lf.lfUnderline;
    font.strike_out = lf.lfStrikeOut;
    font.char_set = lf.lfCharSet;
    font.out_precision = lf.lfOutPrecision;
    font.clip_precision = lf.lfClipPrecision;
    font.quality = lf.lfQuality;
    font.pitch_and_family = lf.lfPitchAndFamily;
    std::memcpy(font.face_name, lf.lfFaceName, sizeof font.face_name);
    font.face_name[sizeof font.face_name - 1] = '\0';
    return font;
}

GdiSurface::GdiSurface(HDC dc, const GdiPens& pens)
    : dc_(dc), pens_(pens), default_pen_(GetCurrentObject(dc, OBJ_PEN)) {}

GdiSurface::~GdiSurface() {
    if (owned_font_) {
        SelectObject(dc_, original_font_);
        CountedDelete(owned_font_);
    }
}

void GdiSurface::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void GdiSurface::LineTo(int x, int y) { ::LineTo(dc_, x, y); }

void GdiSurface::SetPixel(int x, int y, Colour colour) { ::SetPixel(dc_, x, y, colour); }

void GdiSurface::SelectPen(PenId pen) {
    HGDIOBJ handle = nullptr;
    switch (pen) {
        case PenId::surface_default: handle = default_pen_; break;
        case PenId::thin: handle = pens_.thin; break;
        case PenId::dotted: handle = pens_.dotted; break;
        case PenId::thick: handle = pens_.thick; break;
        case PenId::precip: handle = pens_.precip; break;
        case PenId::temp: handle = pens_.temp; break;
    }
    if (handle) SelectObject(dc_, handle);
}

void GdiSurface::SelectNullBrush() { SelectObject(dc_, GetStockObject(NULL_BRUSH)); }

void GdiSurface::SetTextAlign(TextAlign align) { ::SetTextAlign(dc_, static_cast<UINT>(align)); }

void GdiSurface::SetTextColour(Colour colour) { SetTextColor(dc_, colour); }

void GdiSurface::TextOut(int x, int y, std::string_view text) {
    int length = text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
    ::TextOutA(dc_, x, y, text.data(), length);
}

void GdiSurface::SelectFont(const FontSpec& font) {
    LOGFONTA lf = ToLogFont(font);
    HFONT created = CountedCreateFont(lf);
    if (!created) return;
    HGDIOBJ previous = SelectObject(dc_, created);
    if (owned_font_) {
        CountedDelete(owned_font_);
    } else {
        original_font_ = previous;
    }
    owned_font_ = created;
}

TextMetrics GdiSurface::MeasureText() {
    TEXTMETRICA tm = {};
    if (!GetTextMetricsA(dc_, &tm)) return {0, 0};
    return {static_cast<int>(tm.tmAveCharWidth), static_cast<int>(tm.tmHeight + tm.tmExternalLeading)};
}
