#include "tests/recording_surface.h"

namespace {

DrawCall Call(DrawCall::Kind kind, PenId pen, TextAlign align, Colour colour) {
    DrawCall c{};
    c.kind = kind;
    c.pen = pen;
    c.align = align;
    c.colour = colour;
    return c;
}

}  // namespace

void RecordingSurface::MoveTo(int x, int y) {
    DrawCall c = Call(DrawCall::move_to, pen_, align_, colour_);
    c.x = x;
    c.y = y;
    calls_.push_back(c);
}

void RecordingSurface::LineTo(int x, int y) {
    DrawCall c = Call(DrawCall::line_to, pen_, align_, colour_);
    c.x = x;
    c.y = y;
    calls_.push_back(c);
}

void RecordingSurface::SetPixel(int x, int y, Colour colour) {
    DrawCall c = Call(DrawCall::set_pixel, pen_, align_, colour);
    c.x = x;
    c.y = y;
    calls_.push_back(c);
}

void RecordingSurface::SelectPen(PenId pen) {
    pen_ = pen;
    calls_.push_back(Call(DrawCall::select_pen, pen_, align_, colour_));
}

void RecordingSurface::SelectNullBrush() { calls_.push_back(Call(DrawCall::select_null_brush, pen_, align_, colour_)); }

void RecordingSurface::FillPolygons(const SurfacePoint* points, const std::uint32_t* ring_sizes, std::size_t ring_count,
                                    Colour colour) {
    DrawCall c = Call(DrawCall::fill_polygons, pen_, align_, colour);
    for (std::size_t r = 0; r < ring_count; ++r) {
        c.rings.emplace_back(points, points + ring_sizes[r]);
        points += ring_sizes[r];
    }
    calls_.push_back(c);
}

void RecordingSurface::FillDisc(int x, int y, int radius, Colour fill, Colour outline) {
    DrawCall c = Call(DrawCall::fill_disc, pen_, align_, fill);
    c.x = x;
    c.y = y;
    c.radius = radius;
    c.outline = outline;
    calls_.push_back(c);
}

void RecordingSurface::SetTextAlign(TextAlign align) {
    align_ = align;
    calls_.push_back(Call(DrawCall::set_text_align, pen_, align_, colour_));
}

void RecordingSurface::SetTextColour(Colour colour) {
    colour_ = colour;
    calls_.push_back(Call(DrawCall::set_text_colour, pen_, align_, colour_));
}

void RecordingSurface::TextOut(int x, int y, std::string_view text) {
    DrawCall c = Call(DrawCall::text_out, pen_, align_, colour_);
    c.x = x;
    c.y = y;
    c.text = std::string(text);
    calls_.push_back(c);
}

void RecordingSurface::SelectFont(const FontSpec& font) {
    DrawCall c = Call(DrawCall::select_font, pen_, align_, colour_);
    c.font = font;
    calls_.push_back(c);
}

TextMetrics RecordingSurface::MeasureText() {
    calls_.push_back(Call(DrawCall::measure_text, pen_, align_, colour_));
    return metrics_;
}

std::vector<DrawnLine> RecordingSurface::Lines() const {
    std::vector<DrawnLine> lines;
    int x = 0;
    int y = 0;
    for (const DrawCall& c : calls_) {
        if (c.kind == DrawCall::move_to) {
            x = c.x;
            y = c.y;
        } else if (c.kind == DrawCall::line_to) {
            lines.push_back({x, y, c.x, c.y, c.pen});
            x = c.x;
            y = c.y;
        }
    }
    return lines;
}

std::vector<DrawnText> RecordingSurface::Texts() const {
    std::vector<DrawnText> texts;
    for (const DrawCall& c : calls_) {
        if (c.kind == DrawCall::text_out) texts.push_back({c.x, c.y, c.text, c.align, c.colour});
    }
    return texts;
}

std::vector<DrawnPixel> RecordingSurface::Pixels() const {
    std::vector<DrawnPixel> pixels;
    for (const DrawCall& c : calls_) {
        if (c.kind == DrawCall::set_pixel) pixels.push_back({c.x, c.y, c.colour});
    }
    return pixels;
}

std::vector<DrawnText> RecordingSurface::TextsEqualTo(const std::string& text) const {
    std::vector<DrawnText> found;
    for (const DrawnText& t : Texts()) {
        if (t.text == text) found.push_back(t);
    }
    return found;
}

std::vector<std::string> RecordingSurface::TextStrings() const {
    std::vector<std::string> strings;
    for (const DrawnText& t : Texts()) strings.push_back(t.text);
    return strings;
}

std::vector<TextBox> RecordingSurface::TextBoxes() const {
    std::vector<TextBox> boxes;
    for (const DrawnText& t : Texts()) {
        const long long width = static_cast<long long>(t.text.size()) * metrics_.char_width;
        long long left = t.x;
        if (t.align == TextAlign::right_top) left -= width;
        if (t.align == TextAlign::center_top) left -= width / 2;
        boxes.push_back({left, t.y, left + width, static_cast<long long>(t.y) + metrics_.line_height, t.text});
    }
    return boxes;
}
