// The station map dialog without the dialog: what the mouse and the keys do
// to the view, the station under the mouse, the pick, and the line under
// the map. The Win32 dialog only unpacks its messages into these calls and
// paints the map (DrawWorldMap) when one of them says so.
#pragma once

#include <cstdint>
#include <string>

#include "diagram/map_view.h"
#include "diagram/station_map.h"

enum class MapKey { zoom_in, zoom_out, left, right, up, down, home };

struct MapDialogState {
    MapView view;
    std::int64_t picked = -1;   // the station ringed, which OK imports
    std::int64_t hovered = -1;  // the station under the mouse
    bool pressed = false;       // the left button is down in the map
    bool dragging = false;      // ... and has moved far enough to pan
    MapPoint last{0, 0};        // where the button went down, then the last drag position
};

// A press that moves less than this many pixels is a click, not a drag.
constexpr double kDragThreshold = 3;
// The zoom of one wheel notch (120 units) and of + and -; the share of the
// area an arrow key moves the map by.
constexpr double kWheelZoom = 1.5;
constexpr double kKeyZoom = 2;
constexpr double kArrowShare = 0.125;

// Each returns true when the map must be painted again (the view, the ring
// or the line under it changed).
bool MapKeyPressed(MapDialogState& state, const MapArea& area, MapKey key);
// `notches`: the wheel's turn in 120ths, forward (zoom in) positive.
bool MapWheel(MapDialogState& state, const MapArea& area, MapPoint cursor, int wheel_delta);
bool MapButtonDown(MapDialogState& state, MapPoint at);
bool MapMouseMove(MapDialogState& state, const StationMap& map, const MapArea& area, MapPoint at);
// A release without a drag is a click: it picks the nearest station within
// kPickRadius (a click beside every station keeps the pick).
bool MapButtonUp(MapDialogState& state, const StationMap& map, const MapArea& area, MapPoint at);

// The line under the map: the station under the mouse, else the one
// picked, else how to use the map (or why it has no stations).
std::string MapStatusText(const StationMap& map, const MapDialogState& state);
// What OK leaves for the import, as the search dialog's OK leaves it
// ("NAME<tab>NUMBER"); "" when nothing is picked.
std::string MapPickText(const StationMap& map, const MapDialogState& state);

extern const char kMapHintText[];
