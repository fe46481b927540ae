// A drawing surface that writes SVG, for varnok render.
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
#pragma once

#include <string>

#include "diagram/draw_surface.h"

class SvgSurface : public DrawSurface {
public:
    // width and height: the canvas; metrics: what MeasureText answers for
    // any font; monochrome: the two curve pens black.
    SvgSurface(int width, int height, TextMetrics metrics, bool monochrome);

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void SetPixel(int x, int y, Colour colour) override;
    void SelectPen(PenId pen) override;
    void SelectNullBrush() override;
    void SetTextAlign(TextAlign align) override;
    void SetTextColour(Colour colour) override;
    void TextOut(int x, int y, std::string_view text) override;
    void SelectFont(const FontSpec& font) override;
    TextMetrics MeasureText() override;

    // The whole document.
    std::string Finish() const;

private:
    int width_;
    int height_;
    TextMetrics metrics_;
    bool monochrome_;
    PenId pen_ = PenId::surface_default;
    TextAlign align_ = TextAlign::left_top;
    Colour text_colour_ = kBlack;
    FontSpec font_{};
    int x_ = 0;
    int y_ = 0;
    std::string body_;
};

// #rrggbb of a COLORREF (0x00BBGGRR).
std::string SvgColour(Colour colour);

// Windows-1252 text as XML character data: UTF-8, with &, <, > escaped and
// the control characters XML cannot hold shown as U+FFFD.
std::string SvgText(std::string_view cp1252);
