#include "app/win32/main_window.h"

#include "app/logic/commands.h"
#include "app/logic/window_layout.h"
#include "app/win32/bars.h"
#include "app/win32/diagram_window.h"
#include "app/win32/drawing_resources.h"
#include "app/win32/win32_shell.h"
#include "database/data_files.h"
#include "resources/resource_ids.h"

const char kMainWindowClass[] = "CLIMATEWINDOW";

namespace {

// The working directory holds the database: its files are opened by bare name.
const char kDatabaseFolder[] = "";

void DescribeDisplayFontAndMeasure(ShellContext& shell) {
    HDC dc = GetDC(shell.main_window);
    shell.state.drawing.display_font = StartupDisplayFont(GetDeviceCaps(dc, LOGPIXELSY));
    // The context's own font: these values stand until the first paint
    // measures the display font.
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    shell.state.drawing.char_width = tm.tmAveCharWidth;
    shell.state.drawing.line_height = tm.tmHeight + tm.tmExternalLeading;
    ReleaseDC(shell.main_window, dc);
}

LRESULT OnCreate(ShellContext& shell, HWND window) {
    shell.main_window = window;
    SetWindowCreationFlags(shell.state.station.record);
    CreateDiagramWindow(shell);
    DatabaseCheck check = CheckDatabaseFiles(kDatabaseFolder);
    if (!check.ok) {
        MessageBoxA(window, check.message.text.c_str(), check.message.caption.c_str(), MB_OK | MB_ICONHAND);
        shell.start_failed = true;
        PostQuitMessage(-1);
        return -1;
    }
    // The file was there a moment ago; should it fail to read now, the user
    // learns why the country list is short or empty.
    DataFileStatus countries = LoadCountryTable(kDatabaseFolder, shell.country_table);
    if (countries != DataFileStatus::ok) {
        UserMessage problem = DataFileProblemMessage(DataFile::country, countries);
        MessageBoxA(window, problem.text.c_str(), problem.caption.c_str(), MB_OK | MB_ICONINFORMATION);
    }
    CreatePens(shell);
    DescribeDisplayFontAndMeasure(shell);
    CreateBars(shell);
    return 0;
}

void OnSize(ShellContext& shell) {
    LayoutBars(shell);
    RECT client = {};
    GetClientRect(shell.main_window, &client);
    WindowPlacement place = DiagramWindowPlacement(client.right, client.bottom);
    HWND diagram = DiagramWindow(shell);
    MoveWindow(diagram, place.x, place.y, place.width, place.height, TRUE);
    RepaintDiagram(shell, true, true);
}

void OnDestroy(ShellContext& shell) {
    DeleteDrawingResources(shell);
    // A failed start keeps its non-zero exit code.
    PostQuitMessage(shell.start_failed ? -1 : 0);
}

void OnCommand(ShellContext& shell, WPARAM wparam) {
    // Menu items and toolbar buttons send the identifier with 0 in the high half.
    if (wparam > 0xFFFF) return;
    int command = static_cast<int>(wparam);
    Win32Shell adapter(shell);
    RunCommand(shell.state, adapter, command);
}

void OnChar(ShellContext& shell, WPARAM wparam, LPARAM lparam) {
    bool repeated = (lparam & (1L << 30)) != 0;
    if (shell.state.memorial.OnChar(static_cast<std::uint8_t>(wparam & 0xFF), repeated)) {
        Win32Shell(shell).ShowMemorial();
    }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    ShellContext& shell = TheShell();
    switch (message) {
        case WM_CREATE: return OnCreate(shell, window);
        case WM_SIZE: OnSize(shell); return 0;
        case WM_DESTROY: OnDestroy(shell); return 0;
        case WM_COMMAND: OnCommand(shell, wparam); return 0;
        case WM_NOTIFY: return OnToolbarNotify(shell, wparam, lparam);
        case WM_MENUSELECT: OnMenuSelect(shell, wparam, lparam); return 0;
        case WM_CHAR: OnChar(shell, wparam, lparam); return 0;
        default: return DefWindowProcA(window, message, wparam, lparam);
    }
}
