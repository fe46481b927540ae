// A drawing surface that records every call, with the pen, alignment and
// text colour in force, so tests can check what a drawing did in order.
#pragma once

#include <string>
#include <vector>

#include "diagram/draw_surface.h"

struct DrawCall {
    enum Kind { move_to, line_to, set_pixel, select_pen, select_null_brush, set_text_align,
                set_text_colour, text_out, select_font, measure_text, fill_polygons, fill_disc };
    Kind kind;
    int x = 0;  // point of MoveTo, LineTo, SetPixel, TextOut
    int y = 0;
    std::string text;                         // TextOut
    PenId pen = PenId::surface_default;       // pen in force (the one selected for select_pen)
    TextAlign align = TextAlign::left_top;    // alignment in force
    Colour colour = kBlack;                   // text colour in force; pixel colour for set_pixel
    FontSpec font{};                          // select_font
    std::vector<std::vector<SurfacePoint>> rings;  // fill_polygons; colour the fill
    int radius = 0;                           // fill_disc at x, y; colour the fill
    Colour outline = kBlack;                  // fill_disc
};

struct DrawnLine {
    int x1, y1, x2, y2;
    PenId pen;
    bool operator==(const DrawnLine& o) const {
        return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2 && pen == o.pen;
    }
};

struct DrawnText {
    int x, y;
    std::string text;
    TextAlign align;
    Colour colour;
};

struct DrawnPixel {
    int x, y;
    Colour colour;
    bool operator<(const DrawnPixel& o) const { return x != o.x ? x < o.x : y < o.y; }
    bool operator==(const DrawnPixel& o) const { return x == o.x && y == o.y && colour == o.colour; }
};

// The room a text takes: its byte count times the average character width
// wide and one line high, placed by its alignment. Boxes touching at an
// edge do not overlap.
struct TextBox {
    long long left, top, right, bottom;
    std::string text;
    bool Overlaps(const TextBox& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

class RecordingSurface : public DrawSurface {
public:
    explicit RecordingSurface(TextMetrics metrics = {8, 16}) : metrics_(metrics) {}

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void SetPixel(int x, int y, Colour colour) override;
    void SelectPen(PenId pen) override;
    void SelectNullBrush() override;
    void FillPolygons(const SurfacePoint* points, const std::uint32_t* ring_sizes, std::size_t ring_count,
                      Colour colour) override;
    void FillDisc(int x, int y, int radius, Colour fill, Colour outline) override;
    void SetTextAlign(TextAlign align) override;
    void SetTextColour(Colour colour) override;
    void TextOut(int x, int y, std::string_view text) override;
    void SelectFont(const FontSpec& font) override;
    TextMetrics MeasureText() override;

    const std::vector<DrawCall>& calls() const { return calls_; }
    void Clear() { calls_.clear(); }

    // Views of the record: lines from the current position to each LineTo
    // end, texts, pixels, and the texts equal to one string.
    std::vector<DrawnLine> Lines() const;
    std::vector<DrawnText> Texts() const;
    std::vector<DrawnPixel> Pixels() const;
    std::vector<DrawnText> TextsEqualTo(const std::string& text) const;
    std::vector<std::string> TextStrings() const;
    // The boxes of the texts with the surface's metrics.
    std::vector<TextBox> TextBoxes() const;

private:
    TextMetrics metrics_;
    std::vector<DrawCall> calls_;
    PenId pen_ = PenId::surface_default;
    TextAlign align_ = TextAlign::left_top;
    Colour colour_ = kBlack;
    int x_ = 0;
    int y_ = 0;
};
