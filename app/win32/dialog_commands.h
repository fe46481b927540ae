// The commands that open a dialog of their own or put the picture
// somewhere else than the screen. The main window's command dispatch calls
// them; the repaint that follows commands 12 and 18 is done by the
// dispatch, not here.
#pragma once

#include "app/win32/shell_context.h"

// Command 18: the search dialog GETSTATION and the import of the chosen
// station into shell.state.station. True when a station was imported.
bool ImportStationCommand(ShellContext& shell);

// Command 12: the manual data entry dialog GETMANUALDATA.
void ManualEntryCommand(ShellContext& shell);

// Command 13: the window content saved as an enhanced metafile.
void SaveWindowAsMetafileCommand(ShellContext& shell);

// Command 40: the window content copied to the clipboard as an enhanced metafile.
void CopyWindowToClipboardCommand(ShellContext& shell);

// Command 15: the print dialog and one printed page at shell.state.drawing.print_scale.
void PrintWindowContentCommand(ShellContext& shell);
