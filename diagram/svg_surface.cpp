#include "diagram/svg_surface.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "diagram/line_clip.h"
#include "station/text_encoding.h"

namespace {

// The bytes before the body kept for the root element: the XML declaration,
// the <svg> tag with five numbers and a font family of at most 32 escaped
// face-name bytes (5 bytes each at most), and the background rect. It needs
// fewer than 600.
constexpr std::size_t kHeadRoom = 1024;
constexpr std::size_t kFaceNameBytes = sizeof(FontSpec{}.face_name);
// The most an escaped Windows-1252 byte becomes ("&amp;").
constexpr std::size_t kMaxEscapedByte = 5;
// The most an element writes besides its text content.
constexpr std::size_t kMaxElement = 256;
constexpr std::size_t kFirstCapacity = 128 * 1024;

template <std::size_t N>
char* Put(char* p, const char (&literal)[N]) {
    std::memcpy(p, literal, N - 1);
    return p + N - 1;
}

char* Put(char* p, std::string_view text) {
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

// Decimal digits of 0..99, two by two.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The decimal text of a 32-bit number, at most 11 bytes. Nearly every number
// of a drawing is a coordinate of one to four digits, so the common case is
// a table look-up or two; the text is what std::to_chars writes.
char* PutNumber(char* p, int value) {
    std::uint32_t v = static_cast<std::uint32_t>(value);
    if (value < 0) {
        *p++ = '-';
        v = 0u - v;
    }
    if (v < 10) {
        *p++ = static_cast<char>('0' + v);
        return p;
    }
    if (v < 100) {
        std::memcpy(p, kDigitPairs + 2 * v, 2);
        return p + 2;
    }
    if (v < 10000) {
        const std::uint32_t high = v / 100;
        const std::uint32_t low = v % 100;
        if (high < 10) {
            *p++ = static_cast<char>('0' + high);
        } else {
            std::memcpy(p, kDigitPairs + 2 * high, 2);
            p += 2;
        }
        std::memcpy(p, kDigitPairs + 2 * low, 2);
        return p + 2;
    }
    return std::to_chars(p, p + 11, v).ptr;
}

// name="value" with a leading blank.
template <std::size_t N>
char* PutAttribute(char* p, const char (&name)[N], int value) {
    *p++ = ' ';
    p = Put(p, name);
    *p++ = '=';
    *p++ = '"';
    p = PutNumber(p, value);
    *p++ = '"';
    return p;
}

// A coordinate given in hundredths, written with at most two decimals.
char* PutHundredths(char* p, long long hundredths) {
    if (hundredths < 0) {
        *p++ = '-';
        hundredths = -hundredths;
    }
    const long long whole = hundredths / 100;
    p = whole <= 0x7FFFFFFF ? PutNumber(p, static_cast<int>(whole)) : std::to_chars(p, p + 20, whole).ptr;
    const int fraction = static_cast<int>(hundredths % 100);
    if (fraction != 0) {
        *p++ = '.';
        *p++ = static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) *p++ = static_cast<char>('0' + fraction % 10);
    }
    return p;
}

template <std::size_t N>
char* PutHundredthsAttribute(char* p, const char (&name)[N], long long hundredths) {
    *p++ = ' ';
    p = Put(p, name);
    *p++ = '=';
    *p++ = '"';
    p = PutHundredths(p, hundredths);
    *p++ = '"';
    return p;
}

// Rounded half away from zero (the tool links no maths library).
long long Hundredths(double v) {
    return v >= 0 ? static_cast<long long>(v * 100 + 0.5) : -static_cast<long long>(-v * 100 + 0.5);
}

// #rrggbb of a COLORREF (0x00BBGGRR).
char* PutColour(char* p, Colour colour) {
    static const char kHex[] = "0123456789abcdef";
    *p++ = '#';
    for (int shift = 0; shift < 24; shift += 8) {
        unsigned byte = (colour >> shift) & 0xFF;
        *p++ = kHex[byte >> 4];
        *p++ = kHex[byte & 0xF];
    }
    return p;
}

char* PutCodePoint(char* p, std::uint32_t cp) {
    if (cp < 0x80) {
        *p++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *p++ = static_cast<char>(0xC0 | (cp >> 6));
        *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *p++ = static_cast<char>(0xE0 | (cp >> 12));
        *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return p;
}

// Windows-1252 text as XML character data; at most kMaxEscapedByte bytes
// per byte of text.
char* PutText(char* p, std::string_view cp1252) {
    for (char c : cp1252) {
        const std::uint32_t cp = Cp1252CodePoint(static_cast<unsigned char>(c));
        if (cp == '&') {
            p = Put(p, "&amp;");
        } else if (cp == '<') {
            p = Put(p, "&lt;");
        } else if (cp == '>') {
            p = Put(p, "&gt;");
        } else if ((cp < 0x20 && cp != '\t') || (cp >= 0x80 && cp < 0xA0)) {
            p = PutCodePoint(p, 0xFFFD);  // a C0 or C1 control
        } else {
            p = PutCodePoint(p, cp);
        }
    }
    return p;
}

const char* Anchor(TextAlign align) {
    switch (align) {
        case TextAlign::right_top:
            return "end";
        case TextAlign::center_top:
            return "middle";
        case TextAlign::left_top:
            break;
    }
    return "start";
}

// A font family list an SVG viewer can resolve; the face name is
// Windows-1252, its double quotes become single ones inside the attribute.
char* PutFontFamily(char* p, const FontSpec& font) {
    std::size_t length = 0;
    while (length < kFaceNameBytes && font.face_name[length] != '\0') ++length;
    char* face = p;
    p = PutText(p, std::string_view(font.face_name, length));
    std::replace(face, p, '"', '\'');
    const std::string_view written(face, static_cast<std::size_t>(p - face));
    if (written.empty() || written == "Arial") return Put(face, "Arial, Helvetica, sans-serif");
    return Put(p, ", Arial, Helvetica, sans-serif");
}

}  // namespace

std::string SvgText(std::string_view cp1252) {
    std::string out(cp1252.size() * kMaxEscapedByte, '\0');
    out.resize(static_cast<std::size_t>(PutText(&out[0], cp1252) - out.data()));
    return out;
}

SvgSurface::SvgSurface(int width, int height, TextMetrics metrics, bool monochrome) {
    Begin(width, height, metrics, monochrome);
}

void SvgSurface::Begin(int width, int height, TextMetrics metrics, bool monochrome) {
    width_ = width;
    height_ = height;
    metrics_ = metrics;
    monochrome_ = monochrome;
    pen_ = StandardPenStyle(PenId::surface_default, monochrome);
    align_ = TextAlign::left_top;
    text_colour_ = kBlack;
    font_ = FontSpec{};
    x_ = 0;
    y_ = 0;
    group_open_ = false;
    dash_run_open_ = false;
    if (capacity_ < kFirstCapacity) Grow(kFirstCapacity);
    start_ = end_ = kHeadRoom;
}

void SvgSurface::Grow(std::size_t capacity) {
    std::unique_ptr<char[]> grown(new char[capacity]);
    if (end_ > 0) std::memcpy(grown.get(), buffer_.get(), end_);
    buffer_ = std::move(grown);
    capacity_ = capacity;
}

char* SvgSurface::Reserve(std::size_t n) {
    if (capacity_ < kHeadRoom) Grow(kFirstCapacity);  // drawn without Begin
    if (end_ < kHeadRoom) start_ = end_ = kHeadRoom;
    if (capacity_ - end_ < n) Grow(std::max(capacity_ * 2, end_ + n));
    return buffer_.get() + end_;
}

char* SvgSurface::ReserveElement(std::size_t n) {
    char* p = Reserve(n + 8);
    if (dash_run_open_) {
        p = Put(p, "</g>\n");
        Commit(p);
        dash_run_open_ = false;
    }
    return p;
}

void SvgSurface::Commit(const char* end) { end_ = static_cast<std::size_t>(end - buffer_.get()); }

void SvgSurface::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void SvgSurface::LineTo(int x, int y) {
    WriteLine(x_, y_, x, y);
    x_ = x;
    y_ = y;
}

void SvgSurface::WriteLine(int x1, int y1, int x2, int y2) {
    const PenStyle& style = pen_;
    // Through the pixel centres: a line of width 1 at y covers the rows
    // y .. y + 1 exactly, as the window's pen draws row y.
    const double centre = style.width % 2 == 1 ? 0.5 : 0.0;
    double fx1 = x1, fy1 = y1, fx2 = x2, fy2 = y2;
    if (y1 == y2) {
        fy1 += centre;
        fy2 += centre;
    } else if (x1 == x2) {
        fx1 += centre;
        fx2 += centre;
    }
    ClippedLine cut{};
    if (!ClipLine(fx1, fy1, fx2, fy2, ClipRect{0, 0, static_cast<double>(width_), static_cast<double>(height_)},
                  cut)) {
        return;
    }
    char* p = ReserveElement(kMaxElement);
    p = Put(p, "<line");
    p = PutHundredthsAttribute(p, "x1", Hundredths(cut.x1));
    p = PutHundredthsAttribute(p, "y1", Hundredths(cut.y1));
    p = PutHundredthsAttribute(p, "x2", Hundredths(cut.x2));
    p = PutHundredthsAttribute(p, "y2", Hundredths(cut.y2));
    p = Put(p, " stroke=\"");
    p = PutColour(p, style.colour);
    *p++ = '"';
    if (style.dotted) {
        p = Put(p, " stroke-dasharray=\"2 2\"");
        // The pattern keeps its phase where the start was cut off.
        const long long offset = Hundredths(cut.cut_at_start) % 400;
        if (offset != 0) p = PutHundredthsAttribute(p, "stroke-dashoffset", offset);
    }
    if (style.width != 1) p = PutAttribute(p, "stroke-width", style.width);
    p = Put(p, "/>\n");
    Commit(p);
}

void SvgSurface::SetPixel(int x, int y, Colour colour) {
    if (Inside(x, y)) WriteRect(x, y, 1, 1, colour);
}

void SvgSurface::WriteRect(int x, int y, int w, int h, Colour colour) {
    const long long top = std::max(y, 0);
    const long long bottom = std::min(static_cast<long long>(y) + h, static_cast<long long>(height_));
    if (top >= bottom || w <= 0) return;
    y = static_cast<int>(top);
    h = static_cast<int>(bottom - top);
    char* p = ReserveElement(kMaxElement);
    p = Put(p, "<rect");
    p = PutAttribute(p, "x", x);
    p = PutAttribute(p, "y", y);
    p = PutAttribute(p, "width", w);
    p = PutAttribute(p, "height", h);
    p = Put(p, " fill=\"");
    p = PutColour(p, colour);
    p = Put(p, "\"/>\n");
    Commit(p);
}

void SvgSurface::FillPolygons(const SurfacePoint* points, const std::uint32_t* ring_sizes, std::size_t ring_count,
                              Colour colour) {
    char* p = ReserveElement(kMaxElement);
    p = Put(p, "<path fill=\"");
    p = PutColour(p, colour);
    p = Put(p, "\" fill-rule=\"evenodd\" stroke=\"none\" d=\"");
    Commit(p);
    for (std::size_t r = 0; r < ring_count; ++r) {
        for (std::uint32_t k = 0; k < ring_sizes[r]; ++k, ++points) {
            // A letter and two numbers: at most 25 bytes.
            p = Reserve(32);
            *p++ = k == 0 ? 'M' : 'L';
            p = PutNumber(p, points->x);
            *p++ = ' ';
            p = PutNumber(p, points->y);
            Commit(p);
        }
        p = Reserve(1);
        *p++ = 'Z';
        Commit(p);
    }
    p = Reserve(8);
    p = Put(p, "\"/>\n");
    Commit(p);
}

void SvgSurface::FillDisc(int x, int y, int radius, Colour fill, Colour outline) {
    char* p = ReserveElement(kMaxElement);
    p = Put(p, "<circle");
    p = PutAttribute(p, "cx", x);
    p = PutAttribute(p, "cy", y);
    p = PutAttribute(p, "r", radius);
    p = Put(p, " fill=\"");
    p = PutColour(p, fill);
    p = Put(p, "\" stroke=\"");
    p = PutColour(p, outline);
    p = Put(p, "\"/>\n");
    Commit(p);
}

void SvgSurface::WriteMarkup(std::string_view markup) {
    char* p = ReserveElement(markup.size());
    Commit(Put(p, markup));
}

// Side by side dashed columns of one style (the columns of arid dots) share
// a <g> that holds the style, each column a short <path> in it.
void SvgSurface::WriteDashedColumn(int x, int w, int top, int bottom, int dash, int gap, Colour colour) {
    // Cut at the canvas: the pattern keeps its phase.
    const long long period = static_cast<long long>(dash) + gap;
    const long long offset = top < 0 ? (0LL - top) % period : 0;
    const int from = std::max(top, 0);
    const int to = std::min(bottom, height_);
    if (from >= to) return;
    const DashStyle style{colour, w, dash, gap};
    char* p = Reserve(2 * kMaxElement);
    if (dash_run_open_ && !(style == dash_style_)) p = Put(p, "</g>\n");
    if (!dash_run_open_ || !(style == dash_style_)) {
        p = Put(p, "<g stroke=\"");
        p = PutColour(p, colour);
        *p++ = '"';
        if (w != 1) p = PutAttribute(p, "stroke-width", w);
        p = Put(p, " stroke-dasharray=\"");
        p = PutNumber(p, dash);
        *p++ = ' ';
        p = PutNumber(p, gap);
        p = Put(p, "\">\n");
        dash_run_open_ = true;
        dash_style_ = style;
    }
    p = Put(p, "<path d=\"M");
    p = PutHundredths(p, 100LL * x + 50LL * w);
    *p++ = ' ';
    p = PutNumber(p, from);
    *p++ = 'V';
    p = PutNumber(p, to);
    *p++ = '"';
    if (offset != 0) p = PutAttribute(p, "stroke-dashoffset", static_cast<int>(offset));
    p = Put(p, "/>\n");
    Commit(p);
}

void SvgSurface::WriteRuns(const Run* runs, std::size_t count, int x, int w, Colour colour) {
    std::size_t i = 0;
    while (i < count) {
        std::size_t j = i + 1;
        const int length = runs[i].length;
        if (j < count && runs[j].length == length) {
            const int pitch = runs[j].y - runs[i].y;
            while (j + 1 < count && runs[j + 1].length == length && runs[j + 1].y - runs[j].y == pitch) ++j;
            ++j;
        }
        if (j - i >= 2) {
            const int pitch = runs[i + 1].y - runs[i].y;
            WriteDashedColumn(x, w, runs[i].y, runs[j - 1].y + length, length, pitch - length, colour);
        } else {
            WriteRect(x, runs[i].y, w, length, colour);
        }
        i = j;
    }
}

// The pixels in the canvas's columns as vertical runs, column by column;
// side by side columns with the same runs are drawn as one, each column's
// runs at an equal pitch as one dashed line, then cut at the canvas's top
// and bottom. A batch has one colour, so the order of its pixels does not
// matter.
void SvgSurface::SetPixels(const SurfacePoint* points, std::size_t count, Colour colour) {
    // Each pixel as one number that sorts by column, then row.
    keys_.clear();
    for (std::size_t i = 0; i < count; ++i) {
        if (points[i].x < 0 || points[i].x >= width_) continue;
        const std::uint32_t row = static_cast<std::uint32_t>(points[i].y) ^ 0x80000000u;
        keys_.push_back(static_cast<std::uint64_t>(points[i].x) << 32 | row);
    }
    std::sort(keys_.begin(), keys_.end());
    runs_.clear();
    for (const std::uint64_t key : keys_) {
        const int x = static_cast<int>(key >> 32);
        const int y = static_cast<int>(static_cast<std::uint32_t>(key) ^ 0x80000000u);
        if (!runs_.empty() && runs_.back().x == x && static_cast<long long>(runs_.back().y) + runs_.back().length >= y) {
            if (static_cast<long long>(runs_.back().y) + runs_.back().length == y) ++runs_.back().length;
            continue;  // a repeated pixel, or one run longer
        }
        runs_.push_back(Run{x, y, 1});
    }
    auto column_end = [&](std::size_t from) {
        std::size_t to = from;
        while (to < runs_.size() && runs_[to].x == runs_[from].x) ++to;
        return to;
    };
    auto same_rows = [&](std::size_t a, std::size_t b, std::size_t n) {
        for (std::size_t k = 0; k < n; ++k) {
            if (runs_[a + k].y != runs_[b + k].y || runs_[a + k].length != runs_[b + k].length) return false;
        }
        return true;
    };
    std::size_t first = 0;
    while (first < runs_.size()) {
        const std::size_t end = column_end(first);
        const std::size_t n = end - first;
        int w = 1;
        std::size_t next = end;
        while (next < runs_.size() && runs_[next].x == runs_[first].x + w) {
            const std::size_t next_end = column_end(next);
            if (next_end - next != n || !same_rows(first, next, n)) break;
            ++w;
            next = next_end;
        }
        WriteRuns(&runs_[first], n, runs_[first].x, w, colour);
        first = next;
    }
}

// A frost bar: vertical lines of the thin pen in side by side columns, all
// from the same row to the same row, is one rect covering what the lines
// cover.
void SvgSurface::DrawLines(const LineSegment* segments, std::size_t count) {
    if (count == 0) return;
    bool bar = !pen_.dotted && pen_.width == 1;
    for (std::size_t i = 0; i < count && bar; ++i) {
        const LineSegment& l = segments[i];
        bar = l.x1 == l.x2 && l.y1 == segments[0].y1 && l.y2 == segments[0].y2 &&
              l.x1 == segments[0].x1 + static_cast<int>(i) && l.y1 != l.y2;
    }
    if (!bar) {
        DrawSurface::DrawLines(segments, count);
        return;
    }
    const LineSegment& last = segments[count - 1];
    x_ = last.x2;
    y_ = last.y2;
    const long long left = std::max<long long>(segments[0].x1, 0);
    const long long right = std::min<long long>(static_cast<long long>(last.x1) + 1, width_);
    const long long top = std::max<long long>(std::min(last.y1, last.y2), 0);
    const long long bottom = std::min<long long>(std::max(last.y1, last.y2), height_);
    if (left >= right || top >= bottom) return;
    WriteRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
              static_cast<int>(bottom - top), pen_.colour);
}

// A month's humid dashes: strokes of the same ends, their end pixels of
// the thin pen's colour, at an equal pitch, are one dashed vertical line
// (or one rect for a single dash) covering the strokes' pixels.
void SvgSurface::DrawHorizontalStrokes(const HorizontalStroke* strokes, std::size_t count, Colour end_colour) {
    if (count == 0) return;
    const HorizontalStroke& first = strokes[0];
    bool dashes = !pen_.dotted && pen_.width == 1 && pen_.colour == end_colour && first.x1 <= first.x2 &&
                  first.x1 >= 0 && first.x2 < width_;
    rows_.clear();
    for (std::size_t i = 0; i < count && dashes; ++i) {
        dashes = strokes[i].x1 == first.x1 && strokes[i].x2 == first.x2;
        if (strokes[i].y >= 0 && strokes[i].y < height_) rows_.push_back(strokes[i].y);
    }
    std::sort(rows_.begin(), rows_.end());
    for (std::size_t i = 2; i < rows_.size() && dashes; ++i) dashes = rows_[i] - rows_[i - 1] == rows_[1] - rows_[0];
    if (dashes && rows_.size() >= 2) dashes = rows_[1] - rows_[0] >= 2;
    if (!dashes) {
        DrawSurface::DrawHorizontalStrokes(strokes, count, end_colour);
        return;
    }
    x_ = strokes[count - 1].x2;
    y_ = strokes[count - 1].y;
    const int w = first.x2 - first.x1 + 1;
    if (rows_.size() == 1) {
        WriteRect(first.x1, rows_[0], w, 1, end_colour);
    } else if (rows_.size() > 1) {
        const int pitch = rows_[1] - rows_[0];
        WriteDashedColumn(first.x1, w, rows_.front(), rows_.back() + 1, 1, pitch - 1, end_colour);
    }
}

void SvgSurface::BeginGroup(std::string_view name) {
    char* p = ReserveElement(kMaxElement + name.size() * kMaxEscapedByte);
    if (group_open_) p = Put(p, "</g>\n");
    p = Put(p, "<g id=\"");
    p = PutText(p, name);
    p = Put(p, "\">\n");
    Commit(p);
    group_open_ = true;
}

void SvgSurface::SelectPen(PenId pen) { pen_ = StandardPenStyle(pen, monochrome_); }

void SvgSurface::SelectNullBrush() {}

void SvgSurface::SetTextAlign(TextAlign align) { align_ = align; }

void SvgSurface::SetTextColour(Colour colour) { text_colour_ = colour; }

void SvgSurface::TextOut(int x, int y, std::string_view text) {
    // A text whose line lies wholly above or below the canvas shows nothing.
    if (text.empty() || y >= height_ || static_cast<long long>(y) + metrics_.line_height <= 0) return;
    char* p = ReserveElement(kMaxElement + text.size() * kMaxEscapedByte);
    p = Put(p, "<text");
    p = PutAttribute(p, "x", x);
    p = PutAttribute(p, "y", static_cast<int>(std::min<long long>(static_cast<long long>(y) + Ascent(), INT32_MAX)));
    p = Put(p, " text-anchor=\"");
    p = Put(p, std::string_view(Anchor(align_)));
    p = Put(p, "\" xml:space=\"preserve\" style=\"white-space:pre\" fill=\"");
    p = PutColour(p, text_colour_);
    p = Put(p, "\">");
    p = PutText(p, text);
    p = Put(p, "</text>\n");
    Commit(p);
}

void SvgSurface::SelectFont(const FontSpec& font) { font_ = font; }

TextMetrics SvgSurface::MeasureText() { return metrics_; }

int SvgSurface::FontSize() const {
    return static_cast<int>((static_cast<long long>(metrics_.line_height) * 13 + 8) / 16);
}

// Arial's ascender is 1854 of its 2048 units to the em, truncated as the
// drawing truncates (11 of a 13-pixel font).
int SvgSurface::Ascent() const {
    if (metrics_.ascent > 0) return metrics_.ascent;
    return static_cast<int>(static_cast<long long>(FontSize()) * 1854 / 2048);
}

// The font size is the character height of a font whose line is
// line_height high (Arial: 13 of 16), so the texts sit as they do on the
// window; whitespace is kept as drawn ("[  ]   +0.0").
std::string_view SvgSurface::Finish() {
    char* tail = ReserveElement(kMaxElement);
    if (group_open_) tail = Put(tail, "</g>\n");
    group_open_ = false;
    tail = Put(tail, "</svg>\n");
    const std::size_t document_end = static_cast<std::size_t>(tail - buffer_.get());

    const int font_size = FontSize();
    char head[kHeadRoom];
    char* p = Put(head, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    p = Put(p, "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"");
    p = PutAttribute(p, "width", width_);
    p = PutAttribute(p, "height", height_);
    p = Put(p, " viewBox=\"0 0 ");
    p = PutNumber(p, width_);
    *p++ = ' ';
    p = PutNumber(p, height_);
    p = Put(p, "\" xml:space=\"preserve\" shape-rendering=\"crispEdges\" font-family=\"");
    p = PutFontFamily(p, font_);
    *p++ = '"';
    p = PutAttribute(p, "font-size", font_size);
    p = Put(p, font_.weight >= 600 ? std::string_view(" font-weight=\"bold\">\n")
                                   : std::string_view(" font-weight=\"normal\">\n"));
    p = Put(p, "<rect x=\"0\" y=\"0\"");
    p = PutAttribute(p, "width", width_);
    p = PutAttribute(p, "height", height_);
    p = Put(p, " fill=\"#ffffff\"/>\n");

    const std::size_t head_size = static_cast<std::size_t>(p - head);
    start_ = kHeadRoom - head_size;
    std::memcpy(buffer_.get() + start_, head, head_size);
    return std::string_view(buffer_.get() + start_, document_end - start_);
}
