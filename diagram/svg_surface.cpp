#include "diagram/svg_surface.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

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

void SvgSurface::Commit(const char* end) { end_ = static_cast<std::size_t>(end - buffer_.get()); }

void SvgSurface::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void SvgSurface::LineTo(int x, int y) {
    const PenStyle& style = pen_;
    char* p = Reserve(kMaxElement);
    p = Put(p, "<line");
    p = PutAttribute(p, "x1", x_);
    p = PutAttribute(p, "y1", y_);
    p = PutAttribute(p, "x2", x);
    p = PutAttribute(p, "y2", y);
    p = Put(p, " stroke=\"");
    p = PutColour(p, style.colour);
    *p++ = '"';
    if (style.dotted) p = Put(p, " stroke-dasharray=\"2 2\"");
    if (style.width != 1) p = PutAttribute(p, "stroke-width", style.width);
    p = Put(p, "/>\n");
    Commit(p);
    x_ = x;
    y_ = y;
}

void SvgSurface::SetPixel(int x, int y, Colour colour) {
    char* p = Reserve(kMaxElement);
    p = Put(p, "<rect");
    p = PutAttribute(p, "x", x);
    p = PutAttribute(p, "y", y);
    p = Put(p, " width=\"1\" height=\"1\" fill=\"");
    p = PutColour(p, colour);
    p = Put(p, "\"/>\n");
    Commit(p);
}

void SvgSurface::FillPolygons(const SurfacePoint* points, const std::uint32_t* ring_sizes, std::size_t ring_count,
                              Colour colour) {
    char* p = Reserve(kMaxElement);
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
    char* p = Reserve(kMaxElement);
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
    char* p = Reserve(markup.size());
    Commit(Put(p, markup));
}

void SvgSurface::SelectPen(PenId pen) { pen_ = StandardPenStyle(pen, monochrome_); }

void SvgSurface::SelectNullBrush() {}

void SvgSurface::SetTextAlign(TextAlign align) { align_ = align; }

void SvgSurface::SetTextColour(Colour colour) { text_colour_ = colour; }

void SvgSurface::TextOut(int x, int y, std::string_view text) {
    char* p = Reserve(kMaxElement + text.size() * kMaxEscapedByte);
    p = Put(p, "<text");
    p = PutAttribute(p, "x", x);
    p = PutAttribute(p, "y", y);
    p = Put(p, " text-anchor=\"");
    p = Put(p, std::string_view(Anchor(align_)));
    p = Put(p, "\" dominant-baseline=\"hanging\" fill=\"");
    p = PutColour(p, text_colour_);
    p = Put(p, "\">");
    p = PutText(p, text);
    p = Put(p, "</text>\n");
    Commit(p);
}

void SvgSurface::SelectFont(const FontSpec& font) { font_ = font; }

TextMetrics SvgSurface::MeasureText() { return metrics_; }

// The font size is the character height of a font whose line is
// line_height high (Arial: 13 of 16), so the texts sit as they do on the
// window; whitespace is kept as drawn ("[  ]   +0.0").
std::string_view SvgSurface::Finish() {
    char* tail = Reserve(kMaxElement);
    tail = Put(tail, "</svg>\n");
    const std::size_t document_end = static_cast<std::size_t>(tail - buffer_.get());

    const int font_size = static_cast<int>((static_cast<long long>(metrics_.line_height) * 13 + 8) / 16);
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
