// Output of the window content elsewhere than the screen: an enhanced
// metafile in a file (command 13) or on the clipboard (command 40), and one
// printed page (command 15). Each builds its surface, draws once and
// releases the surface (or hands it to the clipboard) before it returns; a
// failure after the user's choice is reported in an information box owned
// by the main window.
#pragma once

#include "app/win32/program_context.h"
#include "diagram/print_page.h"

// Asks for a file name (starting from the name of the last save, first
// "Climate station.emf") and writes the metafile under exactly that name.
void SaveWindowAsMetafile(ProgramContext& program);

// Replaces the clipboard's contents by the metafile (CF_ENHMETAFILE only).
void CopyWindowToClipboard(ProgramContext& program);

// The print dialog, then one page of the view drawn at the print scale;
// nothing when the dialog is cancelled.
void PrintWindowContent(ProgramContext& program, PageView view);
