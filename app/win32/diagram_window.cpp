#include "app/win32/diagram_window.h"

#include "app/logic/commands.h"
#include "app/logic/window_layout.h"
#include "app/win32/win32_shell.h"
#include "diagram/diagram_drawing.h"
#include "resources/resource_ids.h"

const char kDiagramWindowClass[] = "ChildWindow";

namespace {

// Index of "&Presentation" in the menu bar: the popup is the same submenu,
// so it shows the same check marks and grayed items.
constexpr int kPresentationMenuIndex = 2;

void OnSize(ShellContext& shell) {
    MeasureDiagramRect(shell);
    const DrawArea& rect = shell.state.diagram_rect;
    SetWindowTextA(shell.main_window, SizeCaption(rect.right, rect.bottom).c_str());
}

void OnPaint(ShellContext& shell, HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc) {
        // The whole picture at every paint, whatever the update region.
        if (shell.state.station.record.diagram_mode != 0) MeasureDiagramRect(shell);
        GdiSurface surface(dc, shell.pens);
        DrawWindowContent(surface, shell.state.drawing, shell.state.station, shell.state.diagram_rect);
    }
    EndPaint(window, &paint);
}

void OnLeftClick(ShellContext& shell, LPARAM lparam) {
    Win32Shell adapter(shell);
    DiagramLeftClick(shell.state, adapter, HIWORD(lparam));
}

void OnRightClick(const ShellContext& shell, HWND window, LPARAM lparam) {
    POINT point = {LOWORD(lparam), HIWORD(lparam)};
    ClientToScreen(window, &point);
    HMENU presentation = GetSubMenu(GetMenu(shell.main_window), kPresentationMenuIndex);
    TrackPopupMenu(presentation, 0, point.x, point.y, 0, shell.main_window, nullptr);
}

}  // namespace

LRESULT CALLBACK DiagramWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    ShellContext& shell = TheShell();
    switch (message) {
        case WM_SIZE: OnSize(shell); return 0;
        case WM_PAINT: OnPaint(shell, window); return 0;
        case WM_LBUTTONDOWN: OnLeftClick(shell, lparam); return 0;
        case WM_RBUTTONDOWN: OnRightClick(shell, window, lparam); return 0;
        default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

void CreateDiagramWindow(const ShellContext& shell) {
    CreateWindowExA(0, kDiagramWindowClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, shell.main_window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(DIAGRAM_WINDOW_ID)), shell.instance, nullptr);
}
