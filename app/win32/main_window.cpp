#include "app/win32/main_window.h"

#include "app/logic/commands.h"
#include "app/logic/window_layout.h"
#include "app/win32/bars.h"
#include "app/win32/diagram_window.h"
#include "app/win32/drawing_resources.h"
#include "app/win32/gdi_objects.h"
#include "app/win32/text_conversion.h"
#include "app/win32/win32_shell.h"
#include "database/data_files.h"
#include "resources/resource_ids.h"

const wchar_t kMainWindowClass[] = L"CLIMATEWINDOW";

namespace {

void DescribeDisplayFontAndMeasure(ProgramContext& program) {
    HDC dc = GetDC(program.main_window);
    program.state.drawing.display_font = StartupDisplayFont(GetDeviceCaps(dc, LOGPIXELSY));
    // The context's own font: these values stand until the first paint
    // measures the display font.
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    program.state.drawing.char_width = tm.tmAveCharWidth;
    program.state.drawing.line_height = tm.tmHeight + tm.tmExternalLeading;
    ReleaseDC(program.main_window, dc);
}

LRESULT OnCreate(ProgramContext& program, HWND window) {
    program.main_window = window;
    SetWindowCreationFlags(program.state.station.record);
    CreateDiagramWindow(program);
    DatabaseCheck check = CheckDatabaseFiles(program.database_folder);
    if (!check.ok) {
        MessageBoxW(window, WideFromUtf8(check.message.text).c_str(), WideFromUtf8(check.message.caption).c_str(),
                    MB_OK | MB_ICONHAND);
        program.start_failed = true;
        PostQuitMessage(-1);
        return -1;
    }
    // The file was there a moment ago; should it fail to read now, the user
    // learns why the country list is short or empty.
    DataFileStatus countries = LoadCountryTable(program.database_folder, program.country_table);
    if (countries != DataFileStatus::ok) {
        UserMessage problem = DataFileProblemMessage(DataFile::country, countries);
        MessageBoxW(window, WideFromUtf8(problem.text).c_str(), WideFromUtf8(problem.caption).c_str(),
                    MB_OK | MB_ICONINFORMATION);
    }
    CreatePens(program);
    DescribeDisplayFontAndMeasure(program);
    CreateBars(program);
    return 0;
}

void OnSize(ProgramContext& program) {
    LayoutBars(program);
    RECT client = {};
    GetClientRect(program.main_window, &client);
    WindowPlacement place = DiagramWindowPlacement(client.right, client.bottom);
    HWND diagram = DiagramWindow(program);
    MoveWindow(diagram, place.x, place.y, place.width, place.height, TRUE);
    RepaintDiagram(program, true, true);
}

void OnDestroy(ProgramContext& program) {
    DeleteDrawingResources(program);
    // A failed start keeps its non-zero exit code.
    PostQuitMessage(program.start_failed ? -1 : 0);
}

void OnCommand(ProgramContext& program, WPARAM wparam) {
    // Menu items and toolbar buttons send the identifier with 0 in the high half.
    if (wparam > 0xFFFF) return;
    int command = static_cast<int>(wparam);
    Win32Shell shell(program);
    RunCommand(program.state, shell, command);
}

// The window is a Unicode window: WM_CHAR brings UTF-16, which the
// matcher gets as its Windows-1252 byte (any other character as '?').
void OnChar(ProgramContext& program, WPARAM wparam, LPARAM lparam) {
    bool repeated = (lparam & (1L << 30)) != 0;
    std::string byte;
    std::string refused;
    unsigned code_point = 0;
    if (!Cp1252FromWide(std::wstring(1, static_cast<wchar_t>(wparam)), byte, refused, code_point)) byte = "?";
    if (program.state.memorial.OnChar(static_cast<std::uint8_t>(byte[0]), repeated)) {
        Win32Shell(program).ShowMemorial();
    }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    ProgramContext& program = TheProgram();
    switch (message) {
        case WM_CREATE: return OnCreate(program, window);
        case WM_SIZE: OnSize(program); return 0;
        case WM_DESTROY: OnDestroy(program); return 0;
        case WM_COMMAND: OnCommand(program, wparam); return 0;
        case WM_NOTIFY: return OnToolbarNotify(program, wparam, lparam);
        case WM_MENUSELECT: OnMenuSelect(program, wparam, lparam); return 0;
        case WM_CHAR: OnChar(program, wparam, lparam); return 0;
        case kGdiObjectCountMessage: return static_cast<LRESULT>(LiveGdiObjects());
        default: return DefWindowProcW(window, message, wparam, lparam);
    }
}
