// Program entry: window classes, the main window and the message loop.
#include "app/win32/win32_api.h"


#include <cstdlib>
#include <string>
#include <vector>

#include "app/logic/commands.h"
#include "app/logic/database_folder.h"
#include "app/logic/window_layout.h"
#include "app/win32/diagram_window.h"
#include "app/win32/drawing_resources.h"
#include "app/win32/main_window.h"
#include "app/win32/program_context.h"
#include "app/win32/win32_shell.h"
#include "resources/resource_ids.h"

namespace {

void RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, HBRUSH background,
                         const char* menu) {
    WNDCLASSEXA window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VARNOK));
    window_class.hIconSm = window_class.hIcon;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = background;
    window_class.lpszMenuName = menu;
    window_class.lpszClassName = name;
    RegisterClassExA(&window_class);
}

std::string ExecutablePath() {
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

// The command line as the C runtime split it (quotes and backslashes as
// every Windows program reads them).
std::vector<std::string> CommandLineArguments() {
    std::vector<std::string> arguments;
    for (int i = 0; i < __argc; ++i) arguments.emplace_back(__argv[i] ? __argv[i] : "");
    return arguments;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int show) {
    ProgramContext& program = TheProgram();
    program.instance = instance;
    program.state = MakeStartupState(96);
    program.database_folder = ChooseDatabaseFolder(ExecutablePath());
    InitCommonControls();
    program.background_brush = CreateBackgroundBrush(instance);
    if (!previous) {
        RegisterWindowClass(instance, kMainWindowClass, MainWindowProc, program.background_brush, "KLIMAMENUE");
        RegisterWindowClass(instance, kDiagramWindowClass, DiagramWindowProc,
                            static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), nullptr);
    }
    RECT desktop = {};
    GetClientRect(GetDesktopWindow(), &desktop);
    WindowPlacement place = StartupMainWindowPlacement(desktop.right, desktop.top);
    HWND window = CreateWindowExA(0, kMainWindowClass, kInitialCaption, WS_OVERLAPPEDWINDOW, place.x, place.y,
                                  place.width, place.height, nullptr, nullptr, instance, nullptr);
    // A missing data file refused the creation after its message box: end
    // at once with a non-zero code.
    if (!window) return -1;
    program.main_window = window;
    // The resource's menu carries no marks: they come from the state.
    Win32Shell(program).ApplyMenuState(ComputeMenuState(program.state));
    ShowWindow(window, show);
    UpdateWindow(window);
    // A station file on the command line (the open command of a .cli file)
    // is opened as "Open station from file" opens the one chosen.
    std::string station_file = StationFileArgument(CommandLineArguments());
    if (!station_file.empty()) {
        Win32Shell shell(program);
        OpenStationFileAt(program.state, shell, station_file);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
