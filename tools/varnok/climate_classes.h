// The climate class of every station of the database that has both a
// PRECIP.DAT and a TEMP.DAT record (`varnok classes`): the station as the
// import pairs its records, classified from the two mean blocks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/country_table.h"
#include "database/data_files.h"
#include "platform/mapped_file.h"
#include "station/climate_class.h"

// Texts in Windows-1252 without their padding blanks: views into the
// bytes of the DatabaseClasses that holds the station.
struct StationClass {
    std::string_view number;   // the WMO number
    std::string_view name;
    std::string_view country;  // the country table's name; the code when the table lacks it
    std::optional<ClimateClass> climate_class;
};

struct DatabaseClasses {
    bool ok = true;  // false: a file could not be read; `message` says which
    UserMessage message;
    std::vector<StationClass> stations;  // in PRECIP.DAT order
    // What `varnok classes` prints, AppendStationClassLine of each station:
    // pieces of lines, one after the other.
    std::vector<std::string> lines;
    // What the stations' texts point into.
    CountryTable countries;
    MappedFile precip, temp;
};

DatabaseClasses ClassifyDatabase(const std::string& db_dir);

// Appends "10384<tab>BERLIN-TEMPELHOF<tab>Germany<tab>Cfb<newline>" in
// UTF-8, "-" for no class.
void AppendStationClassLine(std::string& out, const StationClass& station);
