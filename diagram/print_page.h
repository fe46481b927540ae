// The printed page: the climate diagram enlarged by the print scale, or the
// data table, drawn with a print font made from the display font.
#pragma once

#include "diagram/draw_surface.h"
#include "diagram/drawing_state.h"
#include "diagram/geometry.h"
#include "station/station_record.h"

// The display font's description with height and width times s times 0.85
// (the integer product, then the double 0.85, truncated toward zero),
// TrueType-only output precision (7) and draft quality (1).
FontSpec MakePrintFont(const FontSpec& display_font, int s);

// The diagram's area on the page: a left margin of 7 character widths of
// the print font, then the window's width and height times s.
DrawArea PrintArea(int char_width, int height, int width, int s);

// What the page shows: the view checked in the menu.
enum class PageView { table, diagram };

// Draws the page at s = state.print_scale. height and width are the
// diagram window's client size in screen pixels. The table is drawn with
// the print font's metrics, the diagram enlarged by s with the print pens.
// Selects the print font (the surface keeps it until its next SelectFont),
// and leaves its metrics in state.char_width and line_height.
void DrawPrintPage(DrawSurface& surface, DrawingState& state, StationData& station, int height, int width,
                   PageView view);
