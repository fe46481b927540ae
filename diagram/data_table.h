// The data table view: nine rows of monthly values in thirteen columns
// (the twelve months in display order and the year), with a grid, the
// station's name and country above it and its position, country code and
// station number around it. Every position is a multiple of the character
// width cw and line height lh of the font selected on the surface, plus a
// few fixed unit offsets; nothing else scales the table.
#pragma once

#include "diagram/draw_surface.h"
#include "diagram/drawing_state.h"
#include "station/station_record.h"

// Draws the whole table. Rows 0 and 6 take the colours of the temperature
// and precipitation pens (black in monochrome). Writes annual_precip_mm and
// annual_mean_temp_c into slot 13 of precip_mm and temp_c of the record:
// they stay there and go into a station file saved afterwards. Leaves the
// text colour black and the alignment left/top.
void DrawDataTable(DrawSurface& surface, const DrawingState& state, StationData& station, int cw, int lh);
