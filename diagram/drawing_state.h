// The state a drawing reads and leaves behind, kept in one plain struct
// that the window, the metafile, the printer and the varnok tool share:
// the presentation settings the drawing reads, the text metrics measured
// last, and the working values of the drawing in progress.
#pragma once

#include <cstdint>
#include <vector>

#include "diagram/draw_surface.h"
#include "diagram/geometry.h"

// Pixel-column storage of the humid and arid fill: entry k is the device y
// of a curve in column xL + k. Sized W + 1 for each drawing, so any plot
// width fits; the vectors only grow, so a drawing of the same width as the
// last one allocates nothing.
struct FillColumns {
    std::vector<std::int32_t> precip_rows;
    std::vector<std::int32_t> temp_rows;
    // The batches handed to the surface: one month's humid dashes, one
    // column's arid dots, one month's frost bar.
    std::vector<HorizontalStroke> dashes;
    std::vector<SurfacePoint> dot_pixels;
    std::vector<LineSegment> bar_lines;
};

struct DrawingState {
    // Presentation settings read by the drawing (the shell changes them).
    // Each setting has this one field and no copy elsewhere; the two a
    // station file stores (the view, the month labels) are the record's
    // diagram_mode and month_labels. A new setting goes here, and the
    // program's menu marks for it are computed in ComputeMenuState
    // (app/logic/menu_state.cpp).
    int axis_offset = 100;     // units from the area's bottom to the x-axis at scale 1
    bool monochrome = false;   // curve pens and table colours black
    FontSpec display_font{};   // the description the display font was made from
    bool climate_class_line = false;  // one more line: the station's climate class and its name
    bool hide_station = false;        // quiz: "?" for the station's name, country, position and numbers

    // Metrics of the font selected last; MeasureFont sets them, the
    // drawing reads them.
    int char_width = 0;   // tmAveCharWidth
    int line_height = 0;  // tmHeight + tmExternalLeading

    // A window dot enlarged: the arid dots at scale s are s x s pixels
    // (otherwise as the printed page draws them, see DrawDot).
    bool full_size_dots = false;

    // Column storage of the fill, kept from one drawing to the next.
    FillColumns fill{};
};
