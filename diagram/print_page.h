// The printed page: the climate diagram enlarged by the print scale, or the
// data table, drawn with a print font made from the display font.
#pragma once

#include <cstdint>
#include <functional>

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

// Draws the page at scale s (1..64). height and width are the
// diagram window's client size in screen pixels. The table is drawn with
// the print font's metrics, the diagram enlarged by s with the print pens.
// Selects the print font (the surface keeps it until its next SelectFont),
// and leaves its metrics in state.char_width and line_height.
void DrawPrintPage(DrawSurface& surface, DrawingState& state, StationData& station, int height, int width,
                   PageView view, int s);

// The extent of the page's content at scale s, with the print font's
// metrics at that scale: for the diagram its area with the left margin
// again on the right, for the table 119 character widths by 17 lines.
struct PageExtent {
    std::int64_t width;
    std::int64_t height;
};
PageExtent PrintPageExtent(PageView view, TextMetrics print_font, int height, int width, int s);

// The print scale that fills the page: the largest scale up to 64 whose
// content fits within the printable width and height (device units of the
// printer), at least 1. metrics_at(s) measures the print font of scale s.
int FitToPageScale(PageView view, int height, int width, int printable_width, int printable_height,
                   const std::function<TextMetrics(int s)>& metrics_at);

// The display font's description with height and width times s: the
// window's text enlarged.
FontSpec MakeEnlargedFont(const FontSpec& display_font, int s);

// The window content enlarged by s for a picture of s times the window's
// size, as the window looks enlarged: the enlarged font, the diagram with
// the screen's curve pens over the whole enlarged area and its arid dots
// s pixels wide, or the table. The surface's pens draw s pixels wide. Leaves
// the metrics of the enlarged font in state.char_width and line_height.
void DrawWindowContentScaled(DrawSurface& surface, DrawingState& state, StationData& station, int height,
                             int width, int s);
