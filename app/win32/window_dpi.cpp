#include "app/win32/window_dpi.h"

#include "app/logic/display_scale.h"

namespace {

template <typename Function>
Function SystemFunction(const char* module, const char* name) {
    HMODULE handle = GetModuleHandleA(module);
    return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

int reported_dpi = 0;  // from WM_DPICHANGED; 0 while none came

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : kDefaultDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

int WindowDpi(HWND window) {
    using GetDpi = UINT(WINAPI*)(HWND);
    static const GetDpi get_dpi = SystemFunction<GetDpi>("user32.dll", "GetDpiForWindow");
    if (get_dpi && window) {
        const UINT dpi = get_dpi(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return reported_dpi > 0 ? reported_dpi : ScreenDpi();
}

void NoteReportedDpi(int dpi) { reported_dpi = dpi; }

int ScaleForWindow(HWND window, int units) { return ScaleToDpi(units, WindowDpi(window)); }
