// A drawing surface that writes SVG: what varnok render and varnok atlas
// write, and what the program saves as a scalable picture.
//
// The contract other tools rely on: integer coordinates; a white
// background rect first; then, in drawing order, one <line> per LineTo
// (from the current position to the end point; stroke the pen's colour as
// #rrggbb, stroke-dasharray for the dotted pen, stroke-width="2" for the
// thick pen), one <rect width="1" height="1"> per pixel set, filled with
// its colour, and one <text> per text drawn at the reference point of the
// call, text-anchor start/end/middle from the alignment,
// dominant-baseline="hanging", filled with the text colour; its content is
// the exact text, decoded from Windows-1252 and XML-escaped.
//
// The document is written into one buffer that the surface keeps from one
// document to the next, so a run of many drawings allocates only while the
// largest one so far grows it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

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
    void Commit(const char* end);
    void Grow(std::size_t capacity);  // keeps the bytes up to end_

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
