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

DrawArea PrintArea(int char_width, int height, int width, int s) {
    std::int64_t left = 7LL * char_width;
    return DrawArea{ClampCoordinate(left), 0, ClampCoordinate(left + static_cast<std::int64_t>(width) * s),
                    ClampCoordinate(static_cast<std::int64_t>(height) * s)};
}

void DrawPrintPage(DrawSurface& surface, DrawingState& state, StationData& station, int height, int width,
                   PageView view) {
    const int s = ClampScale(state.print_scale);
    surface.SelectFont(MakePrintFont(state.display_font, s));
    MeasureFont(surface, state);
    if (view == PageView::table) {
        DrawDataTable(surface, state, station, state.char_width, state.line_height);
        return;
    }
    DrawClimateDiagram(surface, state, station, PrintArea(state.char_width, height, width, s), s,
                       kPrintCurvePens);
}
