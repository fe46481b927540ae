#include "app/win32/diagram_window.h"

#include "app/logic/commands.h"
#include "app/logic/window_layout.h"
#include "app/win32/text_conversion.h"
#include "app/win32/win32_shell.h"
#include "diagram/diagram_drawing.h"
#include "resources/resource_ids.h"

const wchar_t kDiagramWindowClass[] = L"ChildWindow";

namespace {

// Index of "&Presentation" in the menu bar: the popup is the same submenu,
// so it shows the same check marks and grayed items.
constexpr int kPresentationMenuIndex = 2;

void OnSize(ProgramContext& program) {
    MeasureDiagramRect(program);
    const DrawArea& rect = program.state.diagram_rect;
    SetWindowTextW(program.main_window, WideFromUtf8(SizeCaption(rect.right, rect.bottom)).c_str());
}

void OnPaint(ProgramContext& program, HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc) {
        // The whole picture at every paint, whatever the update region.
        if (program.state.station.record.diagram_mode != 0) MeasureDiagramRect(program);
        GdiSurface surface(dc, program.pens);
        DrawWindowContent(surface, program.state.drawing, program.state.station, program.state.diagram_rect);
    }
    EndPaint(window, &paint);
}

void OnLeftClick(ProgramContext& program, LPARAM lparam) {
    Win32Shell shell(program);
    DiagramLeftClick(program.state, shell, HIWORD(lparam));
}

void OnRightClick(const ProgramContext& program, HWND window, LPARAM lparam) {
    POINT point = {LOWORD(lparam), HIWORD(lparam)};
    ClientToScreen(window, &point);
    HMENU presentation = GetSubMenu(GetMenu(program.main_window), kPresentationMenuIndex);
    TrackPopupMenu(presentation, 0, point.x, point.y, 0, program.main_window, nullptr);
}

}  // namespace

LRESULT CALLBACK DiagramWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    ProgramContext& program = TheProgram();
    switch (message) {
        case WM_SIZE: OnSize(program); return 0;
        case WM_PAINT: OnPaint(program, window); return 0;
        case WM_LBUTTONDOWN: OnLeftClick(program, lparam); return 0;
        case WM_RBUTTONDOWN: OnRightClick(program, window, lparam); return 0;
        default: return DefWindowProcW(window, message, wparam, lparam);
    }
}

void CreateDiagramWindow(const ProgramContext& program) {
    CreateWindowExW(0, kDiagramWindowClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, program.main_window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(DIAGRAM_WINDOW_ID)), program.instance, nullptr);
}
