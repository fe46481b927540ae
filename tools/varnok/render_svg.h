// What varnok render draws: the window content (diagram or table) or the
// printed page of one station, as an SVG document.
#pragma once

#include <string>
#include <string_view>

#include "diagram/draw_surface.h"
#include "station/station_record.h"

struct RenderOptions {
    int width = 380;   // the diagram window's client area in a start-size window
    int height = 510;
    bool size_given = false;
    int axis_offset = 100;
    bool monochrome = false;
    bool month_labels = false;  // forces the month initials on
    int mode = -1;              // 1 diagram, 0 table, -1 the record's diagram_mode
    int print_scale = 0;        // 1..6 renders the printed page; 0 the window
    int char_width = 8;
    int line_height = 16;
};

// The display font at program start on a 96 dpi screen: Arial, bold, 10 points.
FontSpec StartDisplayFont();

// The canvas of a table that the window shows when no size was given: the
// window is resized to 119 character widths by 468 units, of which the
// diagram window gets all but 20 across and 80 down.
int TableWindowWidth(int char_width);
constexpr int kTableWindowHeight = 388;

// Draws the station as the options say. The table writes the annual values
// into slot 13 of the record, as the program does.
std::string RenderSvg(const RenderOptions& options, StationData& station);
// The same into a surface kept from one drawing to the next; the document
// views the surface's buffer until its next drawing.
class SvgSurface;
std::string_view RenderSvg(const RenderOptions& options, StationData& station, SvgSurface& surface);
