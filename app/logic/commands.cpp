#include "app/logic/commands.h"

#include "app/logic/axis_offset.h"
#include "app/logic/climate_facts.h"
#include "app/logic/display_scale.h"
#include "app/logic/window_layout.h"
#include "resources/resource_ids.h"
#include "station/station_file.h"
#include "station/text_encoding.h"

const char kAboutText[] =
    "Varnok 32bit v.1.0\n\n"
    "Climate diagrams of weather stations: monthly mean temperature and\n"
    "precipitation drawn on one year, from the station database, from\n"
    "station files or typed in by hand.";
const char kAboutCaption[] = "About Varnok 32";
const char kStationFileCaption[] = "Varnok 32";

std::string StatusText(const AppState& state) {
    if (const auto climate_class = ClassifyClimate(state.station.record).climate_class) {
        return Cp1252ToUtf8(ClimateClassLine(*climate_class));
    }
    return StatusTextForMode(state.station.record.diagram_mode != 0);
}

namespace {

void ApplyMenu(const AppState& state, Shell& shell) {
    shell.ApplyMenuState(ComputeMenuState(state));
}

void ShowMode(AppState& state, Shell& shell, bool diagram) {
    state.station.record.diagram_mode = diagram ? 1 : 0;
    ApplyMenu(state, shell);
    shell.SetStatusText(StatusText(state));
    // The size change repaints the diagram window. A main window that
    // already has the mode's size (the user made it so) gets no size
    // change, and would go on showing the other mode; invalidated first,
    // the size change's own repaint covers it, so nothing is painted twice.
    shell.InvalidateDiagram(true);
    WindowPlacement size = MainWindowSizeForMode(diagram, state.drawing.char_width);
    shell.ResizeMainWindow(size.width, size.height);
}

void SetColourMode(AppState& state, Shell& shell, bool monochrome) {
    state.drawing.monochrome = monochrome;
    ApplyMenu(state, shell);
    shell.RecreateCurvePens(monochrome);
    // The new picture covers the old one exactly: no erase.
    shell.InvalidateDiagram(false);
}

void AxisUp(AppState& state, Shell& shell) {
    state.drawing.axis_offset =
        AxisOffsetAfterUp(state.drawing.axis_offset, state.diagram_rect.bottom, state.drawing.line_height);
    shell.InvalidateMainWindow(true);
}

void AxisDown(AppState& state, Shell& shell) {
    state.drawing.axis_offset = AxisOffsetAfterDown(state.drawing.axis_offset);
    shell.InvalidateMainWindow(true);
}

// The toggle reads the item's state as the menu has it: only a mark that is
// checked and not grayed counts as on.
void ToggleMonthLabels(AppState& state, Shell& shell) {
    const bool on = IsCheckedAndEnabled(ComputeMenuState(state), IDM_MONTH_LABELS);
    state.station.record.month_labels = on ? 0 : 1;
    ApplyMenu(state, shell);
    shell.InvalidateDiagram(true);
}

// The class line and the quiz: a check mark each, the same in the
// diagram and the table.
void ToggleClimateClassLine(AppState& state, Shell& shell) {
    state.drawing.climate_class_line = !state.drawing.climate_class_line;
    ApplyMenu(state, shell);
    shell.InvalidateDiagram(true);
}

void ToggleHideStation(AppState& state, Shell& shell) {
    state.drawing.hide_station = !state.drawing.hide_station;
    ApplyMenu(state, shell);
    shell.InvalidateDiagram(true);
}

// The answer key stays available in the quiz.
void ShowClimateFacts(const AppState& state, Shell& shell) {
    const ClimateFacts facts = ClassifyClimate(state.station.record);
    shell.ShowClimateFacts(ClimateFactsText(facts), facts.climate_class.has_value());
}

void SelectFont(AppState& state, Shell& shell) {
    // The next paint makes its font from the description (unchanged after Cancel).
    shell.ChooseDisplayFont(state.drawing.display_font);
    shell.InvalidateDiagram(true);
}

void SetPrintScale(AppState& state, Shell& shell, int command) {
    state.print_scale = command - IDM_PRINT_SCALE_1 + 1;
    ApplyMenu(state, shell);
}

// Commands 61 to 65: the diagram window's zoom; the next paint enlarges
// the picture by it.
void SetZoom(AppState& state, Shell& shell, int command) {
    state.zoom = command == IDM_ZOOM_FIT ? kZoomFitToWindow : kZoomPercents[command - IDM_ZOOM_100];
    ApplyMenu(state, shell);
    shell.InvalidateDiagram(true);
}

}  // namespace

void ShowAsDiagram(AppState& state, Shell& shell) { ShowMode(state, shell, true); }
void ShowAsTable(AppState& state, Shell& shell) { ShowMode(state, shell, false); }

namespace {

// A station file that could not be read or written is named in an
// information box; nothing is reported as done that was not.
void ReportStationFileResult(Shell& shell, StationFileResult result, const std::string& path) {
    if (result != StationFileResult::ok) {
        shell.ShowInformation(DescribeStationFileResult(result, path), kStationFileCaption);
    }
}

// The end of command 10, whether or not a file was read.
void ShowOpenedStation(AppState& state, Shell& shell) {
    FinishOpenedStation(state.station);
    if (state.station.record.diagram_mode != 0) {
        ShowAsDiagram(state, shell);
    } else {
        ShowAsTable(state, shell);
    }
    shell.InvalidateMainWindow(true);
}

void ReadNamedStationFile(AppState& state, Shell& shell, const std::string& path) {
    state.station_file_name = path;
    ReportStationFileResult(shell, ReadStationFile(path, state.station.record), path);
}

}  // namespace

void OpenStationFile(AppState& state, Shell& shell) {
    std::string path = state.station_file_name;
    if (shell.AskOpenStationFile(path)) ReadNamedStationFile(state, shell, path);
    ShowOpenedStation(state, shell);
}

void OpenStationFileAt(AppState& state, Shell& shell, const std::string& path) {
    ReadNamedStationFile(state, shell, path);
    ShowOpenedStation(state, shell);
}

void SaveStationFile(AppState& state, Shell& shell) {
    std::string path = state.station_file_name;
    if (shell.AskSaveStationFile(path)) {
        state.station_file_name = path;
        ReportStationFileResult(shell, WriteStationFile(path, state.station.record), path);
    }
    shell.InvalidateDiagram(true);
    shell.UpdateDiagramNow();
}

namespace {

// A station that came in: its status text, and the diagram window
// repainted when the message loop next runs.
void ShowImportedStation(const AppState& state, Shell& shell) {
    shell.SetStatusText(StatusText(state));
    shell.InvalidateDiagram(true);
}

// Command 18: a new station only when one was imported.
void OpenStationFromDatabase(AppState& state, Shell& shell) {
    if (shell.ImportStationFromDatabase(state.station)) ShowImportedStation(state, shell);
}

// Command 41: the same for a station picked on the map.
void OpenStationFromMap(AppState& state, Shell& shell) {
    if (shell.ImportStationFromMap(state.station)) ShowImportedStation(state, shell);
}

// Command 12: the dialog may have changed the station (or been cancelled);
// the diagram window shows it before the command returns.
void EnterDataManually(AppState& state, Shell& shell) {
    shell.EnterStationData(state.station);
    shell.SetStatusText(StatusText(state));
    shell.InvalidateDiagram(true);
    shell.UpdateDiagramNow();
}

// Command 15: the page shows the view checked in the menu.
void PrintWindowContent(const AppState& state, Shell& shell) {
    shell.PrintPage(state.station.record.diagram_mode != 0 ? PageView::diagram : PageView::table);
}

}  // namespace

void DiagramLeftClick(AppState& state, Shell& shell, std::int32_t click_y) {
    state.drawing.axis_offset = AxisOffsetAfterClick(state.drawing.axis_offset, click_y,
                                                      state.diagram_rect.bottom, state.drawing.line_height);
    shell.InvalidateDiagram(true);
}

bool RunCommand(AppState& state, Shell& shell, int command) {
    switch (command) {
        case IDM_OPEN_STATION_FILE: OpenStationFile(state, shell); return true;
        case IDM_SAVE_STATION_FILE: SaveStationFile(state, shell); return true;
        case IDM_OPEN_FROM_DATABASE: OpenStationFromDatabase(state, shell); return true;
        case IDM_OPEN_FROM_MAP: OpenStationFromMap(state, shell); return true;
        case IDM_ENTER_DATA_MANUALLY: EnterDataManually(state, shell); return true;
        case IDM_SAVE_WINDOW_CONTENT: shell.SaveWindowContent(); return true;
        case IDM_COPY_TO_CLIPBOARD: shell.CopyWindowToClipboard(); return true;
        case IDM_PRINT: PrintWindowContent(state, shell); return true;
        case IDM_SELECT_FONT: SelectFont(state, shell); return true;
        case IDM_EXIT: shell.DestroyMainWindow(); return true;
        case IDM_SHOW_DIAGRAM: ShowAsDiagram(state, shell); return true;
        case IDM_SHOW_TABLE: ShowAsTable(state, shell); return true;
        case IDM_MONOCHROME: SetColourMode(state, shell, true); return true;
        case IDM_COLOURS: SetColourMode(state, shell, false); return true;
        case IDM_AXIS_UP: AxisUp(state, shell); return true;
        case IDM_AXIS_DOWN: AxisDown(state, shell); return true;
        case IDM_MONTH_LABELS: ToggleMonthLabels(state, shell); return true;
        case IDM_CLIMATE_CLASS: ToggleClimateClassLine(state, shell); return true;
        case IDM_HIDE_STATION: ToggleHideStation(state, shell); return true;
        case IDM_CLIMATE_FACTS: ShowClimateFacts(state, shell); return true;
        case IDM_ABOUT: shell.ShowInformation(kAboutText, kAboutCaption); return true;
        default: break;
    }
    if (command >= IDM_PRINT_SCALE_1 && command <= IDM_PRINT_SCALE_FIT) {
        SetPrintScale(state, shell, command);
        return true;
    }
    if (command >= IDM_ZOOM_100 && command <= IDM_ZOOM_FIT) {
        SetZoom(state, shell, command);
        return true;
    }
    return false;
}
