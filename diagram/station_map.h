// Everything the station map shows of a database, loaded once: the stations
// with both records, their positions and dot colours, the grid that finds
// the one under the mouse, and the land.
#pragma once

#include <string>
#include <vector>

#include "database/map_stations.h"
#include "database/world_outline.h"
#include "diagram/station_grid.h"
#include "diagram/world_map.h"

struct StationMap {
    MapStations stations;
    OutlineRead land;  // not ok: the map has no land (land.message says why)
    std::vector<GeoPosition> positions;
    std::vector<Colour> colours;  // one per station
    StationGrid grid;
};

// Reads PRECIP.DAT, TEMP.DAT and WORLD.DAT of the folder. A data file that
// cannot be read leaves no stations (stations.status says which); a missing
// or broken WORLD.DAT leaves no land, and nothing else changes.
StationMap LoadStationMap(const std::string& db_dir);
// The same for stations already collected.
void PlaceStations(StationMap& map);

// The drawing of the map in an area and view.
MapDrawing StationMapDrawing(const StationMap& map, const MapArea& area, const MapView& view);

// "BERLIN-TEMPELHOF 10384, Cfb: Temperate, no dry season, warm summer" (or
// ", no climate class"), for the line under the map.
std::string StationMapLabel(const StationMap& map, std::int64_t station);
