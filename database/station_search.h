// What the station search dialog shows and finds, without the dialog: the
// country list, the station list of a country with the progress of its fill,
// and the search by WMO station number. The dialog procedure moves these
// texts into its controls; the caller keeps chosen_station_name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "database/country_table.h"
#include "database/data_files.h"

// The country list: for every whole record of COUNTRY.DAT, in file order,
// the 60 characters from the name column (trailing blanks kept, a NUL ends a
// text early). The list box sorts them itself. It is read from the file, not
// from the country table.
struct CountryListTexts {
    DataFileStatus status = DataFileStatus::ok;
    std::vector<std::string> texts;
};
CountryListTexts ReadCountryListTexts(const std::string& db_dir);

// " Countries: N" and " Stations available: N", the counts under the lists.
std::string CountriesCountText(std::size_t count);
std::string StationsAvailableText(std::size_t count);

// The code of the country whose list text was selected (FindCountryByName,
// 31 characters compared), or "" when the table has no such country; then
// no station matches.
std::string CountryCodeOfListText(const CountryTable& table, std::string_view list_text);

// A station list entry: the name without its trailing blanks, a tab, and
// the WMO number without its blanks ("GUNNARN\t02126"); the list's second
// tab stop puts the number in a column of its own. It is also what OK
// remembers of the pick (see ParseStationPick).
std::string StationListText(std::string_view name_column, std::string_view number_column);
// The list text of a station record, from its first kListHeaderBytes bytes
// (or more).
std::string RecordListText(std::string_view header);

// How far a station list fill has come, for the dialog's progress bar while
// the scan runs: Start once with the number of whole records of PRECIP.DAT
// (known from its size before the first record is read), then Advance with
// the number of records read so far, rising, at most kFillProgressUpdates
// times; the last Advance is record_count when the whole file was read.
class FillProgress {
public:
    virtual void Start(std::int64_t record_count) = 0;
    virtual void Advance(std::int64_t records_read) = 0;

protected:
    ~FillProgress() = default;
};
constexpr std::int64_t kFillProgressUpdates = 100;

// The station list of a country: the names (24 characters as they stand,
// a NUL ends one early) of every PRECIP.DAT record whose first 3 bytes equal
// the code, in file order, reporting to `progress` (when given) as it goes.
struct StationListFill {
    DataFileStatus status = DataFileStatus::ok;  // not ok: show DataFileProblemMessage
    std::int64_t record_count = 0;
    std::vector<std::string> names;
    std::vector<std::string> texts;  // the list entries, StationListText, in the same order
};
StationListFill FillStationList(const std::string& db_dir, std::string_view country_code,
                                FillProgress* progress = nullptr);

// The number typed into the dialog's number field: its first 15 characters
// by the integer conversion (an empty field gives 0).
std::int32_t ParseStationNumberText(std::string_view text);

// The search by number: the first PRECIP.DAT record whose number (integer
// conversion from the number column, reading on within the first 36 header
// bytes) equals `number`.
struct StationSearch {
    DataFileStatus status = DataFileStatus::ok;
    bool found = false;
    std::string station_name;  // 24 characters as they stand
    std::string list_text;     // the entry the station list shows for it
    std::string country_code;  // the record's first 3 bytes
    // The slot name of that code (at most 31 characters), "" when the table
    // has none: the country list selects its first item beginning with it.
    std::string country_name;
    UserMessage message;  // when not found or not readable: for an information box
};
// "WMO-stationnumber not found in database", for an information box.
UserMessage NumberNotFoundMessage();
StationSearch FindStationByNumber(const std::string& db_dir, const CountryTable& table, std::int32_t number);
