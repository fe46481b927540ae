// The main window's commands (menu, toolbar and popup menu) and the
// diagram window's left click. The window procedures translate messages
// into these calls; everything the user sees changes through the Shell,
// and the command logic decides every repaint.
#pragma once

#include <cstdint>
#include <string>

#include "app/logic/app_state.h"
#include "app/logic/shell.h"

extern const char kAboutText[];
extern const char kAboutCaption[];
extern const char kStationFileCaption[];  // caption of the station file messages

// The status bar's own text (part 0, shown when no menu help is): the
// station's climate class and its name, "Köppen–Geiger: Cfb (Temperate,
// no dry season, warm summer)" (UTF-8, as every text the shell is given);
// for a station without a class, the view's text ("Varnok 32 - climate
// diagram").
std::string StatusText(const AppState& state);

// Runs a command from the menu, a toolbar button or the popup menu and
// brings the menu state in line. Returns false for a command it does not
// know; nothing has happened then.
bool RunCommand(AppState& state, Shell& shell, int command);

// Command 10: the open dialog, the file read over the record (a file that
// cannot be read or is shorter than a record is refused with a message and
// the station stays as it was), then, whether or not a file was read, the
// derived values with the stored extremes kept, the record's view mode
// re-applied and the main window repainted.
void OpenStationFile(AppState& state, Shell& shell);

// Command 10 without its dialog, for the station file named on the command
// line (the open command of a .cli file): the same reading, messages and
// view as after a file chosen in the dialog.
void OpenStationFileAt(AppState& state, Shell& shell, const std::string& path);

// Command 11: the save dialog and the 660-byte image written; a file that
// cannot be written is reported. The diagram window is repainted in any case.
void SaveStationFile(AppState& state, Shell& shell);

// Commands 21 and 22: view mode, check marks, gray items, status text and
// the main window's size for the mode; the diagram window is repainted in
// the new mode even when the main window keeps its size.
void ShowAsDiagram(AppState& state, Shell& shell);
void ShowAsTable(AppState& state, Shell& shell);

// WM_LBUTTONDOWN of the diagram window, in either mode; click_y in pixels
// from the window's top.
void DiagramLeftClick(AppState& state, Shell& shell, std::int32_t click_y);
