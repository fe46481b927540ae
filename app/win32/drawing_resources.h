// The shared drawing resources of the main window: the background brush
// and the five pens. (The display font belongs to each drawing surface,
// made from state.drawing.display_font at every paint.) Made at main-window creation, replaced
// in place by the colour and font commands (the old object deleted
// first), deleted when the main window is destroyed.
#pragma once

#include "app/win32/program_context.h"

// The pattern brush from bitmap 1000 (the bitmap itself is deleted again).
HBRUSH CreateBackgroundBrush(HINSTANCE instance);

// thick, precip, temp, thin, dotted, in that order.
void CreatePens(ProgramContext& program);
// Replaces precip_pen and temp_pen: black in monochrome, else blue and red.
void RecreateCurvePens(ProgramContext& program, bool monochrome);
// Deletes the brush and the pens; null handles are skipped.
void DeleteDrawingResources(ProgramContext& program);
