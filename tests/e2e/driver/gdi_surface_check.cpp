// Checks the GDI drawing surface on a real device context (a memory
// bitmap), where the recording surface of the unit tests cannot look: the
// end point that LineTo leaves out, the program's pens and the context's own
// default pen, text alignment and colour, fonts and their metrics, and the
// pixels of a picture enlarged by a world transform.
// Prints one line per failed check and exits with the number of failures.
#include <cstdio>
#include <string>
#include <vector>

#include "app/win32/gdi_objects.h"
#include "app/win32/gdi_surface.h"
#include "station/station_record.h"

namespace {

int failures = 0;

void Expect(bool condition, const std::string& what) {
    if (!condition) {
        std::printf("FAIL %s\n", what.c_str());
        ++failures;
    }
}

COLORREF Pixel(HDC dc, int x, int y) { return GetPixel(dc, x, y) & 0xFFFFFF; }

bool AnyInk(HDC dc, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (Pixel(dc, x, y) != kWhite) return true;
        }
    }
    return false;
}

void Clear(HDC dc) { PatBlt(dc, 0, 0, 200, 100, WHITENESS); }

void CheckLinesAndPens(HDC dc, const GdiPens& pens) {
    GdiSurface surface(dc, pens);
    surface.SelectPen(PenId::precip);
    surface.MoveTo(0, 10);
    surface.LineTo(10, 10);
    Expect(Pixel(dc, 0, 10) == kBlue && Pixel(dc, 9, 10) == kBlue, "precip pen draws blue");
    Expect(Pixel(dc, 10, 10) == kWhite, "LineTo leaves out its end point");
    surface.SelectPen(PenId::temp);
    surface.LineTo(20, 10);
    Expect(Pixel(dc, 15, 10) == kRed, "temp pen draws red from the current position");
    surface.SelectPen(PenId::surface_default);
    surface.MoveTo(0, 20);
    surface.LineTo(10, 20);
    Expect(Pixel(dc, 5, 20) == kBlack, "the context's default pen is black");
    surface.SelectPen(PenId::thick);
    surface.MoveTo(0, 40);
    surface.LineTo(30, 40);
    int rows = (Pixel(dc, 15, 39) == kBlack) + (Pixel(dc, 15, 40) == kBlack) + (Pixel(dc, 15, 41) == kBlack);
    Expect(rows == 2, "thick pen is two pixels wide");
    surface.SetPixel(50, 50, kRed);
    Expect(Pixel(dc, 50, 50) == kRed, "SetPixel");
}

void CheckTextAndFonts(HDC dc, const GdiPens& pens) {
    HGDIOBJ font_before = GetCurrentObject(dc, OBJ_FONT);
    long live_before = LiveGdiObjects();
    {
        GdiSurface surface(dc, pens);
        FontSpec font;
        font.height = -13;
        font.weight = 700;
        SetFieldText(font.face_name, "Arial");
        surface.SelectFont(font);
        Expect(LiveGdiObjects() == live_before + 1, "the selected font is counted");
        TextMetrics metrics = surface.MeasureText();
        Expect(metrics.char_width > 0 && metrics.line_height >= 13, "metrics of the selected font");
        font.height = -26;
        surface.SelectFont(font);  // the first font is deleted here
        Expect(LiveGdiObjects() == live_before + 1, "the replaced font is counted as deleted");
        TextMetrics larger = surface.MeasureText();
        Expect(larger.line_height > metrics.line_height, "a second font replaces the first");

        surface.SetTextAlign(TextAlign::right_top);
        surface.SetTextColour(kBlue);
        surface.TextOut(100, 10, "W");
        Expect(AnyInk(dc, 60, 10, 100, 50) && !AnyInk(dc, 101, 0, 200, 100), "right-aligned text ends at x");
        bool blue = false;
        for (int y = 10; y < 50 && !blue; ++y) {
            for (int x = 60; x < 100 && !blue; ++x) blue = Pixel(dc, x, y) == kBlue;
        }
        Expect(blue, "text colour");
    }
    Expect(GetCurrentObject(dc, OBJ_FONT) == font_before, "the context's font is back after the surface");
    Expect(LiveGdiObjects() == live_before, "no font of the surface is left");
}

std::vector<COLORREF> Pixels(HDC dc) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) pixels.push_back(Pixel(dc, x, y));
    }
    return pixels;
}

// The batches draw what their calls one by one draw (the base class's
// way), pixel for pixel, and leave the same current position.
void CheckBatches(HDC dc, const GdiPens& pens) {
    const long live_before = LiveGdiObjects();
    // A 6x6 arid dot and single pixels, at the edges of the bitmap too.
    std::vector<SurfacePoint> dots = {{10, 10}, {-1, 5}, {199, 99}, {0, 0}};
    for (int column = 17; column < 23; ++column) {
        for (int row = 37; row < 43; ++row) dots.push_back({column, row});
    }
    for (int column = 150; column < 158; ++column) {  // enough pixels for one call
        for (int row = 60; row < 68; ++row) dots.push_back({column, row});
    }
    std::vector<SurfacePoint> red_dots;
    for (const SurfacePoint& p : dots) red_dots.push_back({p.x + 3, p.y + 1});
    Expect(dots.size() >= kShortestPixelBatch, "the batch of pixels is long enough for one call");
    const LineSegment bars[] = {{30, 60, 30, 70}, {31, 60, 31, 70}, {40, 60, 60, 80}, {70, 70, 62, 62}};
    const HorizontalStroke dashes[] = {{100, 110, 20}, {100, 110, 25}, {120, 120, 30}};
    for (int pen : {0, 1}) {  // the thin pen, and the blue one, which draws the strokes call by call
        std::vector<COLORREF> batched, single;
        POINT batched_end = {}, single_end = {};
        for (bool batch : {true, false}) {
            Clear(dc);
            GdiSurface surface(dc, pens);
            surface.SelectPen(pen == 0 ? PenId::thin : PenId::precip);
            if (batch) {
                surface.SetPixels(dots.data(), dots.size(), kBlack);
                surface.SetPixels(red_dots.data(), red_dots.size(), kRed);
                surface.SetPixels(dots.data(), 3, kBlue);
                surface.DrawLines(bars, 4);
                surface.DrawHorizontalStrokes(dashes, 3, kBlack);
            } else {
                surface.DrawSurface::SetPixels(dots.data(), dots.size(), kBlack);
                surface.DrawSurface::SetPixels(red_dots.data(), red_dots.size(), kRed);
                surface.DrawSurface::SetPixels(dots.data(), 3, kBlue);
                surface.DrawSurface::DrawLines(bars, 4);
                surface.DrawSurface::DrawHorizontalStrokes(dashes, 3, kBlack);
            }
            GetCurrentPositionEx(dc, batch ? &batched_end : &single_end);
            (batch ? batched : single) = Pixels(dc);
        }
        const std::string which = pen == 0 ? " (thin pen)" : " (blue pen)";
        Expect(batched == single, "batches draw what their calls draw" + which);
        Expect(batched_end.x == single_end.x && batched_end.y == single_end.y,
               "batches leave the current position of their calls" + which);
    }
    Expect(LiveGdiObjects() == live_before, "no pen of a batch is left");
}

// Enlarged by a world transform (the diagram window at 192 DPI): a pixel
// of the drawing, alone or in a batch, is the 2 x 2 unit square, not one
// device pixel, and the batch draws what its pixels one by one draw.
void CheckScaledPixels(HDC dc, const GdiPens& pens) {
    const long live_before = LiveGdiObjects();
    const int mode = SetGraphicsMode(dc, GM_ADVANCED);
    const XFORM twice = {2.0f, 0.0f, 0.0f, 2.0f, 0.0f, 0.0f};
    std::vector<SurfacePoint> block;
    for (int column = 40; column < 50; ++column) {
        for (int row = 10; row < 18; ++row) block.push_back({column, row});
    }
    std::vector<COLORREF> batched, single;
    for (bool batch : {true, false}) {
        Clear(dc);
        SetWorldTransform(dc, &twice);
        {
            GdiSurface surface(dc, pens, SurfaceUnits::scaled);
            surface.SelectPen(PenId::thin);
            if (batch) {
                surface.SetPixels(block.data(), block.size(), kBlack);
            } else {
                for (const SurfacePoint& p : block) surface.SetPixel(p.x, p.y, kBlack);
            }
            surface.SetPixel(5, 5, kRed);
        }
        ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);  // the pixels read in device units
        (batch ? batched : single) = Pixels(dc);
    }
    SetGraphicsMode(dc, mode);
    Expect(batched == single, "enlarged: a batch of pixels draws what its pixels draw");
    // A geometric pen centres its line on the unit, as it does for every
    // line of the picture: the squares may sit half a unit off the grid,
    // but their sizes are exact.
    long red = 0, black = 0;
    for (COLORREF pixel : single) {
        red += pixel == kRed;
        black += pixel == kBlack;
    }
    Expect(red == 4, "enlarged: a pixel is the 2 x 2 unit square (" + std::to_string(red) + " pixels)");
    Expect(black == 4 * static_cast<long>(block.size()),
           "enlarged: a block of pixels covers its units exactly (" + std::to_string(black) + " pixels)");
    Expect(LiveGdiObjects() == live_before, "enlarged: no pen of a pixel is left");
}

}  // namespace

int main() {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 100);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);

    GdiPens pens;
    pens.thin = CreatePen(PS_SOLID, 1, kBlack);
    pens.dotted = CreatePen(PS_DOT, 1, kBlack);
    pens.thick = CreatePen(PS_SOLID, 2, kBlack);
    pens.precip = CreatePen(PS_SOLID, 1, kBlue);
    pens.temp = CreatePen(PS_SOLID, 1, kRed);

    Clear(dc);
    CheckLinesAndPens(dc, pens);
    Clear(dc);
    CheckTextAndFonts(dc, pens);
    CheckBatches(dc, pens);
    CheckScaledPixels(dc, pens);

    SelectObject(dc, old_bitmap);
    for (HPEN pen : {pens.thin, pens.dotted, pens.thick, pens.precip, pens.temp}) DeleteObject(pen);
    DeleteObject(bitmap);
    DeleteDC(dc);
    std::printf("%d failed\n", failures);
    return failures;
}
