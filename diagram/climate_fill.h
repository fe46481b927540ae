// The humid and arid fill of the climate diagram and the frost marks under
// its x-axis, all in black:
// - humid: for each month whose precipitation point lies above its
//   temperature point, a vertical line between them crossed by a dash at
//   every 5*s units of height (4*s + 1 pixels wide);
// - arid: in every 5*s-th pixel column where the temperature curve lies
//   above the precipitation curve, dots on a 5*s lattice between them;
// - frost: a bar (flag 1) or an outline (flag 2) under each flagged month.
#pragma once

#include <cstdint>
#include <vector>

#include "diagram/draw_surface.h"
#include "diagram/drawing_state.h"
#include "diagram/geometry.h"
#include "station/station_record.h"

// Draws the fill for the two curves of one drawing (as ComputeDiagramCurves
// made them: x[13] is the plot width W). Reads axis_offset, keeps its
// column storage in state.fill. Marks that the device would clip are left
// out, so the work is bounded by the area whatever the values: dots and
// frost marks outside the area, humid dashes below it or more than 1000*s
// units above it (no station's dashes reach that far). A month's dashes, a
// column's dots and a month's frost bar each go to the surface as one batch,
// so the device calls grow with the plot's width, not with its area.
void DrawClimateFill(DrawSurface& surface, DrawingState& state, const StationRecord& record,
                     const DrawArea& area, const DiagramCurve& temp_curve,
                     const DiagramCurve& precip_curve, int s);

// One arid dot at scale s (1..6), appended to a column's batch pixel by
// pixel in drawing order: the pixel (x, y), and with h = s/2 the block of
// columns x-h .. x+h-1 and rows y-h .. y+h-1 (1x1, 2x2, 2x2, 4x4, 4x4, 6x6).
void AppendDot(std::vector<SurfacePoint>& pixels, int x, int y, int s);

// Traces the curve with the line walk, segment by segment from point 0 to
// point 13, and stores the device y of the first point reported in each new
// pixel column (one whose x exceeds that of the point reported before) into
// rows[0], rows[1], ... Entries past rows.size() are not stored. Returns the
// number of columns found.
std::int64_t CaptureCurveColumns(const DiagramCurve& curve, int left_axis_x, int baseline_y,
                                 std::vector<std::int32_t>& rows);
