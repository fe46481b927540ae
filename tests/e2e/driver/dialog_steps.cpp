// Driver steps for the program's own dialogs (the station search and the
// manual entry) and for the clipboard. Controls are addressed by the
// caption prefix of their dialog and their control id; every step that
// changes a control waits until the dialog has handled it, so the next
// step sees its effect.
//
//   set-text PREFIX ID TEXT     put TEXT into the control (any script)
//   get-text PREFIX ID          print the control's text
//   list-items PREFIX ID        print the items of a list box, one a line
//   list-select PREFIX ID TEXT  select the first item beginning with TEXT
//                               and notify the dialog (LBN_SELCHANGE)
//   list-open PREFIX ID TEXT    the same, then a double click (LBN_DBLCLK)
//   click-button PREFIX ID      click a button (BM_CLICK) and wait
//   checked PREFIX ID           print 1 when the button is checked, else 0
//   enabled PREFIX ID           print 1 when the control can be used, else 0
//   clipboard-emf FILE          write the clipboard's enhanced metafile to FILE
//   clipboard-text FILE         write the clipboard's Unicode text to FILE as UTF-8
//   hold-clipboard MS           keep the clipboard open for MS milliseconds,
//                               so that the program cannot open it
//   map-area PREFIX             the map's client size in the map dialog: "W H"
//   map-click PREFIX X Y        move there, press and release the left button
//   map-double-click PREFIX X Y the same twice, the second as a double click
//   map-wheel PREFIX X Y DELTA  turn the wheel over (X, Y) of the map
//   map-size PREFIX W H         size the dialog so that the map is W x H
//   map-paint-time PREFIX [N]   invalidate and paint the map N times (50);
//                               print the median in ms
//   map-pan-paint-time PREFIX [N] the same, each paint after an arrow key
//                               moved the map (zoomed in once first), so
//                               the land is drawn anew each time
//   map-first-paint PREFIX      ms from the command to the end of the first
//                               paint, as the dialog measured it
#include "dialog_steps.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resources/dialog_ids.h"

namespace {

constexpr UINT kTimeoutMs = 20000;

HWND Control(const char* prefix, const char* id) {
    HWND window = FindByCaption(prefix);
    return window ? GetDlgItem(window, std::atoi(id)) : nullptr;
}

LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

std::string Text(HWND control) {
    char text[512] = {};
    Send(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// The items through the wide message: Wine carries LB_GETTEXT across
// processes as UTF-16, so the A message would return only the first letter.
int ListItems(HWND list) {
    LRESULT count = Send(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t item[512] = {};
        if (Send(list, LB_GETTEXTLEN, i, 0) >= 512) return 1;
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item), SMTO_ABORTIFHUNG, kTimeoutMs, &ignored);
        char text[1024] = {};
        WideCharToMultiByte(1252, 0, item, -1, text, sizeof text, nullptr, nullptr);
        std::printf("%s\n", text);
    }
    return 0;
}

// Selects as a user's click would and tells the dialog, synchronously.
// TEXT in any script (the driver's command line as given).
int ListSelect(HWND list, const std::wstring& text, bool open) {
    DWORD_PTR found = 0;
    SendMessageTimeoutW(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, kTimeoutMs, &found);
    if (static_cast<LRESULT>(found) == LB_ERR) {
        std::fprintf(stderr, "driver: no list item begins with the text given\n");
        return 1;
    }
    HWND dialog = GetParent(list);
    WPARAM id = static_cast<WPARAM>(GetDlgCtrlID(list));
    Send(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    if (open) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    return 0;
}

// 0 when the bytes are all written.
int WriteFile(const char* path, const void* bytes, std::size_t size) {
    FILE* file = std::fopen(path, "wb");
    if (!file) return 1;
    bool written = std::fwrite(bytes, 1, size, file) == size;
    return std::fclose(file) == 0 && written ? 0 : 1;
}

int ClipboardMetafile(const char* path) {
    if (!OpenClipboard(nullptr)) {
        std::fprintf(stderr, "driver: clipboard cannot be opened\n");
        return 1;
    }
    HENHMETAFILE metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    std::vector<BYTE> bits(metafile ? GetEnhMetaFileBits(metafile, 0, nullptr) : 0);
    if (!bits.empty()) GetEnhMetaFileBits(metafile, static_cast<UINT>(bits.size()), bits.data());
    CloseClipboard();
    if (bits.empty()) {
        std::fprintf(stderr, "driver: no enhanced metafile on the clipboard\n");
        return 1;
    }
    return WriteFile(path, bits.data(), bits.size());
}

int ClipboardText(const char* path) {
    if (!OpenClipboard(nullptr)) {
        std::fprintf(stderr, "driver: clipboard cannot be opened\n");
        return 1;
    }
    std::string utf8;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(memory))) {
            const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
            utf8.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
            if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], n, nullptr, nullptr);
            if (!utf8.empty()) utf8.pop_back();  // the terminating zero
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    if (utf8.empty()) {
        std::fprintf(stderr, "driver: no Unicode text on the clipboard\n");
        return 1;
    }
    return WriteFile(path, utf8.data(), utf8.size());
}

int HoldClipboard(DWORD ms) {
    if (!OpenClipboard(nullptr)) return 1;
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(ms);
    CloseClipboard();
    return 0;
}

}  // namespace

namespace {

// The map dialog's steps: the mouse as messages to the map window, each
// handled before the step returns.
int MapStep(const std::string& step, HWND dialog, int argc, char** argv) {
    HWND map = GetDlgItem(dialog, IDC_MAP_VIEW);
    if (!map) return 1;
    auto value = [&](int i) { return i < argc ? std::atoi(argv[i]) : 0; };
    const LPARAM at = MAKELPARAM(value(3), value(4));
    if (step == "map-area") {
        RECT r = {};
        GetClientRect(map, &r);
        return std::printf("%ld %ld\n", static_cast<long>(r.right), static_cast<long>(r.bottom)) < 0;
    }
    if (step == "map-first-paint") {
        const auto us = reinterpret_cast<INT_PTR>(GetPropA(dialog, "VarnokMapFirstPaintUs"));
        return std::printf("%.3f\n", static_cast<double>(us) / 1000.0) < 0;
    }
    if (step == "map-paint-time" || step == "map-pan-paint-time") {
        const bool pan = step == "map-pan-paint-time";
        const int runs = argc > 3 ? value(3) : 50;
        if (runs < 1 || runs > 10000) return 2;
        if (pan) Send(map, WM_KEYDOWN, VK_ADD, 0);
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) {
            if (pan) Send(map, WM_KEYDOWN, i % 2 ? VK_LEFT : VK_RIGHT, 0);
            InvalidateRect(map, nullptr, FALSE);
            LARGE_INTEGER start, end;
            QueryPerformanceCounter(&start);
            Send(map, WM_PAINT, 0, 0);
            QueryPerformanceCounter(&end);
            ms.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                         static_cast<double>(frequency.QuadPart));
        }
        std::sort(ms.begin(), ms.end());
        return std::printf("%.3f\n", ms[ms.size() / 2]) < 0;
    }
    if (argc < 5) return 2;
    if (step == "map-click" || step == "map-double-click") {
        Send(map, WM_MOUSEMOVE, 0, at);
        Send(map, WM_LBUTTONDOWN, MK_LBUTTON, at);
        Send(map, WM_LBUTTONUP, 0, at);
        if (step == "map-double-click") {
            // The double click ends the dialog: posted, and not waited for.
            PostMessageA(map, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            PostMessageA(map, WM_LBUTTONUP, 0, at);
        }
        return 0;
    }
    if (step == "map-size") {
        RECT outer = {}, inner = {};
        GetWindowRect(dialog, &outer);
        GetClientRect(map, &inner);
        const int width = outer.right - outer.left + value(3) - inner.right;
        const int height = outer.bottom - outer.top + value(4) - inner.bottom;
        SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        Send(dialog, WM_NULL, 0, 0);
        return 0;
    }
    if (step == "map-wheel" && argc > 5) {
        POINT p = {value(3), value(4)};
        ClientToScreen(map, &p);
        Send(map, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<short>(value(5))), MAKELPARAM(p.x, p.y));
        return 0;
    }
    return 2;
}

}  // namespace

int RunDialogStep(int argc, char** argv) {
    if (argc < 3) return -1;
    std::string step = argv[1];
    if (step.compare(0, 4, "map-") == 0) {
        HWND dialog = FindByCaption(argv[2]);
        if (!dialog) {
            std::fprintf(stderr, "driver: window '%s' not found\n", argv[2]);
            return 1;
        }
        return MapStep(step, dialog, argc, argv);
    }
    if (step == "clipboard-emf") return ClipboardMetafile(argv[2]);
    if (step == "clipboard-text") return ClipboardText(argv[2]);
    if (step == "hold-clipboard") return HoldClipboard(static_cast<DWORD>(std::atoi(argv[2])));
    if (argc < 4) return -1;
    const bool known = step == "set-text" || step == "get-text" || step == "list-items" || step == "list-select" ||
                       step == "list-open" || step == "click-button" || step == "checked" || step == "enabled";
    if (!known) return -1;
    HWND control = Control(argv[2], argv[3]);
    if (!control) {
        std::fprintf(stderr, "driver: control %s of '%s' not found\n", argv[3], argv[2]);
        return 1;
    }
    if (step == "get-text") return std::printf("%s\n", Text(control).c_str()) < 0;
    if (step == "list-items") return ListItems(control);
    if (step == "enabled") return std::printf("%d\n", IsWindowEnabled(control) ? 1 : 0) < 0;
    if (step == "checked") return std::printf("%d\n", Send(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0) < 0;
    if (step == "click-button") {
        // BM_CLICK sends the notification from inside the dialog's thread;
        // the WM_NULL after it returns once the dialog has handled it.
        PostMessageA(control, BM_CLICK, 0, 0);
        Send(GetParent(control), WM_NULL, 0, 0);
        return 0;
    }
    if (argc < 5) return 2;
    if (step == "set-text") {
        const std::wstring text = WideArgument(4);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                            kTimeoutMs, &result);
        return result ? 0 : 1;
    }
    return ListSelect(control, WideArgument(4), step == "list-open");
}
