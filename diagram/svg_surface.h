// A drawing surface that writes SVG: what varnok render and varnok atlas
// write, and what the program saves as a scalable picture.
//
// The contract other tools rely on: a white background rect first; then,
// in drawing order, inside one <g id="NAME"> per BeginGroup:
// - one <line> per LineTo (from the current position to the end point;
//   stroke the pen's colour as #rrggbb, stroke-dasharray for the dotted
//   pen, stroke-width="2" for the thick pen). A horizontal or vertical line
//   of an odd width runs through the centres of its pixel row or column
//   (y or x plus 0.5), so every reader draws it on the row or column the
//   window does;
// - for a batch of pixels, one dashed vertical <path> per column of equal
//   runs at an equal pitch (a column of arid dots), one <rect> per other
//   run; a pixel set alone is a <rect width="1" height="1">;
// - for a batch of horizontal strokes of equal ends at an equal pitch (a
//   month's humid dashes), one dashed vertical <path>; for a batch of
//   vertical lines side by side (a frost bar), one <rect>;
// - successive dashed paths of one style share a <g> holding the stroke,
//   its width and stroke-dasharray;
// - one <text> per text that is not empty, its baseline at the reference
//   point's y plus the font's ascent, text-anchor start/end/middle from
//   the alignment, blanks kept (xml:space and white-space: pre), filled
//   with the text colour; its content is the exact text, decoded from
//   Windows-1252 and XML-escaped.
// Coordinates are integers, or decimals with at most two places where a
// line runs through pixel centres or is cut. Nothing lies outside the
// canvas: lines are cut at its edges, pixels and texts beyond it are left
// out.
//
// The document is written into one buffer that the surface keeps from one
// document to the next, so a run of many drawings allocates only while the
// largest one so far grows it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "diagram/draw_surface.h"

class SvgSurface : public DrawSurface {
public:
    // An empty surface: Begin starts its first document.
    SvgSurface() = default;
    // width and height: the canvas; metrics: what MeasureText answers for
    // any font; monochrome: the two curve pens black.
    SvgSurface(int width, int height, TextMetrics metrics, bool monochrome);

    // Starts a new document, forgetting the last one but keeping its buffer.
    void Begin(int width, int height, TextMetrics metrics, bool monochrome);

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void SetPixel(int x, int y, Colour colour) override;
    void SetPixels(const SurfacePoint* points, std::size_t count, Colour colour) override;
    void DrawLines(const LineSegment* segments, std::size_t count) override;
    void DrawHorizontalStrokes(const HorizontalStroke* strokes, std::size_t count, Colour end_colour) override;
    void BeginGroup(std::string_view name) override;
    void SelectPen(PenId pen) override;
    void SelectNullBrush() override;
    // One <path fill-rule="evenodd"> of all the rings, and one <circle>.
    void FillPolygons(const SurfacePoint* points, const std::uint32_t* ring_sizes, std::size_t ring_count,
                      Colour colour) override;
    void FillDisc(int x, int y, int radius, Colour fill, Colour outline) override;
    // Writes markup as it stands between the elements (the atlas wraps the
    // map's dots in links): the caller makes it well-formed.
    void WriteMarkup(std::string_view markup);
    void SetTextAlign(TextAlign align) override;
    void SetTextColour(Colour colour) override;
    void TextOut(int x, int y, std::string_view text) override;
    void SelectFont(const FontSpec& font) override;
    TextMetrics MeasureText() override;

    // The whole document; it views the surface's buffer and stays valid
    // until the next Begin.
    std::string_view Finish();

private:
    // Room for at least n more bytes after the last element; the place to
    // write them. Commit(end) keeps what was written up to end.
    char* Reserve(std::size_t n);
    // The same for an element other than a dashed column: ends a run of them.
    char* ReserveElement(std::size_t n);
    void Commit(const char* end);
    void Grow(std::size_t capacity);  // keeps the bytes up to end_

    // A vertical run of pixels: column x, rows y .. y + length - 1.
    struct Run {
        int x;
        int y;
        int length;
    };
    void WriteLine(int x1, int y1, int x2, int y2);
    // The runs of one column, drawn in w columns from x on.
    void WriteRuns(const Run* runs, std::size_t count, int x, int w, Colour colour);
    void WriteRect(int x, int y, int w, int h, Colour colour);
    // A vertical line of width w from column x on, rows top .. bottom - 1,
    // dashed dash rows on, gap rows off from the top.
    void WriteDashedColumn(int x, int w, int top, int bottom, int dash, int gap, Colour colour);
    int FontSize() const;
    int Ascent() const;  // from a text's top edge to its baseline
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    int width_ = 0;
    int height_ = 0;
    TextMetrics metrics_{8, 16};
    bool monochrome_ = false;
    PenStyle pen_ = StandardPenStyle(PenId::surface_default, false);
    TextAlign align_ = TextAlign::left_top;
    Colour text_colour_ = kBlack;
    FontSpec font_{};
    int x_ = 0;
    int y_ = 0;
    bool group_open_ = false;
    struct DashStyle {
        Colour colour;
        int width;
        int dash;
        int gap;
        bool operator==(const DashStyle& o) const {
            return colour == o.colour && width == o.width && dash == o.dash && gap == o.gap;
        }
    };
    bool dash_run_open_ = false;  // a <g> of dashed columns of dash_style_
    DashStyle dash_style_{};
    // Scratch of the pixel batches, kept from one batch to the next.
    std::vector<std::uint64_t> keys_;
    std::vector<Run> runs_;
    std::vector<int> rows_;
    // The document: the root element is written at Finish into the room
    // left before the body, so the elements are never moved. The bytes are
    // not cleared when it grows: only what is written is ever read, and a
    // page the document does not reach is never touched.
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t end_ = 0;
    std::size_t start_ = 0;
};

// Windows-1252 text as XML character data: UTF-8, with &, <, > escaped and
// the control characters XML cannot hold shown as U+FFFD.
std::string SvgText(std::string_view cp1252);
