#include "diagram/climate_fill.h"

#include <algorithm>
#include <limits>

#include "diagram/line_walk.h"

namespace {

// Positions of one fill in 64-bit arithmetic; every value fits int32 when
// handed to the surface (coordinates are clamped to +-2^24).
struct FillFrame {
    std::int64_t left_axis_x;
    std::int64_t baseline_y;
    std::int64_t bottom;
    std::int64_t step;
    std::int64_t width;
    // Rows outside band_top .. band_bottom get no marks. The band is the
    // area itself, reaching 1000*s units further up for the humid dashes
    // only (the dashes of the wettest stations run above a small window,
    // and drawings keep them); the device shows nothing outside the area.
    std::int64_t band_top;
    std::int64_t dash_top;
    std::int64_t band_bottom;
    int s;
    bool full_size_dots;
};

FillFrame MakeFillFrame(const DrawingState& state, const DrawArea& area, int width, int s) {
    DiagramFrame f = ComputeDiagramFrame(area, s, state.axis_offset);
    FillFrame fr{};
    fr.left_axis_x = f.left_axis_x;
    fr.baseline_y = f.baseline_y;
    fr.bottom = area.bottom;
    fr.step = 5LL * s;
    fr.width = width;
    fr.band_top = area.top;
    fr.dash_top = static_cast<std::int64_t>(area.top) - 1000LL * s;
    fr.band_bottom = area.bottom;
    fr.s = s;
    fr.full_size_dots = state.full_size_dots;
    return fr;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// The smallest multiple of step that is >= v.
std::int64_t CeilMultiple(std::int64_t v, std::int64_t step) { return -FloorDiv(-v, step) * step; }

// Dashes at the heights T.y .. P.y (both included) that are multiples of
// the step, in rising order; a negative height counts like a positive one.
// Each dash is 4*s + 1 pixels wide, its right end drawn too: one batch.
void DrawHumidMark(DrawSurface& surface, const FillFrame& fr, const DiagramCurve& temp,
                   const DiagramCurve& precip, int i, std::vector<HorizontalStroke>& dashes) {
    const std::int64_t x = fr.left_axis_x + temp.x[i];
    Line(surface, fr.left_axis_x + precip.x[i], fr.baseline_y - precip.y[i], x, fr.baseline_y - temp.y[i]);
    std::int64_t low = std::max<std::int64_t>(temp.y[i], fr.baseline_y - fr.band_bottom);
    std::int64_t high = std::min<std::int64_t>(precip.y[i], fr.baseline_y - fr.dash_top);
    const std::int64_t half = 2LL * fr.s;
    dashes.clear();
    for (std::int64_t h = CeilMultiple(low, fr.step); h <= high; h += fr.step) {
        const std::int64_t y = fr.baseline_y - h;
        dashes.push_back({static_cast<int>(x - half), static_cast<int>(x + half), static_cast<int>(y)});
    }
    if (!dashes.empty()) surface.DrawHorizontalStrokes(dashes.data(), dashes.size(), kBlack);
}

void DrawHumidMarks(DrawSurface& surface, const FillFrame& fr, const DiagramCurve& temp,
                    const DiagramCurve& precip, std::vector<HorizontalStroke>& dashes) {
    for (int i = 1; i <= 12; ++i) {
        if (precip.y[i] > temp.y[i]) DrawHumidMark(surface, fr, temp, precip, i, dashes);
    }
}

// A window dot enlarged s times: the block of columns x-(s-1)/2 .. x+s/2
// and the same rows, appended pixel by pixel.
void AppendFullSizeDot(std::vector<SurfacePoint>& pixels, int x, int y, int s) {
    for (int column = x - (s - 1) / 2; column <= x + s / 2; ++column) {
        for (int row = y - (s - 1) / 2; row <= y + s / 2; ++row) pixels.push_back({column, row});
    }
}

// Dots in column xL + k from the precipitation row Pr (included) up to the
// temperature row Tr (excluded), on the rows that are multiples of the
// step above the area's bottom, from the lowest upwards: one batch.
void DrawDotColumn(DrawSurface& surface, const FillFrame& fr, std::int64_t k, std::int64_t temp_row,
                   std::int64_t precip_row, std::vector<SurfacePoint>& pixels) {
    // A dot covers the rows y - h .. y + h - 1 (h = s/2; the row y alone
    // at scale 1): one that reaches into the area is drawn, the others not.
    const std::int64_t h = fr.s / 2;
    std::int64_t high_row = std::min<std::int64_t>(precip_row, fr.band_bottom + h);
    std::int64_t low_row = std::max<std::int64_t>(temp_row + 1, fr.band_top - (h > 0 ? h - 1 : 0));
    std::int64_t y = fr.bottom - CeilMultiple(fr.bottom - high_row, fr.step);
    pixels.clear();
    for (; y >= low_row; y -= fr.step) {
        const int x = static_cast<int>(fr.left_axis_x + k);
        if (fr.full_size_dots) {
            AppendFullSizeDot(pixels, x, static_cast<int>(y), fr.s);
        } else {
            AppendDot(pixels, x, static_cast<int>(y), fr.s);
        }
    }
    if (!pixels.empty()) surface.SetPixels(pixels.data(), pixels.size(), kBlack);
}

void DrawAridDots(DrawSurface& surface, const FillFrame& fr, FillColumns& columns) {
    for (std::int64_t k = fr.step; k < fr.width; k += fr.step) {
        std::int32_t temp_row = columns.temp_rows[static_cast<std::size_t>(k)];
        std::int32_t precip_row = columns.precip_rows[static_cast<std::size_t>(k)];
        if (temp_row < precip_row) DrawDotColumn(surface, fr, k, temp_row, precip_row, columns.dot_pixels);
    }
}

std::int64_t MonthBoundary(const FillFrame& fr, int m) { return fr.left_axis_x + (m * fr.width) / 12; }

void DrawFrostMarks(DrawSurface& surface, const FillFrame& fr, const StationRecord& record,
                    std::vector<LineSegment>& bar_lines) {
    const std::int64_t under = fr.baseline_y + 5LL * fr.s;
    // Marks between the x-axis and 5*s units under it: none when that strip
    // lies wholly outside the area.
    if (under < fr.band_top || fr.baseline_y > fr.band_bottom) return;
    for (int m = 0; m < 12; ++m) {
        if (record.frost_flags[m] != 2) continue;
        Line(surface, MonthBoundary(fr, m), under, MonthBoundary(fr, m + 1), under);
        surface.LineTo(static_cast<int>(MonthBoundary(fr, m + 1)), static_cast<int>(fr.baseline_y));
    }
    const std::int64_t month_width = fr.width / 12;
    if (month_width < 0) return;
    // A bar is a vertical line in each of its columns: one batch a month.
    for (int m = 0; m < 12; ++m) {
        if (record.frost_flags[m] != 1) continue;
        bar_lines.clear();
        for (std::int64_t c = 0; c <= month_width; ++c) {
            const int x = static_cast<int>(MonthBoundary(fr, m) + c);
            bar_lines.push_back({x, static_cast<int>(under), x, static_cast<int>(fr.baseline_y)});
        }
        surface.DrawLines(bar_lines.data(), bar_lines.size());
    }
}

void PrepareColumns(std::vector<std::int32_t>& rows, std::int64_t width) {
    std::size_t n = static_cast<std::size_t>(std::max<std::int64_t>(width, 0) + 1);
    rows.assign(n, 0);
}

}  // namespace

std::int64_t CaptureCurveColumns(const DiagramCurve& curve, int left_axis_x, int baseline_y,
                                 std::vector<std::int32_t>& rows) {
    std::int64_t count = 0;
    // "No column yet": lower than any x, so the first point is stored even
    // in an area that starts left of x = 0.
    std::int64_t last_column = std::numeric_limits<std::int64_t>::min();
    auto store = [&](WalkPoint p) {
        if (p.x > last_column) {
            if (static_cast<std::uint64_t>(count) < rows.size()) rows[static_cast<std::size_t>(count)] = p.y;
            ++count;
        }
        last_column = p.x;
    };
    for (int n = 0; n <= 12; ++n) {
        LineWalk walk(left_axis_x + curve.x[n], baseline_y - curve.y[n], left_axis_x + curve.x[n + 1],
                      baseline_y - curve.y[n + 1]);
        walk.ForEachColumnEntry(store);
    }
    return count;
}

void AppendDot(std::vector<SurfacePoint>& pixels, int x, int y, int s) {
    pixels.push_back({x, y});
    const int h = s / 2;
    for (int column = x - h; column < x + h; ++column) {
        for (int row = y - h; row < y + h; ++row) pixels.push_back({column, row});
    }
}

void DrawClimateFill(DrawSurface& surface, DrawingState& state, const StationRecord& record,
                     const DrawArea& area, const DiagramCurve& temp_curve,
                     const DiagramCurve& precip_curve, int s) {
    s = ClampScale(s);
    const FillFrame fr = MakeFillFrame(state, area, temp_curve.x[13], s);
    surface.SelectPen(PenId::thin);
    surface.BeginGroup("humid");
    DrawHumidMarks(surface, fr, temp_curve, precip_curve, state.fill.dashes);
    PrepareColumns(state.fill.precip_rows, fr.width);
    PrepareColumns(state.fill.temp_rows, fr.width);
    CaptureCurveColumns(precip_curve, static_cast<int>(fr.left_axis_x), static_cast<int>(fr.baseline_y),
                        state.fill.precip_rows);
    CaptureCurveColumns(temp_curve, static_cast<int>(fr.left_axis_x), static_cast<int>(fr.baseline_y),
                        state.fill.temp_rows);
    surface.BeginGroup("arid");
    DrawAridDots(surface, fr, state.fill);
    surface.BeginGroup("frost");
    DrawFrostMarks(surface, fr, record, state.fill.bar_lines);
}
