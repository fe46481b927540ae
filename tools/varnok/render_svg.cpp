#include "tools/varnok/render_svg.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "app/logic/app_state.h"
#include "app/logic/display_scale.h"
#include "app/logic/window_layout.h"
#include "diagram/diagram_drawing.h"
#include "diagram/print_page.h"
#include "diagram/svg_surface.h"

namespace {

// The screen the program's start font is made for: 96 dots per inch.
constexpr int kRenderLogPixelsY = 96;

DrawingState MakeState(const RenderOptions& o) {
    DrawingState state;
    state.axis_offset = o.axis_offset;
    state.monochrome = o.monochrome;
    state.display_font = StartupDisplayFont(kRenderLogPixelsY);
    state.climate_class_line = o.climate_class;
    state.hide_station = o.hide_station;
    return state;
}

int Clamp(std::int64_t v) { return static_cast<int>(std::min<std::int64_t>(v, kMaxCoordinate)); }


}  // namespace

RenderSize WindowSizeForView(const RenderOptions& options, bool diagram) {
    if (options.size_given) return {options.width, options.height};
    // The main window's size for the view, as the program sets it, around
    // the diagram window.
    const WindowPlacement main = MainWindowSizeForMode(diagram, options.char_width);
    const WindowPlacement client = DiagramWindowPlacement(main.width, main.height, kDefaultDpi);
    return {client.width, client.height};
}

std::string RenderSvg(const RenderOptions& options, StationData& station) {
    SvgSurface surface;
    return std::string(RenderSvg(options, station, surface));
}

std::string_view RenderSvg(const RenderOptions& options, StationData& station, SvgSurface& surface) {
    RenderOptions o = options;
    if (o.month_labels) station.record.month_labels = 1;
    if (o.view != RenderView::record) station.record.diagram_mode = o.view == RenderView::diagram ? 1 : 0;
    const bool diagram = station.record.diagram_mode != 0;
    const RenderSize size = WindowSizeForView(o, diagram);
    o.width = size.width;
    o.height = size.height;
    DrawingState state = MakeState(o);
    const TextMetrics metrics{o.char_width, o.line_height};
    if (o.print_scale > 0) {
        // The canvas is the page's content: the printer's page without its
        // empty rest.
        const PageView view = diagram ? PageView::diagram : PageView::table;
        const PageExtent page = PrintPageExtent(view, metrics, o.height, o.width, o.print_scale);
        surface.Begin(Clamp(page.width), Clamp(page.height), metrics, o.monochrome);
        DrawPrintPage(surface, state, station, o.height, o.width, view, o.print_scale);
        return surface.Finish();
    }
    surface.Begin(o.width, o.height, metrics, o.monochrome);
    DrawWindowContent(surface, state, station, DrawArea{0, 0, o.width, o.height});
    return surface.Finish();
}
