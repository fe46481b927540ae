// The import of one station from the database into the current station
// record: what the "Open station from database" command does after the
// search dialog has left its pick in chosen_station_name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "database/country_table.h"
#include "database/data_files.h"
#include "station/station_record.h"

struct StationImport {
    // False when chosen_station_name is empty (the dialog was cancelled, or
    // nothing was picked yet): the record is unchanged and nothing is
    // repainted. True otherwise, also when a file had no record.
    bool imported = false;
    // In order, for information boxes owned by the main window:
    // "No precipitation entry for this station in database!",
    // "No temperature entry for this station in database!", or a file that
    // could not be read.
    std::vector<UserMessage> messages;
};

// Finds the first PRECIP.DAT record and the first TEMP.DAT record whose
// 24-character name equals chosen_station_name (over at most 24
// characters) and fills the record: header fields and the precipitation
// blocks from PRECIP.DAT (the country name through the table; a code that is
// not in the table keeps the country as it was), the years and the
// temperature blocks from TEMP.DAT. Frost marks are cleared, the derived
// values recomputed with new extremes, the absolute extremes set to -999.0
// with all four show flags off, and a southern station's six month arrays
// swapped so that they run from July. diagram_mode and month_labels keep
// their values.
//
// A file without the station, or one that cannot be read, clears every field
// it would have supplied: numbers 0, for PRECIP.DAT the station's name from
// chosen_station_name and an empty number and country. Nothing is left from
// the station shown before.
//
// The caller invalidates the diagram window when `imported` is true.
StationImport ImportStationFromDatabase(const std::string& db_dir, const CountryTable& table,
                                        std::string_view chosen_station_name, StationData& station);

// One record an import takes, already read: a whole 1338-byte record, or
// null when the file has none for the station; then `status` says whether
// the file could be read at all.
struct ImportSource {
    const char* record = nullptr;
    DataFileStatus status = DataFileStatus::ok;
};

// What ImportStationFromDatabase does once it has found the two records, for
// callers that read each data file once for many stations: the same fields,
// clearing, derived values and month order, the same messages.
StationImport ImportStationRecords(const CountryTable& table, std::string_view chosen_station_name,
                                   ImportSource precip, ImportSource temp, StationData& station);
