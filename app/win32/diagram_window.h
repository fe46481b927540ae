// The diagram window (class ChildWindow, control id 2000): paints the
// current station as a diagram or a table, reports its size in the main
// window's caption, moves the x-axis on a left click and opens the
// Presentation menu on a right click.
#pragma once

#include "app/win32/win32_api.h"

#include "app/win32/program_context.h"

extern const wchar_t kDiagramWindowClass[];  // "ChildWindow"

LRESULT CALLBACK DiagramWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// A child of the main window with size 0 x 0; the main window's first size
// change gives it its real size.
void CreateDiagramWindow(const ProgramContext& program);
