// Output of the window content elsewhere than the screen: a picture file
// (enhanced metafile, SVG or PNG; command 13), a metafile on the clipboard
// (command 40), and one printed page (command 15). Each builds its surface, draws once and
// releases the surface (or hands it to the clipboard) before it returns; a
// failure after the user's choice is reported in an information box owned
// by the main window.
#pragma once

#include "app/win32/program_context.h"
#include "diagram/print_page.h"

// The window-content save: asks for a file name (starting from the name of
// the last save, first "Climate station.emf") and a type, and writes an
// enhanced metafile, an SVG or a PNG picture of the window content; the type
// is the one chosen in the dialog or named by the typed extension.
void SaveWindowContent(ProgramContext& program);

// Replaces the clipboard's contents by the metafile (CF_ENHMETAFILE only).
void CopyWindowToClipboard(ProgramContext& program);

// The print dialog, then one page of the view drawn at the print scale;
// nothing when the dialog is cancelled.
void PrintWindowContent(ProgramContext& program, PageView view);
