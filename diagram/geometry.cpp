#include "diagram/geometry.h"

#include <cmath>

int ClampScale(int s) {
    if (s < 1) return 1;
    if (s > kMaxScale) return kMaxScale;
    return s;
}

std::int32_t TruncateToCoordinate(double value) {
    if (std::isnan(value)) return 0;
    if (value >= kMaxCoordinate) return kMaxCoordinate;
    if (value <= -kMaxCoordinate) return -kMaxCoordinate;
    return static_cast<std::int32_t>(value);  // truncates toward zero
}

std::int32_t ClampCoordinate(std::int64_t value) {
    if (value > kMaxCoordinate) return kMaxCoordinate;
    if (value < -kMaxCoordinate) return -kMaxCoordinate;
    return static_cast<std::int32_t>(value);
}

// The products are formed in double from the stored float: 17.4f is
// 17.3999996..., times 5 is 86.99999..., which truncates to 86.
std::int32_t TemperatureHeight(float temp_c, int s) {
    return TruncateToCoordinate(static_cast<double>(s) * static_cast<double>(temp_c) * 5.0);
}

std::int32_t PrecipitationHeight(float precip_mm, int s) {
    double p = precip_mm;
    if (p <= 100.0) return TruncateToCoordinate(s * p * 2.5);
    return TruncateToCoordinate((p - 100.0) * 0.25 * s + 250.0 * s);
}

namespace {

void CloseCurveEnds(DiagramCurve& curve, std::int32_t width) {
    curve.x[0] = 0;
    curve.x[13] = width;
    std::int32_t end = curve.y[1] + (curve.y[12] - curve.y[1]) / 2;
    curve.y[0] = end;
    curve.y[13] = end;
}

}  // namespace

DiagramGeometry ComputeDiagramCurves(const StationRecord& record, const DrawArea& area, int s) {
    DiagramGeometry g;
    std::int64_t w = static_cast<std::int64_t>(area.right) - area.left - 100LL * s;
    g.plot_width = ClampCoordinate(w);
    const std::int64_t width = g.plot_width;
    for (int i = 1; i <= 12; ++i) {
        // Each division truncates toward zero on its own (C++ integer division).
        std::int32_t x = static_cast<std::int32_t>((width * i) / 12 - width / 24);
        g.temp_curve.x[i] = x;
        g.precip_curve.x[i] = x;
        g.temp_curve.y[i] = TemperatureHeight(record.temp_c[i], s);
        g.precip_curve.y[i] = PrecipitationHeight(record.precip_mm[i], s);
    }
    CloseCurveEnds(g.temp_curve, g.plot_width);
    CloseCurveEnds(g.precip_curve, g.plot_width);
    return g;
}

DiagramFrame ComputeDiagramFrame(const DrawArea& area, int s, int axis_offset) {
    DiagramFrame f;
    f.left_axis_x = ClampCoordinate(static_cast<std::int64_t>(area.left) + 50LL * s);
    f.right_axis_x = ClampCoordinate(static_cast<std::int64_t>(area.right) - 50LL * s);
    f.baseline_y = ClampCoordinate(static_cast<std::int64_t>(area.bottom) - static_cast<std::int64_t>(s) * axis_offset);
    f.axis_top_y = ClampCoordinate(static_cast<std::int64_t>(area.top) + 25LL * s);
    f.axis_bottom_y = ClampCoordinate(static_cast<std::int64_t>(area.bottom) - 25LL * s);
    return f;
}
