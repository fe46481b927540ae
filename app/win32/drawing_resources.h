// The shared drawing resources of the main window: the background brush,
// the five pens and display_font. Made at main-window creation, replaced
// in place by the colour and font commands (the old object deleted
// first), deleted when the main window is destroyed.
#pragma once

#include "app/win32/shell_context.h"

// The pattern brush from bitmap 1000 (the bitmap itself is deleted again).
HBRUSH CreateBackgroundBrush(HINSTANCE instance);

// thick, precip, temp, thin, dotted, in that order.
void CreatePens(ShellContext& shell);
// Replaces precip_pen and temp_pen: black in monochrome, else blue and red.
void RecreateCurvePens(ShellContext& shell, bool monochrome);
// Replaces display_font by a font made from state.drawing.display_font.
void RecreateDisplayFont(ShellContext& shell);

// Deletes the brush, the pens and the font; null handles are skipped.
void DeleteDrawingResources(ShellContext& shell);
