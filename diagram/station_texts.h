// The texts of the diagram and the table that depend on the presentation:
// the station's identity, hidden in the quiz mode, and the climate class
// line, broken into lines that fit the room it has.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "diagram/draw_surface.h"
#include "diagram/drawing_state.h"
#include "station/station_record.h"

// What stands for the station's name, country, position and numbers
// while the station is hidden.
extern const char kHiddenStationText[];  // "?"

// The field's text, or "?" while the station is hidden.
std::string StationText(const DrawingState& state, std::string text);

// The class line of the record ("" when the setting is off or the station
// has no class), broken at blanks into lines of at most max_chars
// characters (a word longer than that is cut); none when max_chars < 1.
std::vector<std::string> ClimateClassLines(const DrawingState& state, const StationRecord& record, int max_chars);

// Draws the class lines left-aligned from (x, y) down, one line height
// apart, within `width` device units and above `y_limit`: the lines that
// do not fit above it are left out. Returns the number drawn.
int DrawClimateClassLines(DrawSurface& surface, const DrawingState& state, const StationRecord& record, int x, int y,
                          int width, int y_limit);
