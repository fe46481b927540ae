#include "diagram/diagram_drawing.h"

#include <cstdint>
#include <string>

#include "diagram/climate_fill.h"
#include "diagram/data_table.h"
#include "diagram/station_texts.h"
#include "diagram/text_buffer.h"

namespace {

const char kTemperatureLabels[6][4] = {"", "10", "20", "30", "40", "50"};
const char kNegativeTemperatureLabels[12][5] = {"",    "-10", "-20", "-30", "-40",  "-50",
                                                "-60", "-70", "-80", "-90", "-100", ""};
const char kPrecipitationLabels[32][5] = {
    "0",   "10",  "20",  "30",  "40",   "50",   "60",   "70",   "80",   "90",   "100",
    "200", "300", "400", "500", "600",  "700",  "800",  "900",  "1000", "1100", "1200",
    "1300", "1400", "1500", "1600", "1700", "1800", "1900", "2000", "2100", "2200"};

// Layout values of one drawing: xL, xR, W = xR - xL, y0 and the axis ends.
struct Layout {
    DiagramFrame frame;
    int width;
    int s;
    int area_top;  // ticks outside area_top .. area_bottom are not drawn
    int area_bottom;
};

Layout MakeLayout(const DrawingState& state, const DrawArea& area, int s) {
    Layout l{ComputeDiagramFrame(area, s, state.axis_offset), 0, s, area.top, area.bottom};
    l.width = ClampCoordinate(static_cast<std::int64_t>(l.frame.right_axis_x) - l.frame.left_axis_x);
    return l;
}

void DrawExtremes(DrawSurface& surface, const DrawingState& state, const StationRecord& r,
                  const DrawArea& area, const Layout& l) {
    TextBuffer buffer;
    const int x = l.frame.left_axis_x - state.char_width;
    const int lh = state.line_height;
    if (r.show_warmest_max != 0)
        surface.TextOut(x, area.top + (5 * lh) / 2, FormatTemperature(buffer, r.warmest_month_max_c));
    if (r.show_abs_max != 0)
        surface.TextOut(x, area.top + (7 * lh) / 2, FormatTemperature(buffer, r.abs_max_c));
    if (r.show_coldest_min != 0)
        surface.TextOut(x, l.frame.baseline_y - lh, FormatTemperature(buffer, r.coldest_month_min_c));
    if (r.show_abs_min != 0) surface.TextOut(x, l.frame.baseline_y, FormatTemperature(buffer, r.abs_min_c));
}

void DrawRecordLine(DrawSurface& surface, const StationData& station, int x, int y) {
    const StationRecord& r = station.record;
    TextBuffer buffer;
    NumberText mean = TemperatureText(station.annual_mean_temp_c);
    NumberText precip = PrecipitationText(station.annual_precip_mm);
    if (r.temp_years > 0 && r.precip_years > 0) {
        surface.TextOut(x, y,
                        FormatText(buffer, "[%d-%d]   %s\xB0" "C    %smm", static_cast<int>(r.temp_years),
                                   static_cast<int>(r.precip_years), mean.bytes, precip.bytes));
    } else {
        surface.TextOut(x, y, FormatText(buffer, "[  ]   %s\xB0" "C    %smm", mean.bytes, precip.bytes));
    }
}

void DrawMonthTicks(DrawSurface& surface, const Layout& l) {
    const DiagramFrame& f = l.frame;
    for (int k = 1; k <= 12; ++k) {
        int x = f.left_axis_x + static_cast<int>((static_cast<std::int64_t>(k) * l.width) / 12);
        Line(surface, x, f.baseline_y + 5 * l.s, x, f.baseline_y - 5 * l.s);
    }
}

void DrawMonthLabels(DrawSurface& surface, const StationRecord& r, const Layout& l) {
    const auto& names = IsSouthernStation(r) ? month_names_jul_first : month_names_jan_first;
    surface.SetTextAlign(TextAlign::center_top);
    for (int i = 1; i <= 12; ++i) {
        std::int64_t x = l.frame.left_axis_x + (static_cast<std::int64_t>(i) * l.width) / 12 - l.width / 24;
        surface.TextOut(static_cast<int>(x), l.frame.baseline_y + 5 * l.s, std::string_view(names[i], 1));
    }
    surface.SetTextAlign(TextAlign::left_top);
}

// The ticks every 25*s units: up the right axis from the x-axis, up the
// left axis for 0..100 mm, and down the left axis for the axis offset.
// Only ticks inside the area are drawn, so an x-axis far below the area
// (a huge axis offset) costs no more than one in it.
void DrawScaleTicks(DrawSurface& surface, const DrawingState& state, const Layout& l) {
    const DiagramFrame& f = l.frame;
    const int s = l.s;
    const std::int64_t unit = 25LL * s;
    const std::int64_t below = static_cast<std::int64_t>(f.baseline_y) - l.area_bottom;
    const std::int64_t first = below > 0 ? (below + unit - 1) / unit : 0;  // first tick inside
    for (std::int64_t y = f.baseline_y - unit * first; y >= f.axis_top_y; y -= unit)
        Line(surface, f.right_axis_x + 4 * s, static_cast<int>(y), f.right_axis_x - 4 * s, static_cast<int>(y));
    for (std::int64_t n = first; n <= 10; ++n) {
        std::int64_t y = static_cast<std::int64_t>(f.baseline_y) - unit * n;
        if (y < f.axis_top_y) break;
        Line(surface, f.left_axis_x - 4 * s, static_cast<int>(y), f.left_axis_x + 4 * s, static_cast<int>(y));
    }
    if (state.axis_offset < 25) return;
    const std::int64_t above = static_cast<std::int64_t>(l.area_top) - f.baseline_y;
    for (std::int64_t n = above > 0 ? (above + unit - 1) / unit : 0; state.axis_offset - 25 * n >= 25; ++n) {
        std::int64_t y = f.baseline_y + unit * n;
        if (y > l.area_bottom) break;
        Line(surface, f.left_axis_x - 4 * s, static_cast<int>(y), f.left_axis_x + 4 * s, static_cast<int>(y));
    }
}

void DrawHundredMillimetreLine(DrawSurface& surface, const Layout& l) {
    const DiagramFrame& f = l.frame;
    std::int64_t y = static_cast<std::int64_t>(f.baseline_y) - 250LL * l.s;
    if (y < f.axis_top_y) return;
    surface.SelectPen(PenId::dotted);
    Line(surface, f.left_axis_x, static_cast<int>(y), f.right_axis_x, static_cast<int>(y));
    surface.SelectPen(PenId::thin);
}

void DrawScaleLabels(DrawSurface& surface, const DrawingState& state, const StationRecord& r,
                     const Layout& l) {
    const DiagramFrame& f = l.frame;
    const std::int64_t y0 = f.baseline_y;
    const std::int64_t unit = 25LL * l.s;
    const int half_line = state.line_height / 2;
    for (int n = 0; n < 32; ++n) {
        if (y0 - unit * n < f.axis_top_y) continue;
        surface.TextOut(f.right_axis_x + state.char_width, static_cast<int>(y0 - half_line - unit * n),
                        kPrecipitationLabels[n]);
    }
    surface.SetTextAlign(TextAlign::right_top);
    const int x = f.left_axis_x - state.char_width;
    for (int n = 0; n <= 5; ++n) {
        if (y0 - 2 * unit * n < f.axis_top_y) break;
        surface.TextOut(x, static_cast<int>(y0 - half_line - 2 * unit * n), kTemperatureLabels[n]);
    }
    if (r.show_abs_min == 0 && r.show_coldest_min == 0) surface.TextOut(x, static_cast<int>(y0 - half_line), "0");
    if (state.axis_offset >= 25) {
        for (int n = 0; static_cast<std::int64_t>(state.axis_offset) - 50LL * n >= 25 && n <= 11; ++n) {
            surface.TextOut(x, static_cast<int>(y0 - half_line + 2 * unit * n), kNegativeTemperatureLabels[n]);
        }
    }
    surface.SetTextAlign(TextAlign::left_top);
}

void DrawCurve(DrawSurface& surface, const DiagramCurve& c, int left_axis_x, int baseline_y) {
    for (int n = 0; n <= 12; ++n) {
        Line(surface, left_axis_x + c.x[n], baseline_y - c.y[n], left_axis_x + c.x[n + 1],
             baseline_y - c.y[n + 1]);
    }
}

void DrawHeadLines(DrawSurface& surface, const DrawingState& state, const StationData& station,
                   const DrawArea& area, const Layout& l) {
    const StationRecord& r = station.record;
    const int s = l.s;
    const int lh = state.line_height;
    const int tx = l.frame.left_axis_x + state.char_width;
    TextBuffer buffer;

    surface.BeginGroup("head");
    surface.TextOut(l.frame.right_axis_x + 5 * s, l.frame.baseline_y + 10 * s, "mm");
    surface.TextOut(tx, area.top + 10, StationText(state, FieldText(r.country_name)));
    surface.TextOut(tx, area.top + 2 * lh + 10, StationText(state, FieldText(r.station_name)));
    surface.TextOut(tx, area.top + lh + 10,
                    StationText(state, std::string(FormatText(buffer, "%s / %dm", PositionText(r).c_str(),
                                                              static_cast<int>(r.elevation_m)))));
    DrawRecordLine(surface, station, tx, area.top + 3 * lh + 10);
    // Below the record line, inside the plot: the scale labels stand left
    // and right of the axes, the month initials below the x-axis.
    const std::int64_t class_width = static_cast<std::int64_t>(l.frame.right_axis_x) - tx - state.char_width;
    DrawClimateClassLines(surface, state, r, tx, area.top + 4 * lh + 10, ClampCoordinate(class_width),
                          l.frame.baseline_y);
    surface.SetTextAlign(TextAlign::right_top);
    surface.TextOut(area.left + 45 * s, l.frame.axis_top_y, "\xB0" "C");
    DrawExtremes(surface, state, r, area, l);
    surface.SetTextAlign(TextAlign::left_top);
}

// Draws with the pen current on the surface; the dotted pen and then the
// thin pen only for the 100 mm line.
void DrawAxes(DrawSurface& surface, const DrawingState& state, const StationRecord& record, const Layout& l) {
    const DiagramFrame& f = l.frame;
    surface.BeginGroup("axes");
    surface.SelectNullBrush();
    Line(surface, f.left_axis_x, f.baseline_y, f.right_axis_x, f.baseline_y);
    Line(surface, f.left_axis_x, f.axis_top_y, f.left_axis_x, f.axis_bottom_y);
    Line(surface, f.right_axis_x, f.axis_top_y, f.right_axis_x, f.axis_bottom_y);
    DrawMonthTicks(surface, l);
    if (record.month_labels != 0) DrawMonthLabels(surface, record, l);
    DrawScaleTicks(surface, state, l);
    DrawHundredMillimetreLine(surface, l);
    DrawScaleLabels(surface, state, record, l);
}

// The precipitation curve, then the temperature curve, each as 13
// segments; leaves the thin pen selected.
void DrawCurves(DrawSurface& surface, const Layout& l, const DiagramGeometry& geometry, CurvePens pens) {
    surface.BeginGroup("precipitation");
    surface.SelectPen(pens.precip);
    DrawCurve(surface, geometry.precip_curve, l.frame.left_axis_x, l.frame.baseline_y);
    surface.BeginGroup("temperature");
    surface.SelectPen(pens.temp);
    DrawCurve(surface, geometry.temp_curve, l.frame.left_axis_x, l.frame.baseline_y);
    surface.SelectPen(PenId::thin);
}

}  // namespace

void MeasureFont(DrawSurface& surface, DrawingState& state) {
    TextMetrics m = surface.MeasureText();
    state.char_width = m.char_width;
    state.line_height = m.line_height;
}

void DrawClimateDiagram(DrawSurface& surface, DrawingState& state, const StationData& station,
                        const DrawArea& area, int s, CurvePens pens) {
    s = ClampScale(s);
    const Layout l = MakeLayout(state, area, s);
    DrawHeadLines(surface, state, station, area, l);
    DrawAxes(surface, state, station.record, l);
    const DiagramGeometry geometry = ComputeDiagramCurves(station.record, area, s);
    DrawCurves(surface, l, geometry, pens);
    DrawClimateFill(surface, state, station.record, area, geometry.temp_curve, geometry.precip_curve, s);
}

void DrawWindowContent(DrawSurface& surface, DrawingState& state, StationData& station,
                       const DrawArea& area) {
    surface.SelectFont(state.display_font);
    MeasureFont(surface, state);
    if (station.record.diagram_mode != 0) {
        DrawClimateDiagram(surface, state, station, area, 1, kScreenCurvePens);
    } else {
        DrawDataTable(surface, state, station, state.char_width, state.line_height);
    }
}
