// The climate diagram on a drawing surface: head lines, axes with their
// ticks and labels, the two curves, and the whole window content.
//
// The area is in device units of the surface, s the scale factor (1 on
// screen, metafile and clipboard; the print scale on paper). Every routine
// leaves the text alignment at left/top. Texts are Windows-1252; the degree
// sign is the byte 0xB0.
#pragma once

#include "diagram/draw_surface.h"
#include "diagram/drawing_state.h"
#include "diagram/geometry.h"
#include "station/station_record.h"

// Measures char_width and line_height into the state, then draws "mm",
// the country, position, station and record lines, "degC" and the extreme
// temperatures whose show flags are set.
void DrawHeadLines(DrawSurface& surface, DrawingState& state, const StationData& station,
                   const DrawArea& area, int s);

// Axes, month ticks, month initials (when month_labels is set), the ticks
// of both scales, the dotted 100 mm line and the scale labels. Draws with
// the pen current on the surface; selects the dotted pen and then the thin
// pen only for the 100 mm line. Uses the metrics measured last.
void DrawAxes(DrawSurface& surface, const DrawingState& state, const StationData& station,
              const DrawArea& area, int s);

// The precipitation curve with precip_pen, then the temperature curve with
// temp_pen, each as 13 segments; leaves the thin pen selected.
void DrawCurves(DrawSurface& surface, const DrawingState& state, const DrawArea& area, int s,
                const DiagramCurve& temp_curve, const DiagramCurve& precip_curve, PenId precip_pen,
                PenId temp_pen);

// The curve step of the window: the geometry at scale 1 into the state,
// the curves with the screen pens, then the fill.
void DrawDiagramCurves(DrawSurface& surface, DrawingState& state, const StationData& station,
                       const DrawArea& area);

// What the diagram window, the metafile and the clipboard show: selects
// the display font and measures it, then draws the diagram (head lines,
// axes, curves and fill) when diagram_mode is nonzero, else the data table.
// The table writes the annual values into slot 13 of the record.
void DrawWindowContent(DrawSurface& surface, DrawingState& state, StationData& station,
                       const DrawArea& area);
