// The dialog STATIONMAP, "Open station from map": the station map in a
// resizable dialog. The map is a child window of its own class that paints
// with DrawWorldMap on a GdiSurface and passes the mouse and the keys to
// app/logic/map_dialog.h; the line under it names the station under the
// mouse. OK (or a double-click on a station) leaves the pick as the search
// dialog's OK leaves it; Cancel leaves nothing.
#pragma once

#include "app/win32/win32_api.h"

#include <string>

#include "app/win32/gdi_surface.h"

struct StationMapDialogContext {
    std::string db_dir;  // "" = the working directory
    const GdiPens* pens = nullptr;
    // The time the command started (QueryPerformanceCounter), for the
    // first paint's time; 0 when nobody measures.
    long long command_start = 0;
    // The result: "NAME<tab>NUMBER" after OK, "" after Cancel.
    std::string pick_text;
};

// The property of the dialog window that holds the microseconds from the
// command to the end of the map's first paint (the benchmark reads it).
extern const char kMapFirstPaintProperty[];

// Shows the dialog modally, owned by `owner`. False when it could not be shown.
bool RunStationMapDialog(HINSTANCE instance, HWND owner, StationMapDialogContext& context);
