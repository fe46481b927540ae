#include "tools/varnok/svg_surface.h"

#include <cstdio>

#include "station/text_encoding.h"

namespace {

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

std::string Attribute(const char* name, long long value) {
    return std::string(" ") + name + "=\"" + std::to_string(value) + "\"";
}

std::string FaceName(const FontSpec& font) {
    std::string face;
    for (std::size_t i = 0; i < sizeof font.face_name && font.face_name[i] != '\0'; ++i) face += font.face_name[i];
    return face;
}

// A font family list an SVG viewer can resolve; the face name is Windows-1252.
std::string FontFamily(const FontSpec& font) {
    std::string face = SvgText(FaceName(font));
    std::string quoted;
    for (char c : face) quoted += c == '"' ? '\'' : c;
    if (quoted.empty() || quoted == "Arial") return "Arial, Helvetica, sans-serif";
    return quoted + ", Arial, Helvetica, sans-serif";
}

}  // namespace

std::string SvgColour(Colour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(colour & 0xFF),
                  static_cast<unsigned>((colour >> 8) & 0xFF), static_cast<unsigned>((colour >> 16) & 0xFF));
    return text;
}

std::string SvgText(std::string_view cp1252) {
    std::string utf8 = Cp1252ToUtf8(cp1252);
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c < 0x20 && c != '\t') {
            out += "\xEF\xBF\xBD";
        } else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            out += "\xEF\xBF\xBD";  // a C1 control (U+0080..U+009F)
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

SvgSurface::SvgSurface(int width, int height, TextMetrics metrics, bool monochrome)
    : width_(width), height_(height), metrics_(metrics), monochrome_(monochrome) {}

void SvgSurface::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void SvgSurface::LineTo(int x, int y) {
    PenStyle style = StandardPenStyle(pen_, monochrome_);
    body_ += "<line" + Attribute("x1", x_) + Attribute("y1", y_) + Attribute("x2", x) + Attribute("y2", y) +
             " stroke=\"" + SvgColour(style.colour) + "\"";
    if (style.dotted) body_ += " stroke-dasharray=\"2 2\"";
    if (style.width != 1) body_ += Attribute("stroke-width", style.width);
    body_ += "/>\n";
    x_ = x;
    y_ = y;
}

void SvgSurface::SetPixel(int x, int y, Colour colour) {
    body_ += "<rect" + Attribute("x", x) + Attribute("y", y) + " width=\"1\" height=\"1\" fill=\"" +
             SvgColour(colour) + "\"/>\n";
}

void SvgSurface::SelectPen(PenId pen) { pen_ = pen; }

void SvgSurface::SelectNullBrush() {}

void SvgSurface::SetTextAlign(TextAlign align) { align_ = align; }

void SvgSurface::SetTextColour(Colour colour) { text_colour_ = colour; }

void SvgSurface::TextOut(int x, int y, std::string_view text) {
    body_ += "<text" + Attribute("x", x) + Attribute("y", y) + " text-anchor=\"" + Anchor(align_) +
             "\" dominant-baseline=\"hanging\" fill=\"" + SvgColour(text_colour_) + "\">" + SvgText(text) +
             "</text>\n";
}

void SvgSurface::SelectFont(const FontSpec& font) { font_ = font; }

TextMetrics SvgSurface::MeasureText() { return metrics_; }

// The font size is the character height of a font whose line is
// line_height high (Arial: 13 of 16), so the texts sit as they do on the
// window; whitespace is kept as drawn ("[  ]   +0.0").
std::string SvgSurface::Finish() const {
    const int font_size = (metrics_.line_height * 13 + 8) / 16;
    const bool bold = font_.weight >= 600;
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"" + Attribute("width", width_) +
           Attribute("height", height_) + " viewBox=\"0 0 " + std::to_string(width_) + " " +
           std::to_string(height_) + "\" xml:space=\"preserve\" shape-rendering=\"crispEdges\"" +
           " font-family=\"" + FontFamily(font_) + "\"" + Attribute("font-size", font_size) +
           " font-weight=\"" + (bold ? "bold" : "normal") + "\">\n";
    out += "<rect x=\"0\" y=\"0\"" + Attribute("width", width_) + Attribute("height", height_) +
           " fill=\"#ffffff\"/>\n";
    out += body_;
    out += "</svg>\n";
    return out;
}
