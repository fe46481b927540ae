// The end-to-end test driver: a small Win32 program that finds the windows
// of a running Varnok32.exe and sends them messages, so the tests need no
// synthetic key presses or mouse moves. One step per run:
//
//   wait-window PREFIX MS     wait for a visible top-level window whose
//                             caption starts with PREFIX; print the caption
//   wait-gone PREFIX MS       wait until no such window is left
//   main-caption              caption of the main window (CLIMATEWINDOW)
//   acp                       the ANSI code page Wine gives this locale
//   status                    what the status bar shows: the text of part 0,
//                             or in simple mode (menu help) the simple text
//   diagram-size              client size of the diagram window: "W H"
//   window-size               outer size of the main window: "W H"
//   diagram-origin            screen position of the diagram window's
//                             client area: "X Y"
//   font-metrics              the program's start font (Arial bold 10 pt at
//                             the screen's dots per inch) measured on the
//                             screen: "CHAR-WIDTH LINE-HEIGHT"
//   size-diagram W H          resize the main window so the diagram window
//                             is W x H
//   gdi-objects               the program's count of live GDI objects
//   paint-time [N]            invalidate and paint the diagram window N
//                             times (50); print the median in ms
//   command ID                post WM_COMMAND ID to the main window (for
//                             commands that open a modal dialog)
//   send-command ID           send it and wait until it has been handled
//   type TEXT                 post one WM_CHAR per byte, then wait until
//                             the main window has handled them
//   texts PREFIX              the static texts of that window, one a line
//   texts-utf8 PREFIX         the same in UTF-8
//   press PREFIX ID           post WM_COMMAND ID (IDOK 1, IDCANCEL 2) to it
//   file-dialog PREFIX NAME   in that file dialog, enter NAME (a path in any
//                             script) and press OK
//   click X Y                 left click in the diagram window at (X, Y)
//   right-click X Y           right click there (the popup menu opens; the
//                             step returns at once)
//   popup-shown               exit 0 when a popup menu is open
//   move-main X Y             move the main window's top-left corner
//   open-menu LETTER          open the menu bar's menu of that mnemonic
//                             (as Alt+LETTER does) and return at once
//   button-centre ID          screen position of the toolbar button of a
//                             command: "X Y" (for a mouse moved there)
//   tooltip                   the text of the tooltip that is shown
//   toolbar-count             number of entries on the toolbar
//   toolbar-delete INDEX      remove the toolbar entry at INDEX
//   toolbar-customise         open the toolbar's customisation dialog
//   press-text PREFIX TEXT    click the button captioned TEXT in that window
//   key NAME                  post a key press (down, up, escape, return)
//                             to the main window: an open menu takes it
//   soak SEED COUNT DIR [MS]  COUNT random actions of that seed, files in
//                             DIR, each answered within MS (2000); see
//                             tests/e2e/driver/soak.cpp
//   version FILE              the version resource of an executable as
//                             Explorer reads it: "FILEVERSION a.b.c.d" and
//                             "PRODUCTVERSION a.b.c.d", then NAME=VALUE for
//                             each string of its first translation
//
// Exit code 0 on success, 1 when a window is not found in time, 2 on bad
// arguments. Output is Windows-1252 text, one value a line.
#include <windows.h>

#include <winver.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

#include "dialog_steps.h"
#include "soak.h"
#include "resources/resource_ids.h"

std::wstring WideArgument(int index) {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring word = words && index < count ? words[index] : L"";
    LocalFree(words);
    return word;
}

// The first visible top-level window whose caption begins with prefix.
namespace {

struct Search {
    const char* prefix;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM lparam) {
    auto* search = reinterpret_cast<Search*>(lparam);
    if (!IsWindowVisible(window)) return TRUE;
    char caption[512] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (std::strncmp(caption, search->prefix, std::strlen(search->prefix)) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindByCaption(const char* prefix) {
    Search search = {prefix, nullptr};
    EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {

constexpr int kDiagramWindowId = DIAGRAM_WINDOW_ID;
constexpr int kStatusBarId = STATUSBAR_ID;
constexpr int kToolbarId = TOOLBAR_ID;
constexpr int kFileNameCombo = 0x47c;  // cmb13: the file name box of the Explorer dialog
constexpr int kFileNameEdit = 0x480;   // edt1: the same in the older dialog
constexpr UINT kSendTimeoutMs = 20000;

HWND WaitByCaption(const char* prefix, DWORD timeout_ms) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = FindByCaption(prefix)) return window;
        if (GetTickCount() - start > timeout_ms) return nullptr;
        Sleep(100);
    }
}

HWND MainWindow() { return FindWindowA("CLIMATEWINDOW", nullptr); }

std::string Caption(HWND window) {
    char text[512] = {};
    // WM_GETTEXT is carried across processes; SB_GETTEXT would not be.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, nullptr);
    return text;
}

bool Synchronise(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

// Messages that fill a buffer of the caller (SB_GETTEXTA, TB_GETRECT) need
// that buffer in the program's own address space: a scratch page is made
// there, the message sent with its address, and the page read back.
constexpr SIZE_T kRemoteSize = 4096;

bool SendWithRemoteBuffer(HWND window, UINT message, WPARAM wparam, char (&local)[kRemoteSize]) {
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id);
    if (!process) return false;
    void* remote = VirtualAllocEx(process, nullptr, kRemoteSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    bool ok = false;
    if (remote) {
        DWORD_PTR result = 0;
        ok = SendMessageTimeoutA(window, message, wparam, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG,
                                 kSendTimeoutMs, &result) &&
             ReadProcessMemory(process, remote, local, kRemoteSize, nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return ok;
}

bool StatusBarText(HWND status, std::string& text) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(status, SB_GETTEXTLENGTHA, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length) ||
        LOWORD(length) >= kRemoteSize) {
        return false;
    }
    char local[kRemoteSize] = {};
    if (!SendWithRemoteBuffer(status, SB_GETTEXTA, 0, local)) return false;
    local[kRemoteSize - 1] = '\0';
    text = local;
    return true;
}

// The centre of a toolbar button in screen coordinates.
bool ButtonCentre(HWND toolbar, int command, POINT& centre) {
    char local[kRemoteSize] = {};
    if (!SendWithRemoteBuffer(toolbar, TB_GETRECT, static_cast<WPARAM>(command), local)) return false;
    RECT rect;
    std::memcpy(&rect, local, sizeof rect);
    if (rect.right <= rect.left) return false;
    centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return ClientToScreen(toolbar, &centre) != FALSE;
}

struct ButtonSearch {
    const char* text;
    HWND found;
};

BOOL CALLBACK MatchButtonText(HWND window, LPARAM lparam) {
    auto* search = reinterpret_cast<ButtonSearch*>(lparam);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (std::strcmp(text, search->text) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FindTooltip(HWND window, LPARAM lparam) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(lparam) = window;
    return FALSE;
}

int Fail(const char* what) {
    std::fprintf(stderr, "driver: %s\n", what);
    return 1;
}

int PrintStartFontMetrics() {
    HDC screen = GetDC(nullptr);
    if (!screen) return Fail("no screen context");
    LOGFONTA lf = {};
    lf.lfHeight = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
    lf.lfWeight = FW_BOLD;
    lstrcpyA(lf.lfFaceName, "Arial");
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICA tm = {};
    GetTextMetricsA(screen, &tm);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    std::printf("%ld %ld\n", static_cast<long>(tm.tmAveCharWidth),
                static_cast<long>(tm.tmHeight + tm.tmExternalLeading));
    return 0;
}

int PrintSize(HWND window, bool client) {
    if (!window) return Fail("window not found");
    RECT rect = {};
    if (client) {
        GetClientRect(window, &rect);
    } else {
        GetWindowRect(window, &rect);
    }
    std::printf("%ld %ld\n", static_cast<long>(rect.right - rect.left), static_cast<long>(rect.bottom - rect.top));
    return 0;
}

int PrintClientOrigin(HWND window) {
    if (!window) return Fail("window not found");
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    std::printf("%ld %ld\n", static_cast<long>(origin.x), static_cast<long>(origin.y));
    return 0;
}

BOOL CALLBACK PrintStatic(HWND window, LPARAM) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0) {
        std::string text = Caption(window);
        if (!text.empty()) std::printf("%s\n", text.c_str());
    }
    return TRUE;
}

BOOL CALLBACK PrintStaticUtf8(HWND window, LPARAM) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, L"Static") != 0) return TRUE;
    wchar_t text[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                        nullptr);
    char utf8[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    if (utf8[0]) std::printf("%s\n", utf8);
    return TRUE;
}

int FileDialog(const char* prefix, const std::wstring& name, DWORD timeout_ms) {
    HWND dialog = WaitByCaption(prefix, timeout_ms);
    if (!dialog) return Fail("file dialog not found");
    HWND box = GetDlgItem(dialog, kFileNameCombo);
    if (!box) box = GetDlgItem(dialog, kFileNameEdit);
    if (!box) return Fail("file name box not found");
    SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                        nullptr);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return 0;
}

// The fixed and the string parts of a version resource, read with the
// functions Explorer's Details page uses.
int PrintVersion(const char* file) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(file, &ignored);
    if (size == 0) return Fail("no version resource");
    std::string data(size, '\0');
    if (!GetFileVersionInfoA(file, 0, size, &data[0])) return Fail("version resource not readable");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed) {
        return Fail("no fixed version part");
    }
    auto print_version = [](const char* label, DWORD high, DWORD low) {
        std::printf("%s %u.%u.%u.%u\n", label, static_cast<unsigned>(HIWORD(high)), static_cast<unsigned>(LOWORD(high)),
                    static_cast<unsigned>(HIWORD(low)), static_cast<unsigned>(LOWORD(low)));
    };
    print_version("FILEVERSION", fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    print_version("PRODUCTVERSION", fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    WORD* translation = nullptr;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                        &length) ||
        length < 4) {
        return Fail("no translation");
    }
    const char* names[] = {"CompanyName", "FileDescription", "FileVersion", "InternalName",
                           "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"};
    for (const char* name : names) {
        char query[128];
        std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", translation[0], translation[1],
                      name);
        char* value = nullptr;
        if (VerQueryValueA(data.data(), query, reinterpret_cast<void**>(&value), &length) && value) {
            std::printf("%s=%s\n", name, value);
        }
    }
    return 0;
}

int Run(int argc, char** argv) {
    if (argc < 2) return 2;
    std::string step = argv[1];
    auto arg = [&](int i) -> const char* { return i < argc ? argv[i] : nullptr; };
    auto number = [&](int i) { return arg(i) ? std::strtol(arg(i), nullptr, 10) : 0L; };

    if (step == "wait-window" && arg(2)) {
        HWND window = WaitByCaption(arg(2), static_cast<DWORD>(number(3)));
        if (!window) return Fail("window did not appear");
        std::printf("%s\n", Caption(window).c_str());
        return 0;
    }
    if (step == "wait-gone" && arg(2)) {
        DWORD start = GetTickCount();
        while (FindByCaption(arg(2))) {
            if (GetTickCount() - start > static_cast<DWORD>(number(3))) return Fail("window did not go away");
            Sleep(100);
        }
        return 0;
    }
    if (step == "file-dialog" && arg(3)) return FileDialog(arg(2), WideArgument(3), 20000);
    if (step == "version" && arg(2)) return PrintVersion(arg(2));
    if (step == "acp") return std::printf("%u\n", GetACP()) < 0;
    if (step == "font-metrics") return PrintStartFontMetrics();
    if ((step == "texts" || step == "texts-utf8") && arg(2)) {
        HWND window = FindByCaption(arg(2));
        if (!window) return Fail("window not found");
        EnumChildWindows(window, step == "texts" ? PrintStatic : PrintStaticUtf8, 0);
        return 0;
    }
    if (step == "press-text" && arg(3)) {
        HWND window = FindByCaption(arg(2));
        if (!window) return Fail("window not found");
        ButtonSearch search = {arg(3), nullptr};
        EnumChildWindows(window, MatchButtonText, reinterpret_cast<LPARAM>(&search));
        if (!search.found) return Fail("button not found");
        PostMessageA(search.found, BM_CLICK, 0, 0);
        return 0;
    }
    if (step == "press" && arg(3)) {
        HWND window = FindByCaption(arg(2));
        if (!window) return Fail("window not found");
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(number(3), BN_CLICKED), 0);
        return 0;
    }

    HWND main = MainWindow();
    if (!main) return Fail("main window not found");
    if (step == "gdi-objects") {
        DWORD_PTR count = 0;
        if (!SendMessageTimeoutA(main, WM_APP + 0x31, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count)) {
            return Fail("the main window did not answer");
        }
        std::printf("%lu\n", static_cast<unsigned long>(count));
        return 0;
    }
    if (step == "main-caption") {
        std::printf("%s\n", Caption(main).c_str());
        return 0;
    }
    if (step == "status") {
        HWND status = GetDlgItem(main, kStatusBarId);
        if (!status) return Fail("status bar not found");
        std::string text;
        if (!StatusBarText(status, text)) text = Caption(status);
        std::printf("%s\n", text.c_str());
        return 0;
    }
    if (step == "diagram-size") return PrintSize(GetDlgItem(main, kDiagramWindowId), true);
    if (step == "window-size") return PrintSize(main, false);
    if (step == "diagram-origin") return PrintClientOrigin(GetDlgItem(main, kDiagramWindowId));
    if (step == "command" && arg(2)) {
        PostMessageA(main, WM_COMMAND, static_cast<WPARAM>(number(2)), 0);
        return 0;
    }
    if (step == "send-command" && arg(2)) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(main, WM_COMMAND, static_cast<WPARAM>(number(2)), 0, SMTO_ABORTIFHUNG,
                                 kSendTimeoutMs, &result)) {
            return Fail("command not handled in time");
        }
        return 0;
    }
    if (step == "type" && arg(2)) {
        for (const char* c = arg(2); *c; ++c) {
            PostMessageA(main, WM_CHAR, static_cast<unsigned char>(*c), 1);
        }
        return 0;
    }
    if (step == "tooltip") {
        HWND tooltip = nullptr;
        EnumWindows(FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
        if (!tooltip) return Fail("no tooltip shown");
        std::printf("%s\n", Caption(tooltip).c_str());
        return 0;
    }
    if (step == "toolbar-count" || step == "toolbar-delete" || step == "toolbar-customise") {
        HWND toolbar = GetDlgItem(main, kToolbarId);
        if (!toolbar) return Fail("toolbar not found");
        if (step == "toolbar-customise") {
            PostMessageA(toolbar, TB_CUSTOMIZE, 0, 0);  // a modal dialog: not waited for
            return 0;
        }
        DWORD_PTR result = 0;
        UINT message = step == "toolbar-count" ? TB_BUTTONCOUNT : TB_DELETEBUTTON;
        if (!SendMessageTimeoutA(toolbar, message, static_cast<WPARAM>(number(2)), 0, SMTO_ABORTIFHUNG,
                                 kSendTimeoutMs, &result)) {
            return Fail("toolbar did not answer");
        }
        if (step == "toolbar-count") std::printf("%lu\n", static_cast<unsigned long>(result));
        return 0;
    }
    if (step == "button-centre" && arg(2)) {
        POINT centre;
        if (!ButtonCentre(GetDlgItem(main, kToolbarId), static_cast<int>(number(2)), centre)) {
            return Fail("toolbar button not found");
        }
        std::printf("%ld %ld\n", static_cast<long>(centre.x), static_cast<long>(centre.y));
        return 0;
    }
    if (step == "move-main" && arg(3)) {
        SetWindowPos(main, nullptr, static_cast<int>(number(2)), static_cast<int>(number(3)), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return Synchronise(main) ? 0 : Fail("the main window did not answer");
    }
    if (step == "open-menu" && arg(2)) {
        PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, static_cast<unsigned char>(arg(2)[0]));
        return 0;
    }
    if (step == "key" && arg(2)) {
        std::string name = arg(2);
        WPARAM key = name == "down" ? VK_DOWN : name == "up" ? VK_UP : name == "escape" ? VK_ESCAPE
                   : name == "return" ? VK_RETURN : 0;
        if (!key) return 2;
        // An open menu runs its own loop on the program's thread; a posted
        // key press reaches it there.
        PostMessageA(main, WM_KEYDOWN, key, 1);
        PostMessageA(main, WM_KEYUP, key, 1 | (3u << 30));
        return 0;
    }
    if (step == "right-click" && arg(3)) {
        HWND diagram = GetDlgItem(main, kDiagramWindowId);
        if (!diagram) return Fail("diagram window not found");
        PostMessageA(diagram, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(number(2), number(3)));
        return 0;
    }
    if (step == "popup-shown") {
        HWND popup = FindWindowA("#32768", nullptr);  // the class of menu windows
        return popup && IsWindowVisible(popup) ? 0 : 1;
    }
    if (step == "size-diagram" && arg(3)) {
        // The main window resized so that the diagram window's client area is W x H.
        HWND diagram = GetDlgItem(main, kDiagramWindowId);
        if (!diagram) return Fail("diagram window not found");
        RECT outer = {}, client = {};
        GetWindowRect(main, &outer);
        GetClientRect(diagram, &client);
        int width = static_cast<int>(outer.right - outer.left + number(2) - client.right);
        int height = static_cast<int>(outer.bottom - outer.top + number(3) - client.bottom);
        SetWindowPos(main, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return Synchronise(main) ? 0 : Fail("the main window did not answer");
    }
    if (step == "paint-time") {
        // The diagram window invalidated and painted N times (default 50);
        // prints the median paint in milliseconds.
        HWND diagram = GetDlgItem(main, kDiagramWindowId);
        if (!diagram) return Fail("diagram window not found");
        int runs = arg(2) ? static_cast<int>(number(2)) : 50;
        if (runs < 1 || runs > 10000) return Fail("paint-time wants 1 to 10000 runs");
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) {
            InvalidateRect(diagram, nullptr, TRUE);
            LARGE_INTEGER start, end;
            QueryPerformanceCounter(&start);
            SendMessageTimeoutA(diagram, WM_PAINT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr);
            QueryPerformanceCounter(&end);
            ms.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                         static_cast<double>(frequency.QuadPart));
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%.3f\n", ms[ms.size() / 2]);
        return 0;
    }
    if (step == "click" && arg(3)) {
        HWND diagram = GetDlgItem(main, kDiagramWindowId);
        if (!diagram) return Fail("diagram window not found");
        PostMessageA(diagram, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(number(2), number(3)));
        return Synchronise(diagram) ? 0 : Fail("click not handled in time");
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int code = RunDialogStep(argc, argv);  // the dialogs' own steps
    if (code < 0) code = RunSoak(argc, argv);
    if (code < 0) code = Run(argc, argv);
    if (code == 2) std::fprintf(stderr, "driver: unknown step or missing argument\n");
    std::fflush(stdout);
    return code;
}
