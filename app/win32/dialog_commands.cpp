#include "app/win32/dialog_commands.h"

#include "app/win32/manual_entry_dialog.h"
#include "app/win32/output.h"
#include "app/win32/station_search_dialog.h"
#include "database/station_import.h"

bool ImportStationCommand(ShellContext& shell) {
    StationSearchContext search;
    search.db_dir = shell.database_folder;
    search.country_table = &shell.country_table;
    search.chosen_station_name = &shell.chosen_station_name;
    if (!RunStationSearchDialog(shell.instance, shell.main_window, search)) return false;
    // An empty pick (Cancel, or nothing picked in this run) imports nothing.
    StationImport import =
        ImportStationFromDatabase(search.db_dir, shell.country_table, shell.chosen_station_name, shell.state.station);
    for (const UserMessage& message : import.messages) {
        MessageBoxA(shell.main_window, message.text.c_str(), message.caption.c_str(), MB_ICONINFORMATION);
    }
    return import.imported;
}

void ManualEntryCommand(ShellContext& shell) {
    RunManualEntryDialog(shell.instance, shell.main_window, shell.state.station);
}

void SaveWindowAsMetafileCommand(ShellContext& shell) { SaveWindowAsMetafile(shell); }

void CopyWindowToClipboardCommand(ShellContext& shell) { CopyWindowToClipboard(shell); }

void PrintWindowContentCommand(ShellContext& shell) { PrintWindowContent(shell); }
