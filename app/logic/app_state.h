// The program-wide state of the shell: the current station, the
// presentation settings, the menu marks and what the last measurement
// left. Plain data; the command logic changes it and tells the shell
// what to show.
#pragma once

#include <cstdint>
#include <string>

#include "app/logic/memorial.h"
#include "diagram/draw_surface.h"
#include "diagram/drawing_state.h"
#include "diagram/geometry.h"
#include "station/station_record.h"

constexpr std::int32_t kAxisOffsetStep = 25;
constexpr std::int32_t kAxisOffsetMin = 50;

// The print scale of "Fit to page": each page is printed at the largest
// scale that fits the printer's printable area.
constexpr std::int32_t kPrintScaleFitToPage = 7;

// Every presentation setting lives in one field, and the menu's marks are
// computed from these fields (ComputeMenuState), never kept beside them:
// the view and the month labels in the record (diagram_mode, month_labels),
// the settings the drawing reads in `drawing`, the print scale here.
struct AppState {
    StationData station;
    // The presentation settings the drawing reads (axis_offset, monochrome,
    // display_font), the metrics of the font measured last (char_width,
    // line_height) and the drawing's working values. None of it is stored
    // between runs.
    DrawingState drawing;
    // The print scale chosen in the menu: 1..6, or kPrintScaleFitToPage.
    std::int32_t print_scale = 3;
    // The diagram window's client rectangle as last measured; left and top are 0.
    DrawArea diagram_rect{0, 0, 0, 0};
    // Path of the last station file opened or saved; the file dialogs start from it.
    std::string station_file_name = "Own station.cli";
    MemorialMatcher memorial;
};

// The state at program start: the start-up record (show flags on, diagram
// mode, no month labels) and the default settings with the font for a
// display of the given vertical resolution.
AppState MakeStartupState(int logpixels_y);

// Arial, bold, 10 points: height -MulDiv(10, logpixels_y, 72), rounded to
// the nearest pixel (halves away from zero, as MulDiv rounds).
FontSpec StartupDisplayFont(int logpixels_y);
