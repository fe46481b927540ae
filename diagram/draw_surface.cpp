#include "diagram/draw_surface.h"

void Line(DrawSurface& surface, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    surface.MoveTo(static_cast<int>(x1), static_cast<int>(y1));
    surface.LineTo(static_cast<int>(x2), static_cast<int>(y2));
}

void DrawSurface::BeginGroup(std::string_view) {}

void DrawSurface::SetPixels(const SurfacePoint* points, std::size_t count, Colour colour) {
    for (std::size_t i = 0; i < count; ++i) SetPixel(points[i].x, points[i].y, colour);
}

void DrawSurface::DrawLines(const LineSegment* segments, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        MoveTo(segments[i].x1, segments[i].y1);
        LineTo(segments[i].x2, segments[i].y2);
    }
}

void DrawSurface::DrawHorizontalStrokes(const HorizontalStroke* strokes, std::size_t count, Colour end_colour) {
    for (std::size_t i = 0; i < count; ++i) {
        MoveTo(strokes[i].x1, strokes[i].y);
        LineTo(strokes[i].x2, strokes[i].y);
        SetPixel(strokes[i].x2, strokes[i].y, end_colour);
    }
}

PenStyle StandardPenStyle(PenId pen, bool monochrome) {
    switch (pen) {
        case PenId::surface_default:
        case PenId::thin:
            return {kBlack, 1, false};
        case PenId::dotted:
            return {kBlack, 1, true};
        case PenId::thick:
            return {kBlack, 2, false};
        case PenId::precip:
            return {monochrome ? kBlack : kBlue, 1, false};
        case PenId::temp:
            return {monochrome ? kBlack : kRed, 1, false};
    }
    return {kBlack, 1, false};
}
