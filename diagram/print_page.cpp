#include "diagram/print_page.h"

#include <cstdint>

#include "diagram/climate_fill.h"
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
                   int diagram_check) {
    const int s = ClampScale(state.print_scale);
    surface.SelectFont(MakePrintFont(state.display_font, s));
    TextMetrics m = surface.MeasureText();
    state.char_width = m.char_width;
    state.line_height = m.line_height;
    if (diagram_check == 0) {
        DrawDataTable(surface, state, station, state.char_width, state.line_height);
        return;
    }
    if (diagram_check != kMenuItemChecked) return;
    const DrawArea area = PrintArea(state.char_width, height, width, s);
    DrawHeadLines(surface, state, station, area, s);
    state.geometry = ComputeDiagramCurves(station.record, area, s);
    DrawAxes(surface, state, station, area, s);
    const DiagramCurve temp = state.geometry.temp_curve;
    const DiagramCurve precip = state.geometry.precip_curve;
    DrawCurves(surface, state, area, s, temp, precip, PenId::thin, PenId::thick);
    DrawClimateFill(surface, state, station.record, area, temp, precip, s);
}
