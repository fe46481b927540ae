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
#include "app/win32/text_conversion.h"
#include "app/win32/win32_shell.h"
#include "resources/resource_ids.h"

namespace {

// DLLs load from System32 only: never from the program's folder or the
// working folder, where a double-clicked file's folder (Downloads) may hold
// a planted DLL. SetDefaultDllDirectories is looked up, as Windows 7
// without KB2533623 lacks it; SetDllDirectoryW(L"") takes the working
// folder out of the search there too.
void RestrictDllSearch() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto set_default = kernel ? reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
                                    GetProcAddress(kernel, "SetDefaultDllDirectories")))
                              : nullptr;
    if (set_default) set_default(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
}

// The common controls the program uses: toolbar and status bar, the
// progress bar of the station search, and the standard controls of the
// dialogs, all with the visual styles of Common Controls 6 (the manifest).
void InitControls() {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
}

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HBRUSH background,
                         const wchar_t* menu) {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VARNOK));
    window_class.hIconSm = window_class.hIcon;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = background;
    window_class.lpszMenuName = menu;
    window_class.lpszClassName = name;
    RegisterClassExW(&window_class);
}

// The executable's path, UTF-8; "" when it does not fit a long path.
std::string ExecutablePath() {
    std::wstring path(32768, L'\0');
    DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    return length > 0 && length < path.size() ? Utf8FromWide(path.c_str(), static_cast<int>(length)) : std::string();
}

// The command line split as every Windows program reads it (quotes and
// backslashes), UTF-8: a path in any script arrives whole.
std::vector<std::string> CommandLineArguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words) return arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(Utf8FromWide(words[i]));
    LocalFree(words);
    return arguments;
}

// The user's Documents folder, UTF-8; "" where the system has none.
std::string DocumentsFolder() {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path))) folder = Utf8FromWide(path);
    CoTaskMemFree(path);
    return folder;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int show) {
    RestrictDllSearch();
    ProgramContext& program = TheProgram();
    program.instance = instance;
    program.state = MakeStartupState(96);
    // A station file on the command line (the open command of a .cli file).
    const std::string station_file = StationFileArgument(CommandLineArguments());
    program.database_folder = ChooseDatabaseFolder(ExecutablePath(), !station_file.empty());
    // The dialogs' start names lie in Documents, never in the program's folder.
    program.documents_folder = DocumentsFolder();
    program.state.station_file_name = PlaceInFolder(program.state.station_file_name, program.documents_folder);
    InitControls();
    program.background_brush = CreateBackgroundBrush(instance);
    if (!previous) {
        RegisterWindowClass(instance, kMainWindowClass, MainWindowProc, program.background_brush, L"KLIMAMENUE");
        RegisterWindowClass(instance, kDiagramWindowClass, DiagramWindowProc,
                            static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), nullptr);
    }
    RECT desktop = {};
    GetClientRect(GetDesktopWindow(), &desktop);
    WindowPlacement place = StartupMainWindowPlacement(desktop.right, desktop.top);
    HWND window = CreateWindowExW(0, kMainWindowClass, WideFromUtf8(kInitialCaption).c_str(), WS_OVERLAPPEDWINDOW,
                                  place.x, place.y, place.width, place.height, nullptr, nullptr, instance, nullptr);
    // A missing data file refused the creation after its message box: end
    // at once with a non-zero code.
    if (!window) return -1;
    program.main_window = window;
    // The resource's menu carries no marks: they come from the state.
    Win32Shell(program).ApplyMenuState(ComputeMenuState(program.state));
    ShowWindow(window, show);
    UpdateWindow(window);
    // The station file of the command line is opened as "Open station from
    // file" opens the one chosen.
    if (!station_file.empty()) {
        Win32Shell shell(program);
        OpenStationFileAt(program.state, shell, station_file);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
