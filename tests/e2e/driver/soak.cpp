// The soak step: many actions in a seeded random order, sent to a running
// Varnok32.exe from this one process. After every action the program must
// be alive and answer within the time limit; at the end the number of GDI
// objects it holds must be what it was after start-up.
//
//   soak SEED COUNT FOLDER [LIMIT_MS]
//
// Files go to FOLDER, a Windows path the program can write (the caller
// makes it); full names, since a file dialog starts in the folder of its
// last file. Each action is logged on stderr before it is sent, so a
// failed run can be replayed with its seed. The last line on stdout is
// "soak: seed S, N actions, GDI objects A at start and B at the end" on
// success, or names the action that failed.
#include "soak.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/win32/gdi_objects.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

namespace {

constexpr char kMainClass[] = "CLIMATEWINDOW";
constexpr char kSearchDialog[] = "Open station from CD database";
constexpr char kManualDialog[] = "Enter data manually";
constexpr char kMapDialog[] = "Open station from map";
constexpr char kFontDialog[] = "Font";
constexpr char kSaveMetafile[] = "Save window content";
constexpr char kSaveStation[] = "Save climate station to file";
constexpr char kOpenStation[] = "Open climate station from file";
constexpr int kFileNameCombo = 0x47c;  // cmb13: the file name box of the Explorer dialog
constexpr int kFileNameEdit = 0x480;   // edt1: the same in the older dialog

// Every presentation command: views, axis, colours, month labels, print scales.
constexpr int kPresentationCommands[] = {
    IDM_SHOW_DIAGRAM,  IDM_SHOW_TABLE,    IDM_MONOCHROME,    IDM_COLOURS,       IDM_AXIS_UP,
    IDM_AXIS_DOWN,     IDM_MONTH_LABELS,  IDM_PRINT_SCALE_1, IDM_PRINT_SCALE_2, IDM_PRINT_SCALE_3,
    IDM_PRINT_SCALE_4, IDM_PRINT_SCALE_5, IDM_PRINT_SCALE_6};

class Soak {
public:
    Soak(HWND main, const std::string& folder, DWORD limit_ms)
        : main_(main), station_file_(folder + "\\station.cli"), folder_(folder), limit_ms_(limit_ms) {
        GetWindowThreadProcessId(main, &process_id_);
        process_ = OpenProcess(SYNCHRONIZE, FALSE, process_id_);
    }
    ~Soak() {
        if (process_) CloseHandle(process_);
    }

    bool Alive() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

    // The program's count of live GDI objects, or -1 when it did not answer.
    long GdiObjects() {
        DWORD_PTR count = 0;
        if (!SendMessageTimeoutA(main_, kGdiObjectCountMessage, 0, 0, SMTO_ABORTIFHUNG, limit_ms_, &count)) return -1;
        return static_cast<long>(count);
    }

    // One random action; false with `failure` set when the program did not
    // stay alive and answering or an action went wrong.
    bool Step(std::mt19937& random, std::string& what) {
        failure_.clear();
        // Per mille: the quick actions most often, the dialogs (a few tenths
        // of a second each under Wine) one time in ten.
        unsigned pick = random() % 1000;
        if (pick < 560) {
            int command = kPresentationCommands[random() % (sizeof kPresentationCommands / sizeof(int))];
            what = "command " + std::to_string(command);
            return Command(command) && Settled();
        }
        if (pick < 820) {
            RECT client = {};
            HWND diagram = GetDlgItem(main_, DIAGRAM_WINDOW_ID);
            GetClientRect(diagram, &client);
            int x = client.right > 0 ? static_cast<int>(random() % client.right) : 0;
            int y = client.bottom > 0 ? static_cast<int>(random() % client.bottom) : 0;
            what = "left click at " + std::to_string(x) + " " + std::to_string(y);
            PostMessageA(diagram, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
            PostMessageA(diagram, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
            return Answers(diagram) && Settled();
        }
        if (pick < 900) {
            what = "copy to the clipboard";
            return Command(IDM_COPY_TO_CLIPBOARD) && Settled();
        }
        if (pick < 920) {
            std::string name = folder_ + "\\window" + std::to_string(random() % 8) + ".emf";
            what = "save the window content as " + name;
            return FileDialogOk(IDM_SAVE_WINDOW_CONTENT, kSaveMetafile, name) && Settled();
        }
        if (pick < 932) {
            what = "save the station as " + station_file_;
            station_saved_ = FileDialogOk(IDM_SAVE_STATION_FILE, kSaveStation, station_file_) && Settled();
            return station_saved_;
        }
        if (pick < 944) {
            if (!station_saved_) {
                what = "open a station file: Cancel (none saved yet)";
                return DialogButton(IDM_OPEN_STATION_FILE, kOpenStation, IDCANCEL) && Settled();
            }
            what = "open the station file " + station_file_;
            return FileDialogOk(IDM_OPEN_STATION_FILE, kOpenStation, station_file_) && Settled();
        }
        if (pick < 964) return SearchAndPick(random, what);
        if (pick < 972) return MapPick(random, what);
        if (pick < 982) {
            int button = random() % 2 ? IDOK : IDCANCEL;
            what = std::string("manual entry: ") + (button == IDOK ? "OK" : "Cancel");
            return DialogButton(IDM_ENTER_DATA_MANUALLY, kManualDialog, button) && Settled();
        }
        what = "font dialog: Cancel";
        return DialogButton(IDM_SELECT_FONT, kFontDialog, IDCANCEL) && Settled();
    }

    const std::string& failure() const { return failure_; }

private:
    bool Fail(const std::string& why) {
        if (failure_.empty()) failure_ = why;
        return false;
    }

    // The window handles a message within the limit.
    bool Answers(HWND window) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, limit_ms_, &result)) {
            return Fail(Alive() ? "no answer within the limit" : "the program has ended");
        }
        return true;
    }

    bool Command(int command) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(main_, WM_COMMAND, static_cast<WPARAM>(command), 0, SMTO_ABORTIFHUNG, limit_ms_,
                                 &result)) {
            return Fail(Alive() ? "the command was not handled within the limit" : "the program has ended");
        }
        return true;
    }

    struct Search {
        DWORD process;
        HWND main;
        const char* prefix;  // null: any window of the program but the main one
        HWND found;
    };

    static BOOL CALLBACK Match(HWND window, LPARAM lparam) {
        auto* search = reinterpret_cast<Search*>(lparam);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != search->process || window == search->main || !IsWindowVisible(window)) return TRUE;
        char caption[256] = {};
        GetWindowTextA(window, caption, sizeof caption);
        if (search->prefix && std::strncmp(caption, search->prefix, std::strlen(search->prefix)) != 0) return TRUE;
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::strcmp(name, "#32770") != 0) return TRUE;  // dialogs and message boxes only
        search->found = window;
        return FALSE;
    }

    HWND Find(const char* prefix) {
        Search search = {process_id_, main_, prefix, nullptr};
        EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    HWND WaitFor(const char* prefix) {
        DWORD start = GetTickCount();
        for (;;) {
            if (HWND window = Find(prefix)) return window;
            if (GetTickCount() - start > limit_ms_) {
                Fail(std::string("the window '") + prefix + "' did not appear within the limit");
                return nullptr;
            }
            if (!Alive()) {
                Fail("the program has ended");
                return nullptr;
            }
            Sleep(10);
        }
    }

    bool WaitGone(HWND window, const char* what) {
        DWORD start = GetTickCount();
        while (IsWindow(window) && IsWindowVisible(window)) {
            if (GetTickCount() - start > limit_ms_) return Fail(std::string("'") + what + "' stayed open");
            if (!Alive()) return Fail("the program has ended");
            Sleep(10);
        }
        return true;
    }

    // The command opens a modal dialog of that caption; `button` closes it.
    bool DialogButton(int command, const char* caption, int button) {
        PostMessageA(main_, WM_COMMAND, static_cast<WPARAM>(command), 0);
        HWND dialog = WaitFor(caption);
        if (!dialog || !Answers(dialog)) return false;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return WaitGone(dialog, caption);
    }

    // A file dialog of that caption: the name typed in, OK. A message box
    // of the program afterwards (a failed save or open) is a failure.
    bool FileDialogOk(int command, const char* caption, const std::string& name) {
        PostMessageA(main_, WM_COMMAND, static_cast<WPARAM>(command), 0);
        HWND dialog = WaitFor(caption);
        if (!dialog || !Answers(dialog)) return false;
        HWND box = GetDlgItem(dialog, kFileNameCombo);
        if (!box) box = GetDlgItem(dialog, kFileNameEdit);
        if (!box) return Fail("the file name box was not found");
        DWORD_PTR result = 0;
        SendMessageTimeoutA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), SMTO_ABORTIFHUNG, limit_ms_,
                            &result);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        if (!WaitGone(dialog, caption) || !Answers(main_)) return false;
        if (HWND message = Find(nullptr)) {
            std::string text = Texts(message);
            PostMessageA(message, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return Fail("the program reported: " + text);
        }
        return true;
    }

    // The station map: a wheel turn and a click at a random place, then OK
    // or Cancel; an OK with nothing picked keeps the dialog open, and then
    // Cancel closes it. A message after OK is confirmed, as after the search.
    bool MapPick(std::mt19937& random, std::string& what) {
        what = "station map";
        PostMessageA(main_, WM_COMMAND, IDM_OPEN_FROM_MAP, 0);
        HWND dialog = WaitFor(kMapDialog);
        if (!dialog || !Answers(dialog)) return false;
        HWND map = GetDlgItem(dialog, IDC_MAP_VIEW);
        RECT client = {};
        GetClientRect(map, &client);
        const int x = client.right > 0 ? static_cast<int>(random() % client.right) : 0;
        const int y = client.bottom > 0 ? static_cast<int>(random() % client.bottom) : 0;
        const int notches = static_cast<int>(random() % 5);
        const int button = random() % 2 ? IDOK : IDCANCEL;
        what += ": " + std::to_string(notches) + " wheel notches and a click at " + std::to_string(x) + " " +
                std::to_string(y) + ", " + (button == IDOK ? "OK" : "Cancel");
        POINT screen = {x, y};
        ClientToScreen(map, &screen);
        DWORD_PTR result = 0;
        for (int i = 0; i < notches; ++i) {
            SendMessageTimeoutA(map, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(screen.x, screen.y),
                                SMTO_ABORTIFHUNG, limit_ms_, &result);
        }
        // Sent, not posted, so that they arrive in this order.
        const UINT sends[][2] = {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}};
        for (const auto& m : sends) {
            if (!SendMessageTimeoutA(map, m[0], m[1], MAKELPARAM(x, y), SMTO_ABORTIFHUNG, limit_ms_, &result)) {
                return Fail("the click on the map was not handled within the limit");
            }
        }
        SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0, SMTO_ABORTIFHUNG, limit_ms_, &result);
        if (IsWindow(dialog) && IsWindowVisible(dialog)) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        if (!WaitGone(dialog, kMapDialog) || !Answers(main_)) return false;
        if (HWND message = Find(nullptr)) {
            PostMessageA(message, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            if (!WaitGone(message, "the message after the import")) return false;
        }
        return Settled();
    }

    // The station search: a random country, a random station of it, OK or
    // Cancel. A message after OK (a station without temperatures) is
    // confirmed: it is the program's answer, not a fault.
    bool SearchAndPick(std::mt19937& random, std::string& what) {
        what = "station search";
        PostMessageA(main_, WM_COMMAND, IDM_OPEN_FROM_DATABASE, 0);
        HWND dialog = WaitFor(kSearchDialog);
        if (!dialog || !Answers(dialog)) return false;
        int country = PickFromList(dialog, IDC_COUNTRY_LIST, random);
        int station = country >= 0 ? PickFromList(dialog, IDC_STATION_LIST, random) : -1;
        int button = random() % 2 ? IDOK : IDCANCEL;
        what += ": country " + std::to_string(country) + ", station " + std::to_string(station) + ", " +
                (button == IDOK ? "OK" : "Cancel");
        if (!failure_.empty()) return false;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        DWORD start = GetTickCount();
        while (IsWindow(dialog) && IsWindowVisible(dialog)) {
            // A message box owned by the dialog (nothing picked) is answered.
            if (HWND message = Find(nullptr); message && message != dialog) {
                PostMessageA(message, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
            if (GetTickCount() - start > limit_ms_) return Fail("the search dialog stayed open");
            if (!Alive()) return Fail("the program has ended");
            Sleep(10);
        }
        if (!Answers(main_)) return false;
        if (HWND message = Find(nullptr)) {
            PostMessageA(message, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            if (!WaitGone(message, "the message after the import")) return false;
        }
        return Settled();
    }

    // Selects a random entry of a list box as a click would; its index, or
    // -1 for an empty list.
    int PickFromList(HWND dialog, int id, std::mt19937& random) {
        HWND list = GetDlgItem(dialog, id);
        DWORD_PTR count = 0;
        if (!list || !SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, limit_ms_, &count)) {
            Fail("the list " + std::to_string(id) + " did not answer");
            return -1;
        }
        if (count == 0 || count == static_cast<DWORD_PTR>(LB_ERR)) return -1;
        int index = static_cast<int>(random() % count);
        DWORD_PTR result = 0;
        SendMessageTimeoutA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, limit_ms_, &result);
        if (!SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list),
                                 SMTO_ABORTIFHUNG, limit_ms_, &result)) {
            Fail("the choice in list " + std::to_string(id) + " was not handled within the limit");
        }
        return index;
    }

    static BOOL CALLBACK AppendText(HWND window, LPARAM lparam) {
        char text[512] = {};
        GetWindowTextA(window, text, sizeof text);
        if (text[0]) *reinterpret_cast<std::string*>(lparam) += std::string(text) + " | ";
        return TRUE;
    }

    static std::string Texts(HWND window) {
        std::string texts;
        char caption[256] = {};
        GetWindowTextA(window, caption, sizeof caption);
        texts = std::string(caption) + ": ";
        EnumChildWindows(window, AppendText, reinterpret_cast<LPARAM>(&texts));
        return texts;
    }

    // After an action: alive, answering, and no dialog left open.
    bool Settled() {
        if (!Answers(main_)) return false;
        if (HWND left = Find(nullptr)) {
            std::string text = Texts(left);
            PostMessageA(left, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return Fail("a window was left open: " + text);
        }
        return true;
    }

    HWND main_;
    std::string station_file_;
    std::string folder_;
    DWORD limit_ms_;
    DWORD process_id_ = 0;
    HANDLE process_ = nullptr;
    bool station_saved_ = false;
    std::string failure_;
};

}  // namespace

int RunSoak(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "soak") != 0) return -1;
    if (argc < 5) return 2;
    unsigned long seed = std::strtoul(argv[2], nullptr, 10);
    long count = std::strtol(argv[3], nullptr, 10);
    DWORD limit_ms = argc > 5 ? static_cast<DWORD>(std::strtoul(argv[5], nullptr, 10)) : 2000;
    HWND main = FindWindowA(kMainClass, nullptr);
    if (!main) {
        std::fprintf(stderr, "driver: main window not found\n");
        return 1;
    }
    Soak soak(main, argv[4], limit_ms);
    long at_start = soak.GdiObjects();
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    DWORD started = GetTickCount();
    DWORD slowest = 0;
    std::string slowest_what;
    for (long i = 1; i <= count; ++i) {
        std::string what;
        DWORD begun = GetTickCount();
        bool ok = soak.Step(random, what);
        const DWORD took = GetTickCount() - begun;
        std::fprintf(stderr, "soak %ld (%lu ms): %s\n", i, static_cast<unsigned long>(took), what.c_str());
        // The whole action, dialog and all, within the limit, not only each wait in it.
        if (ok && took > limit_ms) {
            std::printf("soak: seed %lu, action %ld of %ld failed: %s: it took %lu ms\n", seed, i, count,
                        what.c_str(), static_cast<unsigned long>(took));
            return 1;
        }
        if (!ok) {
            std::printf("soak: seed %lu, action %ld of %ld failed: %s: %s\n", seed, i, count, what.c_str(),
                        soak.failure().c_str());
            return 1;
        }
        if (took > slowest) {
            slowest = took;
            slowest_what = what;
        }
    }
    long at_end = soak.GdiObjects();
    unsigned long seconds = (GetTickCount() - started + 500) / 1000;
    std::printf("soak: seed %lu, %ld actions in %lu s, the slowest %lu ms (%s), GDI objects %ld at start and %ld at "
                "the end\n",
                seed, count, seconds, static_cast<unsigned long>(slowest), slowest_what.c_str(), at_start, at_end);
    return at_start >= 0 && at_start == at_end ? 0 : 1;
}
