// The program-wide state of the Win32 program: the window handles, the
// shared drawing resources and the portable application state. There is
// one instance for the run (TheProgram()); the command handlers of the
// dialogs and output receive it as a reference.
#pragma once

#include "app/win32/win32_api.h"

#include <string>

#include "app/logic/app_state.h"
#include "app/logic/display_scale.h"
#include "app/win32/gdi_surface.h"
#include "database/country_table.h"

struct ProgramContext {
    HINSTANCE instance = nullptr;
    HWND main_window = nullptr;  // owner of every dialog and message box
    HWND toolbar = nullptr;
    ToolbarStrip toolbar_strip{0, 0};  // the images the toolbar shows
    HWND status_bar = nullptr;
    bool start_failed = false;  // a data file was missing at start
    // The folder of COUNTRY.DAT, PRECIP.DAT and TEMP.DAT, chosen at start-up
    // (absolute, UTF-8).
    std::string database_folder;
    // The user's Documents folder (UTF-8; "" where there is none): the start
    // names of the file dialogs lie there.
    std::string documents_folder;

    // The current station, presentation settings and metrics (the menu marks
    // are computed from them).
    AppState state;

    // Created at main-window creation, deleted at its destruction. The
    // two curve pens are replaced by the colour commands.
    HBRUSH background_brush = nullptr;
    GdiPens pens;
    // The dotted pen of the enlarged window picture: one pixel wide at any
    // world transform (width 0).
    HPEN hairline_dotted_pen = nullptr;

    // The diagram window's pixels per unit of the drawing at the last
    // measurement (its DPI's factor times the zoom).
    double view_factor = 1.0;

    // Every record of COUNTRY.DAT, loaded once after the presence check.
    CountryTable country_table;
    // The station picked in the search dialog: the key of the import.
    std::string chosen_station_name;
};

ProgramContext& TheProgram();

// The diagram window (control id 2000 of the main window).
HWND DiagramWindow(const ProgramContext& program);

// Measures the diagram window's client rectangle into state.diagram_rect
// (the drawing's units at the DPI and zoom) and state.output_rect (96-DPI
// units), and returns how the window shows the picture.
WindowView MeasureDiagramRect(ProgramContext& program);

// The display font's metrics in 96-DPI units (measured on the screen at
// its own size, not enlarged), which the SVG's layout and the fit of the
// table use as the window's paint does.
TextMetrics DisplayFontMetrics(ProgramContext& program);

// Invalidates the diagram window (with or without background erase) and,
// when asked, repaints it before returning.
void RepaintDiagram(const ProgramContext& program, bool erase, bool update_now);
