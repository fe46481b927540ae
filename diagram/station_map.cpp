#include "diagram/station_map.h"

void PlaceStations(StationMap& map) {
    map.positions.clear();
    map.colours.clear();
    for (const MapStation& s : map.stations.stations) {
        map.positions.push_back({s.lon, s.lat});
        map.colours.push_back(ClimateClassDotColour(s.climate_class));
    }
    map.grid = StationGrid(map.positions);
}

StationMap LoadStationMap(const std::string& db_dir) {
    StationMap map;
    map.stations = LoadMapStations(db_dir);
    map.land = ReadWorldOutline(db_dir);
    PlaceStations(map);
    return map;
}

MapDrawing StationMapDrawing(const StationMap& map, const MapArea& area, const MapView& view) {
    MapDrawing d;
    d.area = area;
    d.view = view;
    d.land = map.land.status == OutlineStatus::ok ? &map.land.outline : nullptr;
    d.stations = &map.positions;
    d.colours = &map.colours;
    return d;
}

std::string StationMapLabel(const StationMap& map, std::int64_t station) {
    if (station < 0 || static_cast<std::size_t>(station) >= map.stations.stations.size()) return "";
    const MapStation& s = map.stations.stations[static_cast<std::size_t>(station)];
    std::string label = s.name + " " + s.number;
    if (s.climate_class) {
        label += ", ";
        label += ClimateClassCode(*s.climate_class);
        label += ": ";
        label += ClimateClassName(*s.climate_class);
    } else {
        label += ", no climate class";
    }
    return label;
}
