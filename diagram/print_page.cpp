#include "diagram/print_page.h"

#include <cstdint>

#include "diagram/data_table.h"
#include "diagram/diagram_drawing.h"

namespace {

std::int32_t PrintSize(std::int32_t size, int s) {
    std::int64_t product = static_cast<std::int64_t>(size) * s;  // the integer product first
    return TruncateToCoordinate(static_cast<double>(product) * 0.85);
}

}  // namespace

FontSpec MakePrintFont(const FontSpec& display_font, int s) {
    FontSpec font = display_font;
    font.height = PrintSize(display_font.height, s);
    font.width = PrintSize(display_font.width, s);
    font.out_precision = 7;  // OUT_TT_ONLY_PRECIS
    font.quality = 1;        // DRAFT_QUALITY
    return font;
}

FontSpec MakeEnlargedFont(const FontSpec& display_font, int s) {
    FontSpec font = display_font;
    font.height = ClampCoordinate(static_cast<std::int64_t>(display_font.height) * s);
    font.width = ClampCoordinate(static_cast<std::int64_t>(display_font.width) * s);
    return font;
}

DrawArea PrintArea(int char_width, int height, int width, int s) {
    std::int64_t left = 7LL * char_width;
    return DrawArea{ClampCoordinate(left), 0, ClampCoordinate(left + static_cast<std::int64_t>(width) * s),
                    ClampCoordinate(static_cast<std::int64_t>(height) * s)};
}

void DrawPrintPage(DrawSurface& surface, DrawingState& state, StationData& station, int height, int width,
                   PageView view, int s) {
    s = ClampScale(s);
    surface.SelectFont(MakePrintFont(state.display_font, s));
    MeasureFont(surface, state);
    if (view == PageView::table) {
        DrawDataTable(surface, state, station, state.char_width, state.line_height);
        return;
    }
    DrawClimateDiagram(surface, state, station, PrintArea(state.char_width, height, width, s), s,
                       kPrintCurvePens);
}

PageExtent PrintPageExtent(PageView view, TextMetrics print_font, int height, int width, int s) {
    if (view == PageView::table) {
        return PageExtent{119LL * print_font.char_width, 17LL * print_font.line_height};
    }
    const DrawArea area = PrintArea(print_font.char_width, height, width, s);
    return PageExtent{static_cast<std::int64_t>(area.right) + area.left, area.bottom};
}

int FitToPageScale(PageView view, int height, int width, int printable_width, int printable_height,
                   const std::function<TextMetrics(int s)>& metrics_at) {
    int best = 1;
    for (int s = 1; s <= kMaxScale; ++s) {
        const PageExtent extent = PrintPageExtent(view, metrics_at(s), height, width, s);
        if (extent.width <= printable_width && extent.height <= printable_height) best = s;
    }
    return best;
}

void DrawWindowContentScaled(DrawSurface& surface, DrawingState& state, StationData& station, int height,
                             int width, int s) {
    s = ClampScale(s);
    surface.SelectFont(MakeEnlargedFont(state.display_font, s));
    MeasureFont(surface, state);
    if (station.record.diagram_mode == 0) {
        DrawDataTable(surface, state, station, state.char_width, state.line_height);
        return;
    }
    const DrawArea area{0, 0, ClampCoordinate(static_cast<std::int64_t>(width) * s),
                        ClampCoordinate(static_cast<std::int64_t>(height) * s)};
    state.full_size_dots = true;
    DrawClimateDiagram(surface, state, station, area, s, kScreenCurvePens);
    state.full_size_dots = false;
}
