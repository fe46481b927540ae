// Geometry and scales of the climate diagram: the month grid, the baseline
// and the temperature and precipitation curves in integer device units.
//
// Scales at scale factor 1: 1 degC = 5 units, 1 mm = 2.5 units up to 100 mm,
// above 100 mm the precipitation scale is compressed ten times. Every
// conversion and division truncates toward zero.
#pragma once

#include <cstdint>

#include "station/station_record.h"

// A drawing area in device units, y growing downwards.
struct DrawArea {
    int left;
    int top;
    int right;
    int bottom;
};

// Point 0 on the left axis, points 1..12 the months in display order,
// point 13 on the right axis. Point n is drawn at (xL + x[n], y0 - y[n]).
struct DiagramCurve {
    std::int32_t x[14];
    std::int32_t y[14];
};

// The working values of one drawing.
struct DiagramGeometry {
    int plot_width = 0;  // W = right - left - 100*s
    DiagramCurve temp_curve{};
    DiagramCurve precip_curve{};
};

// Curve heights and the plot width are clamped to +-kMaxCoordinate device
// units, and a NaN counts as 0. With |values| <= 2^24 every sum, difference
// and product with a month count or scale factor (<= 64) that the drawing
// forms stays far inside int32, so no later integer arithmetic overflows;
// no real drawing surface comes anywhere near this size.
constexpr std::int32_t kMaxCoordinate = 1 << 24;

// The largest scale a drawing is made at. Scale factors outside 1..64 are
// brought into that range: every length stays positive and no product with
// a coordinate leaves int32.
constexpr int kMaxScale = 64;
int ClampScale(int s);

// Truncates toward zero; NaN gives 0, values beyond the range saturate.
std::int32_t TruncateToCoordinate(double value);

// Clamps an integer coordinate into +-kMaxCoordinate.
std::int32_t ClampCoordinate(std::int64_t value);

// Height of a temperature and of a precipitation value at scale s.
std::int32_t TemperatureHeight(float temp_c, int s);
std::int32_t PrecipitationHeight(float precip_mm, int s);

// Fills the plot width and both curves from the record.
DiagramGeometry ComputeDiagramCurves(const StationRecord& record, const DrawArea& area, int s);

// Positions derived from the area, the scale and the axis offset.
struct DiagramFrame {
    int left_axis_x;    // xL = left + 50*s
    int right_axis_x;   // xR = right - 50*s
    int baseline_y;     // y0 = bottom - s*axis_offset
    int axis_top_y;     // top + 25*s
    int axis_bottom_y;  // bottom - 25*s
};

DiagramFrame ComputeDiagramFrame(const DrawArea& area, int s, int axis_offset);
