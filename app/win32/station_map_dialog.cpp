#include "app/win32/station_map_dialog.h"

#include <windowsx.h>

#include "app/logic/map_dialog.h"
#include "app/win32/gdi_objects.h"
#include "app/win32/text_conversion.h"
#include "resources/dialog_ids.h"

const char kMapFirstPaintProperty[] = "VarnokMapFirstPaintUs";

namespace {

const wchar_t kMapViewClass[] = L"VarnokStationMap";

// Sizes in pixels at 96 DPI.
constexpr int kClientWidth = 800;
constexpr int kClientHeight = 450;
constexpr int kMinWidth = 400;
constexpr int kMinHeight = 240;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;

struct MapWindow {
    StationMapDialogContext* context = nullptr;
    HWND dialog = nullptr;
    HWND view = nullptr;
    StationMap map;
    MapDialogState state;
    int dpi = 96;
    int wheel_rest = 0;  // a high-resolution wheel's turn short of a notch
    bool painted = false;
    // The picture is painted into `picture` and copied to the window in one
    // piece, so a repaint never flickers. The sea and the land are kept in
    // `land` for the view they were drawn for: while only the dots, the
    // ring or the line change, a paint copies them instead of filling the
    // coastlines again.
    struct Bitmap {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ old_bitmap = nullptr;
        int width = 0;
        int height = 0;
    };
    Bitmap picture;
    Bitmap land;
    MapView land_view;
    bool land_drawn = false;
    bool closing = false;  // EndDialog called: the bitmaps are gone, nothing is painted
};

int Scaled(const MapWindow& w, int pixels) { return MulDiv(pixels, w.dpi, 96); }

MapArea AreaOf(HWND view) {
    RECT r = {};
    GetClientRect(view, &r);
    return MapArea{0, 0, r.right, r.bottom};
}

MapPoint PointOf(LPARAM lparam) { return {double(GET_X_LPARAM(lparam)), double(GET_Y_LPARAM(lparam))}; }

void ShowStatus(MapWindow& w) {
    // Station names and countries: Windows-1252, whatever the ANSI code page.
    SetDlgItemTextW(w.dialog, IDC_MAP_STATUS, WideFrom1252(MapStatusText(w.map, w.state)).c_str());
}

void FreeBitmap(MapWindow::Bitmap& b) {
    if (!b.dc) return;
    SelectObject(b.dc, b.old_bitmap);
    CountedDelete(b.bitmap);
    DeleteDC(b.dc);
    b.dc = nullptr;
    b.bitmap = nullptr;
}

// True when the bitmap is ready at that size; `made` when it is new.
bool EnsureBitmap(MapWindow::Bitmap& w, HDC dc, int width, int height, bool* made = nullptr) {
    if (made) *made = false;
    if (w.dc && w.width == width && w.height == height) return true;
    if (made) *made = true;
    FreeBitmap(w);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    w.bitmap = CountedCreateDibSection(dc, info, &bits);
    w.dc = CreateCompatibleDC(dc);
    if (!w.bitmap || !w.dc) {
        CountedDelete(w.bitmap);
        if (w.dc) DeleteDC(w.dc);
        w.dc = nullptr;
        w.bitmap = nullptr;
        return false;
    }
    w.old_bitmap = SelectObject(w.dc, w.bitmap);
    w.width = width;
    w.height = height;
    return true;
}

bool SameView(const MapView& a, const MapView& b) {
    return a.zoom == b.zoom && a.centre_lon == b.centre_lon && a.centre_lat == b.centre_lat;
}

void OnPaint(MapWindow& w) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w.view, &ps);
    const MapArea area = AreaOf(w.view);
    bool new_land = false;
    if (!w.closing && area.width > 0 && area.height > 0 && EnsureBitmap(w.picture, dc, area.width, area.height) &&
        EnsureBitmap(w.land, dc, area.width, area.height, &new_land)) {
        MapDrawing drawing = StationMapDrawing(w.map, area, w.state.view);
        drawing.picked = w.state.picked;
        drawing.dot_radius = Scaled(w, kMapDotRadius);
        if (new_land || !w.land_drawn || !SameView(w.land_view, w.state.view)) {
            GdiSurface land(w.land.dc, *w.context->pens);
            DrawMapLand(land, drawing);
            w.land_view = w.state.view;
            w.land_drawn = true;
        }
        BitBlt(w.picture.dc, 0, 0, area.width, area.height, w.land.dc, 0, 0, SRCCOPY);
        {
            GdiSurface surface(w.picture.dc, *w.context->pens);
            DrawMapStations(surface, drawing);
        }
        BitBlt(dc, 0, 0, area.width, area.height, w.picture.dc, 0, 0, SRCCOPY);
    }
    EndPaint(w.view, &ps);
    if (!w.painted && w.context->command_start != 0) {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        const long long us = (now.QuadPart - w.context->command_start) * 1000000 / frequency.QuadPart;
        SetPropA(w.dialog, kMapFirstPaintProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(us)));
    }
    w.painted = true;
}

// After a change: the map repainted when its picture changed, the line
// under it always.
void Changed(MapWindow& w, const MapView& before, std::int64_t picked_before) {
    if (!SameView(w.state.view, before) || w.state.picked != picked_before) {
        InvalidateRect(w.view, nullptr, FALSE);
    }
    ShowStatus(w);
}

bool KeyOf(WPARAM key, MapKey& out) {
    switch (key) {
        case VK_ADD: case VK_OEM_PLUS: out = MapKey::zoom_in; return true;
        case VK_SUBTRACT: case VK_OEM_MINUS: out = MapKey::zoom_out; return true;
        case VK_LEFT: out = MapKey::left; return true;
        case VK_RIGHT: out = MapKey::right; return true;
        case VK_UP: out = MapKey::up; return true;
        case VK_DOWN: out = MapKey::down; return true;
        case VK_HOME: out = MapKey::home; return true;
    }
    return false;
}

void OnDoubleClick(MapWindow& w, MapPoint at) {
    const std::int64_t nearest = w.map.grid.Nearest(AreaOf(w.view), w.state.view, at, kPickRadius);
    if (nearest < 0) return;
    w.state.picked = nearest;
    InvalidateRect(w.view, nullptr, FALSE);
    SendMessageA(w.dialog, WM_COMMAND, IDOK, 0);
}

void OnWheel(MapWindow& w, WPARAM wparam, LPARAM lparam) {
    POINT p = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};  // screen coordinates
    ScreenToClient(w.view, &p);
    w.wheel_rest += GET_WHEEL_DELTA_WPARAM(wparam);
    const int notches = w.wheel_rest / WHEEL_DELTA;
    w.wheel_rest -= notches * WHEEL_DELTA;
    const MapView before = w.state.view;
    const MapPoint at{double(p.x), double(p.y)};
    MapWheel(w.state, AreaOf(w.view), at, notches * WHEEL_DELTA);
    // The station now under the cursor.
    MapMouseMove(w.state, w.map, AreaOf(w.view), at);
    Changed(w, before, w.state.picked);
}

LRESULT CALLBACK MapViewProc(HWND view, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* w = reinterpret_cast<MapWindow*>(GetWindowLongPtrW(view, GWLP_USERDATA));
    if (!w) return DefWindowProcW(view, message, wparam, lparam);
    const MapView before = w->state.view;
    const std::int64_t picked_before = w->state.picked;
    switch (message) {
        case WM_PAINT:
            OnPaint(*w);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_LBUTTONDOWN:
            SetFocus(view);
            SetCapture(view);
            MapButtonDown(w->state, PointOf(lparam));
            return 0;
        case WM_MOUSEMOVE: {
            // A leave message when the mouse goes: the line stops naming the
            // station it was over.
            TRACKMOUSEEVENT leave = {sizeof leave, TME_LEAVE, view, 0};
            TrackMouseEvent(&leave);
            if (MapMouseMove(w->state, w->map, AreaOf(view), PointOf(lparam))) Changed(*w, before, picked_before);
            return 0;
        }
        case WM_MOUSELEAVE:
            if (w->state.hovered >= 0 && !w->state.pressed) {
                w->state.hovered = -1;
                ShowStatus(*w);
            }
            return 0;
        case WM_SETCURSOR:
            // A hand over a station that a click would pick.
            if (LOWORD(lparam) == HTCLIENT && w->state.hovered >= 0) {
                SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
                return TRUE;
            }
            break;
        case WM_LBUTTONUP:
            if (GetCapture() == view) ReleaseCapture();
            MapButtonUp(w->state, w->map, AreaOf(view), PointOf(lparam));
            Changed(*w, before, picked_before);
            return 0;
        case WM_LBUTTONDBLCLK:
            OnDoubleClick(*w, PointOf(lparam));
            return 0;
        case WM_MOUSEWHEEL:
            OnWheel(*w, wparam, lparam);
            return 0;
        case WM_KEYDOWN: {
            MapKey key;
            if (KeyOf(wparam, key)) {
                MapKeyPressed(w->state, AreaOf(view), key);
                Changed(*w, before, picked_before);
                return 0;
            }
            break;
        }
        case WM_SIZE:
            InvalidateRect(view, nullptr, FALSE);
            return 0;
    }
    return DefWindowProcW(view, message, wparam, lparam);
}

void RegisterMapView(HINSTANCE instance) {
    WNDCLASSEXW c = {};
    c.cbSize = sizeof c;
    if (GetClassInfoExW(instance, kMapViewClass, &c)) return;
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = MapViewProc;
    c.hInstance = instance;
    c.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    c.lpszClassName = kMapViewClass;
    RegisterClassExW(&c);
}

// The map above, the line and the buttons in one row below it.
void Layout(MapWindow& w) {
    RECT r = {};
    GetClientRect(w.dialog, &r);
    const int m = Scaled(w, kMargin);
    const int bw = Scaled(w, kButtonWidth);
    const int bh = Scaled(w, kButtonHeight);
    const int row_top = r.bottom - m - bh;
    MoveWindow(w.view, 0, 0, r.right, row_top - m > 0 ? row_top - m : 0, TRUE);
    MoveWindow(GetDlgItem(w.dialog, IDCANCEL), r.right - m - bw, row_top, bw, bh, TRUE);
    MoveWindow(GetDlgItem(w.dialog, IDOK), r.right - 2 * (m + bw), row_top, bw, bh, TRUE);
    const int status_width = r.right - 3 * m - 2 * (m + bw);
    MoveWindow(GetDlgItem(w.dialog, IDC_MAP_STATUS), m, row_top + Scaled(w, 4), status_width > 0 ? status_width : 0,
               bh - Scaled(w, 4), TRUE);
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    HMODULE user = GetModuleHandleA("user32.dll");
    auto get = user ? reinterpret_cast<GetDpiForWindowFn>(
                          reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")))
                    : nullptr;
    if (get) {
        const UINT dpi = get(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// The client area of 800 x 450 at 96 DPI, centred on the owner.
void SizeDialog(MapWindow& w) {
    RECT r = {0, 0, Scaled(w, kClientWidth), Scaled(w, kClientHeight)};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(w.dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(w.dialog, GWL_EXSTYLE)));
    const int width = r.right - r.left, height = r.bottom - r.top;
    RECT owner = {};
    HWND parent = GetWindow(w.dialog, GW_OWNER);
    if (!parent || !GetWindowRect(parent, &owner)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &owner, 0);
    int x = (owner.left + owner.right - width) / 2, y = (owner.top + owner.bottom - height) / 2;
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (x + width > work.right) x = work.right - width;
    if (y + height > work.bottom) y = work.bottom - height;
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    SetWindowPos(w.dialog, nullptr, x, y, width, height, SWP_NOZORDER);
}

void OnInit(HWND dialog, MapWindow& w) {
    w.dialog = dialog;
    w.view = GetDlgItem(dialog, IDC_MAP_VIEW);
    w.dpi = WindowDpi(dialog);
    w.map = LoadStationMap(w.context->db_dir);
    SetWindowLongPtrW(w.view, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&w));
    SizeDialog(w);
    Layout(w);
    ShowStatus(w);
    SetFocus(w.view);
}

// The bitmaps go as the dialog ends, not when its loop has returned: the
// loop may go on handling sent messages for a while (the object count the
// end-to-end tests read among them).
void Close(MapWindow& w, int result) {
    w.closing = true;
    FreeBitmap(w.picture);
    FreeBitmap(w.land);
    RemovePropA(w.dialog, kMapFirstPaintProperty);
    EndDialog(w.dialog, result);
}

INT_PTR CALLBACK StationMapDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        OnInit(dialog, *reinterpret_cast<MapWindow*>(lparam));
        return FALSE;  // the focus is on the map
    }
    auto* w = reinterpret_cast<MapWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!w) return FALSE;
    switch (message) {
        case WM_SIZE:
            Layout(*w);
            return TRUE;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
            info->ptMinTrackSize.x = Scaled(*w, kMinWidth);
            info->ptMinTrackSize.y = Scaled(*w, kMinHeight);
            return TRUE;
        }
        case WM_MOUSEWHEEL:
            // The wheel goes to the focus; over the map it zooms the map.
            SendMessageW(w->view, message, wparam, lparam);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) {
                w->context->pick_text = MapPickText(w->map, w->state);
                if (w->context->pick_text.empty()) {
                    SetDlgItemTextW(dialog, IDC_MAP_STATUS, L"Pick a station on the map first.");
                    return TRUE;
                }
                Close(*w, IDOK);
                return TRUE;
            }
            if (LOWORD(wparam) == IDCANCEL) {
                w->context->pick_text.clear();
                Close(*w, IDCANCEL);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

bool RunStationMapDialog(HINSTANCE instance, HWND owner, StationMapDialogContext& context) {
    RegisterMapView(instance);
    MapWindow window;
    window.context = &context;
    context.pick_text.clear();
    const INT_PTR result =
        DialogBoxParamW(instance, L"STATIONMAP", owner, StationMapDialog, reinterpret_cast<LPARAM>(&window));
    FreeBitmap(window.picture);
    FreeBitmap(window.land);
    return result != -1;
}
