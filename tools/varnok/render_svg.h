// What varnok render draws: the window content (diagram or table) or the
// printed page of one station, as an SVG document.
#pragma once

#include <string>
#include <string_view>

#include "diagram/draw_surface.h"
#include "station/station_record.h"

// The view drawn: the record's diagram_mode, or the one the options force.
enum class RenderView { record, diagram, table };

struct RenderOptions {
    // The diagram window's client size; without size_given, the size the
    // program gives it in the view mode drawn.
    int width = 0;
    int height = 0;
    bool size_given = false;
    int axis_offset = 100;
    bool monochrome = false;
    bool month_labels = false;  // forces the month initials on
    bool climate_class = false;  // the climate class line
    bool hide_station = false;   // the quiz: "?" for the station's name, country, position and numbers
    RenderView view = RenderView::record;
    int print_scale = 0;        // 1..6 renders the printed page; 0 the window
    int char_width = 8;
    int line_height = 16;
};

// The window size drawn for a view: the options' own size when given,
// otherwise the diagram window's client size as the program sets it around
// that view.
struct RenderSize {
    int width = 0;
    int height = 0;
};
RenderSize WindowSizeForView(const RenderOptions& options, bool diagram);

// Draws the station as the options say. The table writes the annual values
// into slot 13 of the record, as the program does.
std::string RenderSvg(const RenderOptions& options, StationData& station);
// The same into a surface kept from one drawing to the next; the document
// views the surface's buffer until its next drawing.
class SvgSurface;
std::string_view RenderSvg(const RenderOptions& options, StationData& station, SvgSurface& surface);
