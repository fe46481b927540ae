#include "app/win32/program_context.h"

#include "resources/resource_ids.h"

ProgramContext& TheProgram() {
    static ProgramContext program;
    return program;
}

HWND DiagramWindow(const ProgramContext& program) {
    return program.main_window ? GetDlgItem(program.main_window, DIAGRAM_WINDOW_ID) : nullptr;
}

void MeasureDiagramRect(ProgramContext& program) {
    RECT rect = {0, 0, 0, 0};
    HWND diagram = DiagramWindow(program);
    if (diagram) GetClientRect(diagram, &rect);
    program.state.diagram_rect = {rect.left, rect.top, rect.right, rect.bottom};
}

void RepaintDiagram(const ProgramContext& program, bool erase, bool update_now) {
    HWND diagram = DiagramWindow(program);
    if (!diagram) return;
    InvalidateRect(diagram, nullptr, erase ? TRUE : FALSE);
    if (update_now) UpdateWindow(diagram);
}
