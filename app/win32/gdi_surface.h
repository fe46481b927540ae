// The drawing surface over a Win32 device context: the diagram window's
// paint context, an enhanced metafile or a printer. Pens come from the
// program (the five shared pens); the surface's default pen is the pen the
// context had when the surface was made. Fonts selected through SelectFont
// belong to the surface and are deleted when it ends, after the context's
// original font has been put back.
#pragma once

#include "app/win32/win32_api.h"

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

LOGFONTA ToLogFont(const FontSpec& font);
FontSpec FromLogFont(const LOGFONTA& font);

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
    void SetTextAlign(TextAlign align) override;
    void SetTextColour(Colour colour) override;
    void TextOut(int x, int y, std::string_view text) override;
    void SelectFont(const FontSpec& font) override;
    TextMetrics MeasureText() override;

    HDC dc() const { return dc_; }

private:
    // Draws the two-point lines collected in points_ with the current pen.
    void FlushLines();
    void AddLine(int x1, int y1, int x2, int y2);
    bool PenDrawsOnePixelOf(Colour colour) const;

    HDC dc_;
    std::vector<POINT> points_;
    std::vector<DWORD> counts_;
    GdiPens pens_;
    HGDIOBJ default_pen_;
    HGDIOBJ original_font_ = nullptr;  // set when the surface first selects a font
    HFONT owned_font_ = nullptr;
};
