// The toolbar and the status bar of the main window, and the menu help
// that shows a highlighted item's help text in the status bar.
#pragma once

#include "app/win32/win32_api.h"

#include "app/win32/program_context.h"

// Status bar first, then toolbar; their handles go into the context.
void CreateBars(ProgramContext& program);

// The toolbar's images from the strip for the main window's DPI, and its
// buttons sized to them; nothing when the DPI keeps the strip.
void ScaleToolbar(ProgramContext& program);

// First step of every size change: both bars place themselves along their edges.
void LayoutBars(const ProgramContext& program);

// WM_NOTIFY of the main window: tooltips, button size, customisation.
LRESULT OnToolbarNotify(ProgramContext& program, WPARAM wparam, LPARAM lparam);

// WM_MENUSELECT of the main window.
void OnMenuSelect(const ProgramContext& program, WPARAM wparam, LPARAM lparam);
