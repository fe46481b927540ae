// The stations of the map: every PRECIP.DAT record that has its TEMP.DAT
// record (the pairing of the atlas and the import), with its position in
// decimal degrees and the text the search dialog's OK leaves for the
// import, so that a station picked on the map arrives as the same station
// picked in the list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "database/data_files.h"
#include "station/climate_class.h"

struct MapStation {
    std::string name;       // the name without trailing blanks (Windows-1252)
    std::string number;     // the WMO number text without blanks
    std::string code;       // the country code
    std::string pick_text;  // "NAME<tab>NUMBER", StationListText of the record
    double lon = 0;         // decimal degrees, east positive
    double lat = 0;         // north positive
    std::size_t precip_index = 0;  // the record's place in PRECIP.DAT
    // The class of the station as the import brings it (its mean
    // precipitation and temperature blocks); none where they give none.
    std::optional<ClimateClass> climate_class;
};

struct MapStations {
    DataFileStatus status = DataFileStatus::ok;
    DataFile failed_file = DataFile::precip;  // the file that could not be read when status is not ok
    std::vector<MapStation> stations;
    std::int64_t unplaced = 0;  // paired records whose position is not on the globe
};

// A position column of the database as decimal degrees: the degree field
// (its sign read from a '-' anywhere in it, so -0.31 stays west) and the
// minutes field: "52.28" is 52 degrees 28 minutes, 52.4667. False for
// minutes outside 0 to 59 or a result beyond `limit` degrees.
bool DatabaseDegrees(std::string_view degree_field, std::string_view minutes_field, double limit, double& out);

// Reads PRECIP.DAT and TEMP.DAT once each.
MapStations LoadMapStations(const std::string& db_dir);
// The same from whole records already read (the atlas reads them anyway).
void CollectMapStations(const char* precip, std::size_t precip_count, const char* temp,
                        const std::vector<std::int64_t>& pairs, MapStations& out);
