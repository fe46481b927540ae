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

// The pens of the two curves: the screen, the metafile and the clipboard
// draw them in colour, the printed page thin (precipitation) and thick
// (temperature).
struct CurvePens {
    PenId precip;
    PenId temp;
};
constexpr CurvePens kScreenCurvePens{PenId::precip, PenId::temp};
constexpr CurvePens kPrintCurvePens{PenId::thin, PenId::thick};

// Measures the font selected last into char_width and line_height.
void MeasureFont(DrawSurface& surface, DrawingState& state);

// The climate diagram on the area at scale s, with the metrics measured
// last: "mm", the country, position, station and record lines, "degC" and
// the extreme temperatures whose show flags are set; the axes with month
// ticks, month initials (when month_labels is set), the ticks of both
// scales, the dotted 100 mm line and the scale labels; the precipitation
// and temperature curves with the given pens; the humid and arid fill and
// the frost marks. The frame and the curves are computed once for the
// drawing. Leaves the thin pen selected.
void DrawClimateDiagram(DrawSurface& surface, DrawingState& state, const StationData& station,
                        const DrawArea& area, int s, CurvePens pens);

// What the diagram window, the metafile and the clipboard show: selects
// the display font and measures it, then draws the diagram at scale 1 with
// the screen pens when diagram_mode is nonzero, else the data table. The
// table writes the annual values into slot 13 of the record.
void DrawWindowContent(DrawSurface& surface, DrawingState& state, StationData& station,
                       const DrawArea& area);
