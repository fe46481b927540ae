#include "app/win32/gdi_surface.h"

#include "app/win32/gdi_objects.h"
#include "app/win32/text_conversion.h"

#include "diagram/line_clip.h"

#include <climits>
#include <cstddef>
#include <cstring>
#include <vector>

LOGFONTW ToLogFont(const FontSpec& font) {
    LOGFONTW lf = {};
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
    // The face name is Windows-1252, as the program's other texts.
    constexpr std::size_t kFaceChars = sizeof lf.lfFaceName / sizeof lf.lfFaceName[0];
    static_assert(kFaceChars == sizeof font.face_name, "face name sizes");
    const std::wstring face = WideFrom1252(font.face_name, static_cast<int>(strnlen(font.face_name, kFaceChars - 1)));
    face.copy(lf.lfFaceName, kFaceChars - 1);  // zeros after it: a metafile records the whole field
    return lf;
}

bool FromLogFont(const LOGFONTW& lf, FontSpec& font) {
    std::string face, refused;
    unsigned code_point = 0;
    if (!Cp1252FromWide(lf.lfFaceName, face, refused, code_point)) return false;
    font = FontSpec{};
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
    face.copy(font.face_name, sizeof font.face_name - 1);
    return true;
}

GdiSurface::GdiSurface(HDC dc, const GdiPens& pens)
    : dc_(dc), pens_(pens), default_pen_(GetCurrentObject(dc, OBJ_PEN)) {}

GdiSurface::~GdiSurface() {
    CountedDelete(disc_brush_);
    CountedDelete(disc_pen_);
    if (owned_font_) {
        SelectObject(dc_, original_font_);
        CountedDelete(owned_font_);
    }
}

void GdiSurface::StartPicture(int width, int height) {
    picture_ = width > 0 && height > 0;
    width_ = width;
    height_ = height;
    IntersectClipRect(dc_, 0, 0, width, height);
    if (pens_.thin) SelectObject(dc_, pens_.thin);
    SelectObject(dc_, GetStockObject(NULL_BRUSH));
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, kBlack);
    ::SetTextAlign(dc_, TA_LEFT | TA_TOP);
}

bool GdiSurface::CutToPicture(int& x1, int& y1, int& x2, int& y2) const {
    if (!picture_) return true;
    const auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x <= width_ && y <= height_; };
    if (inside(x1, y1) && inside(x2, y2)) return true;
    ClippedLine cut{};
    if (!ClipLine(x1, y1, x2, y2, ClipRect{0, 0, static_cast<double>(width_), static_cast<double>(height_)}, cut)) {
        return false;
    }
    const auto round = [](double v) { return static_cast<int>(v < 0 ? v - 0.5 : v + 0.5); };
    x1 = round(cut.x1);
    y1 = round(cut.y1);
    x2 = round(cut.x2);
    y2 = round(cut.y2);
    return true;
}

void GdiSurface::MoveTo(int x, int y) {
    position_ = POINT{x, y};
    if (!picture_) MoveToEx(dc_, x, y, nullptr);
}

void GdiSurface::LineTo(int x, int y) {
    if (!picture_) {
        ::LineTo(dc_, x, y);
        return;
    }
    int x1 = position_.x, y1 = position_.y, x2 = x, y2 = y;
    position_ = POINT{x, y};
    if (!CutToPicture(x1, y1, x2, y2)) return;
    MoveToEx(dc_, x1, y1, nullptr);
    ::LineTo(dc_, x2, y2);
}

void GdiSurface::SetPixel(int x, int y, Colour colour) {
    if (!picture_) {
        ::SetPixel(dc_, x, y, colour);
        return;
    }
    const SurfacePoint point{x, y};
    SetPixels(&point, 1, colour);
}

namespace {

// Lines per PolyPolyline call: the arrays stay small, and a metafile
// record of them too.
constexpr std::size_t kLinesPerCall = 4096;

}  // namespace

void GdiSurface::AddLine(int x1, int y1, int x2, int y2) {
    if (!CutToPicture(x1, y1, x2, y2)) return;
    points_.push_back(POINT{x1, y1});
    points_.push_back(POINT{x2, y2});
    counts_.push_back(2);
    if (counts_.size() == kLinesPerCall) FlushLines();
}

void GdiSurface::FlushLines() {
    if (!counts_.empty()) {
        PolyPolyline(dc_, points_.data(), counts_.data(), static_cast<DWORD>(counts_.size()));
    }
    points_.clear();
    counts_.clear();
}

// A solid pen one pixel wide of that colour: a line one pixel longer draws
// what the line and its end pixel draw.
bool GdiSurface::PenDrawsOnePixelOf(Colour colour) const {
    LOGPEN pen = {};
    if (GetObjectA(GetCurrentObject(dc_, OBJ_PEN), sizeof pen, &pen) != sizeof pen) return false;
    return pen.lopnStyle == PS_SOLID && pen.lopnWidth.x <= 1 && (pen.lopnColor & 0xFFFFFF) == colour;
}

void GdiSurface::SetPixels(const SurfacePoint* points, std::size_t count, Colour colour) {
    if (count < kShortestPixelBatch && !picture_) {
        DrawSurface::SetPixels(points, count, colour);
        return;
    }
    // The current pen when it draws single pixels of the colour (the fill's
    // thin pen for its black dots), otherwise a pen of the colour for the
    // batch.
    HPEN pen = nullptr;
    if (!PenDrawsOnePixelOf(colour)) {
        const int stock = colour == kBlack ? BLACK_PEN : colour == kWhite ? WHITE_PEN : -1;
        pen = stock >= 0 ? static_cast<HPEN>(GetStockObject(stock)) : CountedCreatePen(PS_SOLID, 1, colour);
        if (!pen) {
            if (!picture_) DrawSurface::SetPixels(points, count, colour);
            return;
        }
    }
    HGDIOBJ previous = pen ? SelectObject(dc_, pen) : nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        const int x = points[i].x;
        const int y = points[i].y;
        if (picture_ && (x < 0 || y < 0 || x >= width_ || y >= height_)) continue;
        // The pixel under the end of the last line, which runs down in this
        // column, lengthens it (a dot's block is drawn column by column).
        if (!counts_.empty()) {
            POINT& start = points_[points_.size() - 2];
            POINT& end = points_.back();
            if (start.x == x && end.x == x && end.y == y && start.y < y && y < INT_MAX) {
                end.y = y + 1;
                continue;
            }
        }
        AddLine(x, y, x, y < INT_MAX ? y + 1 : y - 1);
    }
    FlushLines();
    if (pen) {
        SelectObject(dc_, previous);
        if (colour != kBlack && colour != kWhite) CountedDelete(pen);
    }
}

void GdiSurface::DrawLines(const LineSegment* segments, std::size_t count) {
    if (count == 0) return;
    for (std::size_t i = 0; i < count; ++i) AddLine(segments[i].x1, segments[i].y1, segments[i].x2, segments[i].y2);
    FlushLines();
    MoveTo(segments[count - 1].x2, segments[count - 1].y2);
}

void GdiSurface::DrawHorizontalStrokes(const HorizontalStroke* strokes, std::size_t count, Colour end_colour) {
    if (count == 0) return;
    bool one_call = PenDrawsOnePixelOf(end_colour);
    for (std::size_t i = 0; i < count && one_call; ++i) {
        one_call = strokes[i].x1 <= strokes[i].x2 && strokes[i].x2 < INT_MAX;
    }
    if (!one_call) {
        DrawSurface::DrawHorizontalStrokes(strokes, count, end_colour);
        return;
    }
    for (std::size_t i = 0; i < count; ++i) AddLine(strokes[i].x1, strokes[i].y, strokes[i].x2 + 1, strokes[i].y);
    FlushLines();
    MoveTo(strokes[count - 1].x2, strokes[count - 1].y);
}

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

void GdiSurface::FillPolygons(const SurfacePoint* points, const std::uint32_t* ring_sizes, std::size_t ring_count,
                              Colour colour) {
    FlushLines();
    std::size_t total = 0;
    for (std::size_t r = 0; r < ring_count; ++r) total += ring_sizes[r];
    std::vector<INT> counts(ring_sizes, ring_sizes + ring_count);
    std::vector<POINT> corners(total);
    for (std::size_t i = 0; i < total; ++i) corners[i] = POINT{points[i].x, points[i].y};
    HBRUSH brush = CountedCreateSolidBrush(colour);
    if (!brush || total == 0) {
        CountedDelete(brush);
        return;
    }
    HGDIOBJ old_brush = SelectObject(dc_, brush);
    HGDIOBJ old_pen = SelectObject(dc_, GetStockObject(NULL_PEN));
    const int old_mode = SetPolyFillMode(dc_, ALTERNATE);
    // The null pen leaves out the right and bottom edge of the fill; that is
    // the edge the next pixel row or column draws anyway.
    PolyPolygon(dc_, corners.data(), counts.data(), static_cast<int>(ring_count));
    SetPolyFillMode(dc_, old_mode);
    SelectObject(dc_, old_pen);
    SelectObject(dc_, old_brush);
    CountedDelete(brush);
}

void GdiSurface::FillDisc(int x, int y, int radius, Colour fill, Colour outline) {
    FlushLines();
    if (disc_fill_ != fill || !disc_brush_) {
        CountedDelete(disc_brush_);
        disc_brush_ = CountedCreateSolidBrush(fill);
        disc_fill_ = fill;
    }
    if (disc_outline_ != outline || !disc_pen_) {
        CountedDelete(disc_pen_);
        disc_pen_ = CountedCreatePen(PS_SOLID, 1, outline);
        disc_outline_ = outline;
    }
    if (!disc_brush_ || !disc_pen_) return;
    HGDIOBJ old_brush = SelectObject(dc_, disc_brush_);
    HGDIOBJ old_pen = SelectObject(dc_, disc_pen_);
    Ellipse(dc_, x - radius, y - radius, x + radius + 1, y + radius + 1);
    SelectObject(dc_, old_pen);
    SelectObject(dc_, old_brush);
}

void GdiSurface::SetTextAlign(TextAlign align) { ::SetTextAlign(dc_, static_cast<UINT>(align)); }

void GdiSurface::SetTextColour(Colour colour) { SetTextColor(dc_, colour); }

// The glyphs of code page 1252 whatever the system's ANSI code page: the
// text is converted explicitly and drawn with the wide call.
void GdiSurface::TextOut(int x, int y, std::string_view text) {
    if (text.empty()) return;  // nothing to see; a reader might show a box
    int length = text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
    wide_text_ = WideFrom1252(text.data(), length);
    const UINT count = static_cast<UINT>(wide_text_.size());
    if (picture_) {
        // Cut at the window, so the record's bounds stay inside it too.
        const RECT window = {0, 0, width_, height_};
        ::ExtTextOutW(dc_, x, y, ETO_CLIPPED, &window, wide_text_.c_str(), count, nullptr);
        return;
    }
    ::ExtTextOutW(dc_, x, y, 0, nullptr, wide_text_.c_str(), count, nullptr);
}

void GdiSurface::SelectFont(const FontSpec& font) {
    LOGFONTW lf = ToLogFont(font);
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
    TEXTMETRICW tm = {};
    if (!GetTextMetricsW(dc_, &tm)) return {0, 0};
    return {static_cast<int>(tm.tmAveCharWidth), static_cast<int>(tm.tmHeight + tm.tmExternalLeading)};
}
