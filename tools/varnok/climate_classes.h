// The climate class of every station of the database that has both a
// PRECIP.DAT and a TEMP.DAT record (`varnok classes`): the station as the
// import pairs its records, classified from the two mean blocks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "database/data_files.h"
#include "station/climate_class.h"

// Texts in Windows-1252 without their padding blanks.
struct StationClass {
    std::string number;   // the WMO number
    std::string name;
    std::string country;  // the country table's name; the code when the table lacks it
    std::optional<ClimateClass> climate_class;
};

struct DatabaseClasses {
    bool ok = true;  // false: a file could not be read; `message` says which
    UserMessage message;
    std::vector<StationClass> stations;  // in PRECIP.DAT order
};

DatabaseClasses ClassifyDatabase(const std::string& db_dir);

// "10384<tab>BERLIN-TEMPELHOF<tab>Germany<tab>Cfb" in UTF-8, "-" for no class.
std::string StationClassLine(const StationClass& station);
