// The drawing surface over a Win32 device context: the diagram window's
// paint context, an enhanced metafile or a printer. Pens come from the
// program (the five shared pens); the surface's default pen is the pen the
// context had when the surface was made. Fonts selected through SelectFont
// belong to the surface and are deleted when it ends, after the context's
// original font has been put back.
#pragma once

#include "app/win32/win32_api.h"

#include <string>
#include <vector>

#include "diagram/draw_surface.h"

// The program's five pens. A null handle selects nothing.
struct GdiPens {
    HPEN thin = nullptr;
    HPEN dotted = nullptr;
    HPEN thick = nullptr;
    HPEN precip = nullptr;
    HPEN temp = nullptr;
};

LOGFONTW ToLogFont(const FontSpec& font);
// False when the face name has a character that Windows-1252 cannot hold
// (font is then unchanged).
bool FromLogFont(const LOGFONTW& lf, FontSpec& font);

class GdiSurface : public DrawSurface {
public:
    GdiSurface(HDC dc, const GdiPens& pens);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void SetPixel(int x, int y, Colour colour) override;
    // The batches go to the device as PolyPolyline calls of up to 4096
    // lines each. A line leaves out its end point, so:
    // - a pixel is a line one pixel long, and a run of pixels down one
    //   column is one line; a batch shorter than kShortestPixelBatch goes
    //   pixel by pixel (SetPixel), which costs less than the call;
    // - a stroke, whose end point is drawn too, is a line one pixel longer,
    //   when the current pen is solid, one pixel wide and of the end's
    //   colour; otherwise the strokes go call by call;
    // - line segments are lines as they are.
    void SetPixels(const SurfacePoint* points, std::size_t count, Colour colour) override;
    void DrawLines(const LineSegment* segments, std::size_t count) override;
    void DrawHorizontalStrokes(const HorizontalStroke* strokes, std::size_t count, Colour end_colour) override;
    void SelectPen(PenId pen) override;
    void SelectNullBrush() override;
    // PolyPolygon in ALTERNATE mode with a brush of the colour and the null
    // pen; Ellipse with a brush and pen of the disc's colours.
    void FillPolygons(const SurfacePoint* points, const std::uint32_t* ring_sizes, std::size_t ring_count,
                      Colour colour) override;
    void FillDisc(int x, int y, int radius, Colour fill, Colour outline) override;
    void SetTextAlign(TextAlign align) override;
    void SetTextColour(Colour colour) override;
    void TextOut(int x, int y, std::string_view text) override;
    void SelectFont(const FontSpec& font) override;
    TextMetrics MeasureText() override;

    HDC dc() const { return dc_; }

    // Makes the surface draw a picture file (an enhanced metafile) of a
    // window width x height: every record lies inside the window (lines
    // are cut at its edges, pixels and dashes outside it left out, and the
    // context clips to it too); every pixel is a line one pixel long,
    // which every reader draws (readers drop single-pixel records); the
    // thin pen, the null brush, black text at the top-left alignment and
    // the transparent text background are selected before anything is
    // drawn.
    void StartPicture(int width, int height);

private:
    // Draws the two-point lines collected in points_ with the current pen.
    void FlushLines();
    void AddLine(int x1, int y1, int x2, int y2);
    // The line cut to the picture's window; false when nothing of it is
    // inside. Without a picture window every line is kept as it is.
    bool CutToPicture(int& x1, int& y1, int& x2, int& y2) const;
    bool PenDrawsOnePixelOf(Colour colour) const;

    HDC dc_;
    std::vector<POINT> points_;
    std::vector<DWORD> counts_;
    GdiPens pens_;
    HGDIOBJ default_pen_;
    HGDIOBJ original_font_ = nullptr;  // set when the surface first selects a font
    HFONT owned_font_ = nullptr;
    // The brush and pen of the last disc, kept for the next (a map's dots
    // come in runs of one colour).
    HBRUSH disc_brush_ = nullptr;
    HPEN disc_pen_ = nullptr;
    Colour disc_fill_ = 0;
    Colour disc_outline_ = 0;
    // The picture's window (StartPicture). A line is cut to 0..width,
    // 0..height: an end at width or height is the end a line leaves out.
    bool picture_ = false;
    int width_ = 0;
    int height_ = 0;
    POINT position_ = {0, 0};  // the current position, kept when cutting
    std::wstring wide_text_;  // the text being drawn, kept to spare an allocation per text
};
