#include "diagram/draw_surface.h"

void Line(DrawSurface& surface, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    surface.MoveTo(static_cast<int>(x1), static_cast<int>(y1));
    surface.LineTo(static_cast<int>(x2), static_cast<int>(y2));
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
