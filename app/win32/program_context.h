// The program-wide state of the Win32 program: the window handles, the
// shared drawing resources and the portable application state. There is
// one instance for the run (TheProgram()); the command handlers of the
// dialogs and output receive it as a reference.
#pragma once

#include "app/win32/win32_api.h"

#include <string>

#include "app/logic/app_state.h"
#include "app/win32/gdi_surface.h"
#include "database/country_table.h"

struct ProgramContext {
    HINSTANCE instance = nullptr;
    HWND main_window = nullptr;  // owner of every dialog and message box
    HWND toolbar = nullptr;
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

    // Every record of COUNTRY.DAT, loaded once after the presence check.
    CountryTable country_table;
    // The station picked in the search dialog: the key of the import.
    std::string chosen_station_name;
};

ProgramContext& TheProgram();

// The diagram window (control id 2000 of the main window).
HWND DiagramWindow(const ProgramContext& program);

// Measures the diagram window's client rectangle into state.diagram_rect.
void MeasureDiagramRect(ProgramContext& program);

// Invalidates the diagram window (with or without background erase) and,
// when asked, repaints it before returning.
void RepaintDiagram(const ProgramContext& program, bool erase, bool update_now);
