// The import of one station from the database into the current station
// record: what the "Open station from database" command does after the
// search dialog has left its pick in chosen_station_name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "database/country_table.h"
#include "database/data_files.h"
#include "station/station_record.h"

// What the search dialog remembers on OK: the station list's text of the
// picked entry, "NAME<tab>NUMBER" (ParseStationPick), so that stations of
// the same name stay apart. A text without a tab is a bare name, as files of
// other programs and older picks hold it: the first record of that name.
struct StationPick {
    std::string name;         // "" for a pick by number alone
    bool bare_name = false;   // no tab: compared over 24 characters as it stands
    bool by_number = false;   // the WMO number must match too
    std::int32_t number = 0;  // integer conversion of the number text
};
StationPick ParseStationPick(std::string_view chosen_text);
// A pick by WMO number alone (varnok import --wmo): the first PRECIP.DAT
// record with that number, and the TEMP.DAT record of its name and number.
StationPick NumberPick(std::int32_t number);

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
    bool precip_found = false;  // a PRECIP.DAT record was taken
    DataFileStatus precip_status = DataFileStatus::ok;
};

// Finds the picked station and fills the record. A bare name takes the
// first PRECIP.DAT record and the first TEMP.DAT record whose 24-character
// name equals it (over at most 24 characters). A name with a number takes
// the first PRECIP.DAT record of that name and number, and the TEMP.DAT
// record of that name and number; only when no TEMP.DAT record has the
// number at all, the first TEMP.DAT record of the name. Each file is read
// once at most. The import fills: header fields and the precipitation
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
StationImport ImportPickedStation(const std::string& db_dir, const CountryTable& table, const StationPick& pick,
                                  StationData& station);

// One record an import takes, already read: a whole 1338-byte record, or
// null when the file has none for the station; then `status` says whether
// the file could be read at all.
struct ImportSource {
    const char* record = nullptr;
    DataFileStatus status = DataFileStatus::ok;
};

// What ImportPickedStation does once it has found the two records, for
// callers that read each data file once for many stations: the same fields,
// clearing, derived values and month order, the same messages.
StationImport ImportStationRecords(const CountryTable& table, std::string_view station_name,
                                   ImportSource precip, ImportSource temp, StationData& station);

// For callers that import every station of the database (the atlas): for
// each PRECIP.DAT record, the index of the TEMP.DAT record that the import
// of its station-list pick takes (the pick's name and number; only when no
// TEMP.DAT record has the number, the first of the name), or -1 for none.
// `precip` and `temp` hold whole records, one after the other. One pass
// over each file, so a database of any size pairs in linear time. `stride`
// is the distance from one record to the next: a caller may keep only the
// first kImportHeaderBytes of each record, one after the other.
std::vector<std::int64_t> PairTemperatureRecords(const char* precip, std::size_t precip_count, const char* temp,
                                                 std::size_t temp_count,
                                                 std::size_t stride = db_layout::kStationRecordSize);

// The same pairing one PRECIP.DAT record at a time: TEMP.DAT indexed once,
// each record's pair then looked up. The records must stay where they are
// while it is used.
class TemperaturePairing {
public:
    TemperaturePairing(const char* temp, std::size_t temp_count, std::size_t stride = db_layout::kStationRecordSize);
    // The index in `parts` parts of the records, one after the other, each
    // made by MakePart (once, from any thread) before the first PairOf.
    // PairOf may be called from several threads at once.
    TemperaturePairing(const char* temp, std::size_t temp_count, std::size_t stride, int parts);
    void MakePart(int part);
    ~TemperaturePairing();
    TemperaturePairing(const TemperaturePairing&) = delete;
    TemperaturePairing& operator=(const TemperaturePairing&) = delete;

    // The TEMP.DAT record that a PRECIP.DAT record (its first
    // kImportHeaderBytes bytes) pairs with, or -1.
    std::int64_t PairOf(const char* precip_header) const;
    // The same where the caller has the record's number column as
    // TrimmedColumn reads it and its name column cut at a NUL and without
    // trailing blanks.
    std::int64_t PairOf(const char* precip_header, std::string_view number, std::string_view name) const;

private:
    class Index;
    std::unique_ptr<Index> index_;
};
