#include "app/logic/map_dialog.h"

const char kMapHintText[] =
    "Click a station to pick it. Wheel, + and - zoom; drag, arrow keys move; Home: whole world.";

namespace {

bool SameView(const MapView& a, const MapView& b) {
    return a.zoom == b.zoom && a.centre_lon == b.centre_lon && a.centre_lat == b.centre_lat;
}

bool SetView(MapDialogState& state, const MapView& view) {
    if (SameView(state.view, view)) return false;
    state.view = view;
    return true;
}

MapPoint Centre(const MapArea& a) { return {a.left + a.width / 2.0, a.top + a.height / 2.0}; }

}  // namespace

bool MapKeyPressed(MapDialogState& state, const MapArea& area, MapKey key) {
    const double dx = area.width * kArrowShare;
    const double dy = area.height * kArrowShare;
    switch (key) {
        case MapKey::zoom_in: return SetView(state, ZoomAt(area, state.view, Centre(area), kKeyZoom));
        case MapKey::zoom_out: return SetView(state, ZoomAt(area, state.view, Centre(area), 1 / kKeyZoom));
        // An arrow shows what lies that way: the map moves the other way.
        case MapKey::left: return SetView(state, PanBy(area, state.view, dx, 0));
        case MapKey::right: return SetView(state, PanBy(area, state.view, -dx, 0));
        case MapKey::up: return SetView(state, PanBy(area, state.view, 0, dy));
        case MapKey::down: return SetView(state, PanBy(area, state.view, 0, -dy));
        case MapKey::home: return SetView(state, MapView{});
    }
    return false;
}

bool MapWheel(MapDialogState& state, const MapArea& area, MapPoint cursor, int wheel_delta) {
    double factor = 1;
    // Whole notches; a high-resolution wheel's parts add up in the caller.
    for (int n = wheel_delta / 120; n > 0; --n) factor *= kWheelZoom;
    for (int n = wheel_delta / 120; n < 0; ++n) factor /= kWheelZoom;
    return SetView(state, ZoomAt(area, state.view, cursor, factor));
}

bool MapButtonDown(MapDialogState& state, MapPoint at) {
    state.pressed = true;
    state.dragging = false;
    state.last = at;
    return false;
}

bool MapMouseMove(MapDialogState& state, const StationMap& map, const MapArea& area, MapPoint at) {
    bool changed = false;
    if (state.pressed) {
        const double dx = at.x - state.last.x, dy = at.y - state.last.y;
        if (!state.dragging && dx * dx + dy * dy >= kDragThreshold * kDragThreshold) state.dragging = true;
        if (state.dragging) {
            changed = SetView(state, PanBy(area, state.view, dx, dy));
            state.last = at;
        }
    }
    const std::int64_t under = map.grid.Nearest(area, state.view, at, kPickRadius);
    if (under != state.hovered) {
        state.hovered = under;
        changed = true;
    }
    return changed;
}

bool MapButtonUp(MapDialogState& state, const StationMap& map, const MapArea& area, MapPoint at) {
    const bool click = state.pressed && !state.dragging;
    state.pressed = false;
    state.dragging = false;
    if (!click) return false;
    const std::int64_t nearest = map.grid.Nearest(area, state.view, at, kPickRadius);
    if (nearest < 0 || nearest == state.picked) return false;
    state.picked = nearest;
    return true;
}

std::string MapStatusText(const StationMap& map, const MapDialogState& state) {
    if (map.stations.status != DataFileStatus::ok) {
        return DataFileProblemMessage(map.stations.failed_file, map.stations.status).text;
    }
    if (state.hovered >= 0) return StationMapLabel(map, state.hovered);
    if (state.picked >= 0) return StationMapLabel(map, state.picked);
    return kMapHintText;
}

std::string MapPickText(const StationMap& map, const MapDialogState& state) {
    if (state.picked < 0 || static_cast<std::size_t>(state.picked) >= map.stations.stations.size()) return "";
    return map.stations.stations[static_cast<std::size_t>(state.picked)].pick_text;
}
