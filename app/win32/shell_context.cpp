#include "app/win32/shell_context.h"

#include "resources/resource_ids.h"

ShellContext& TheShell() {
    static ShellContext shell;
    return shell;
}

HWND DiagramWindow(const ShellContext& shell) {
    return shell.main_window ? GetDlgItem(shell.main_window, DIAGRAM_WINDOW_ID) : nullptr;
}

void MeasureDiagramRect(ShellContext& shell) {
    RECT rect = {0, 0, 0, 0};
    HWND diagram = DiagramWindow(shell);
    if (diagram) GetClientRect(diagram, &rect);
    shell.state.diagram_rect = {rect.left, rect.top, rect.right, rect.bottom};
}

void RepaintDiagram(const ShellContext& shell, bool erase, bool update_now) {
    HWND diagram = DiagramWindow(shell);
    if (!diagram) return;
    InvalidateRect(diagram, nullptr, erase ? TRUE : FALSE);
    if (update_now) UpdateWindow(diagram);
}
