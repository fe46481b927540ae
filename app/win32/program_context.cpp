#include "app/win32/program_context.h"

#include "app/win32/window_dpi.h"
#include "resources/resource_ids.h"

ProgramContext& TheProgram() {
    static ProgramContext program;
    return program;
}

HWND DiagramWindow(const ProgramContext& program) {
    return program.main_window ? GetDlgItem(program.main_window, DIAGRAM_WINDOW_ID) : nullptr;
}

WindowView MeasureDiagramRect(ProgramContext& program) {
    RECT rect = {0, 0, 0, 0};
    HWND diagram = DiagramWindow(program);
    if (diagram) GetClientRect(diagram, &rect);
    AppState& state = program.state;
    const int dpi = WindowDpi(diagram ? diagram : program.main_window);
    // The table's extent only matters to the fit; the display font is
    // measured anew, as a print or a PNG leaves the metrics of its own font.
    PictureExtent extent = DiagramExtent();
    if (state.station.record.diagram_mode == 0 && state.zoom == kZoomFitToWindow) {
        const TextMetrics metrics = DisplayFontMetrics(program);
        extent = TableExtent(metrics.char_width, metrics.line_height);
    }
    const WindowView view = ComputeWindowView(rect.right, rect.bottom, dpi, state.zoom, extent);
    state.diagram_rect = view.area;
    state.output_rect = {0, 0, UnitsAtDpi(rect.right, dpi), UnitsAtDpi(rect.bottom, dpi)};
    program.view_factor = view.factor;
    return view;
}

void RepaintDiagram(const ProgramContext& program, bool erase, bool update_now) {
    HWND diagram = DiagramWindow(program);
    if (!diagram) return;
    InvalidateRect(diagram, nullptr, erase ? TRUE : FALSE);
    if (update_now) UpdateWindow(diagram);
}

TextMetrics DisplayFontMetrics(ProgramContext& program) {
    HDC screen = GetDC(nullptr);
    TextMetrics metrics{8, 16};
    if (!screen) return metrics;
    {
        GdiSurface surface(screen, program.pens);
        surface.SelectFont(program.state.drawing.display_font);
        metrics = surface.MeasureText();
    }
    ReleaseDC(nullptr, screen);
    return metrics;
}
