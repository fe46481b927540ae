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
    // The size in 96-DPI units: the size of what the window content
    // commands write.
    const DrawArea& rect = program.state.output_rect;
    SetWindowTextW(program.main_window, WideFromUtf8(SizeCaption(rect.right, rect.bottom)).c_str());
}

// The picture in 96-DPI units, enlarged by the view's factor through the
// context's world transform: fonts, lines and pixels grow with it. At
// factor 1 the context is left as it is.
void DrawEnlarged(ProgramContext& program, HDC dc, const WindowView& view) {
    if (view.factor == 1.0) {
        GdiSurface surface(dc, program.pens);
        DrawWindowContent(surface, program.state.drawing, program.state.station, view.area);
        return;
    }
    const int mode = SetGraphicsMode(dc, GM_ADVANCED);
    const auto factor = static_cast<FLOAT>(view.factor);
    const XFORM enlarge = {factor, 0.0f, 0.0f, factor, 0.0f, 0.0f};
    SetWorldTransform(dc, &enlarge);
    {
        // A dotted pen wider than a pixel would draw solid: the enlarged
        // picture's dotted line stays one pixel wide.
        GdiPens pens = program.pens;
        pens.dotted = program.hairline_dotted_pen;
        GdiSurface surface(dc, pens, SurfaceUnits::scaled);
        DrawWindowContent(surface, program.state.drawing, program.state.station, view.area);
    }
    ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    SetGraphicsMode(dc, mode);
}

void OnPaint(ProgramContext& program, HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    // The whole picture at every paint, whatever the update region.
    if (dc) DrawEnlarged(program, dc, MeasureDiagramRect(program));
    EndPaint(window, &paint);
}

void OnLeftClick(ProgramContext& program, LPARAM lparam) {
    Win32Shell shell(program);
    const WindowView view{program.view_factor, program.state.diagram_rect};
    DiagramLeftClick(program.state, shell, ViewUnits(view, HIWORD(lparam)));
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
