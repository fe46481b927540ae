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
    const PictureExtent extent = state.station.record.diagram_mode != 0
                                     ? DiagramExtent()
                                     : TableExtent(state.drawing.char_width, state.drawing.line_height);
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
