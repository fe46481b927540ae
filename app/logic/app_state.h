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

// What the menu shows. The check marks are state of their own: the month
// labels toggle follows its check mark, not the record's flag, and a
// loaded station file changes the flag but not the mark.
// The print scale mark of "Fit to page": each page is printed at the largest
// scale that fits the printer's printable area.
constexpr std::int32_t kPrintScaleFitToPage = 7;

struct MenuMarks {
    bool diagram = true;        // item 21 checked (else 22); items 25-27 grayed when false
    bool monochrome = false;    // item 23 checked (else 24)
    bool month_labels = false;  // item 27
    std::int32_t print_scale = 3;  // which of 31..37 is checked: 1..6, or kPrintScaleFitToPage
};

struct AppState {
    StationData station;
    // The presentation settings that are not record fields (axis_offset,
    // monochrome, display_font, print_scale), the metrics of the font
    // measured last (char_width, line_height) and the drawing's working
    // values. None of it is stored between runs.
    DrawingState drawing;
    MenuMarks marks;
    // The area the diagram window draws in, as last measured: its client
    // rectangle in the drawing's units (96-DPI units enlarged by the zoom);
    // left and top are 0. The x-axis rules and clicks use it.
    DrawArea diagram_rect{0, 0, 0, 0};
    // The client rectangle in 96-DPI units, whatever the zoom: the size of
    // the metafile, the SVG, the PNG and the printed page, and the caption's.
    DrawArea output_rect{0, 0, 0, 0};
    // The diagram window's zoom: one of kZoomPercents, or kZoomFitToWindow.
    int zoom = 100;
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
