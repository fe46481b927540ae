// One station database from several normals tables: one station per WMO
// number, the plausibility screen of precipitation, positions for rows
// without a latitude, and the countries that have stations.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tools/dbgen/normals_table.h"

// The plausibility screen of a precipitation row: a month above 300 mm that
// is more than 8 times both neighbouring months fails, and so do two
// consecutive months both above 300 mm and each more than 8 times both
// months around the pair (a neighbour is the nearest month with a value; an
// empty month is passed over). These are normals sent in tenths of mm. Wet
// places pass: Cherrapunji's monsoon rises over several months, and dry
// months (Lima's zeros) can never fail. Returns the failing months (1..12)
// of the twelve value texts ("" = no value).
std::vector<int> ScreenPrecipitation(const std::array<std::string, 12>& months);

struct MergeReport {
    struct TableCount {
        std::string path;
        int rows = 0;
        int chosen = 0;    // stations this table gives the database
        int complete = 0;  // of them, complete for temperature and precipitation
    };
    std::vector<TableCount> tables;
    std::vector<std::string> screened;       // "68032 MAUN (climat/normals.csv): months 1 2"
    std::vector<std::string> positions;      // a position taken from another table
    std::vector<std::string> left_out;       // stations without a position or a name
};

struct MergedDatabase {
    std::vector<StationRow> precip;  // ordered by WMO number, then name
    std::vector<StationRow> temp;
    // code -> name of the first table row that has it, for every country
    // with at least one record, ordered by code.
    std::vector<CountryRow> countries;
    int complete = 0;  // stations with both records
};

// Merges the tables. `tables` is in the order of preference for a tie: for
// one WMO number the row that is complete for temperature and
// precipitation wins, then the later normals period (last year, then first
// year), then the earlier table. Rows without a WMO number are stations of
// their own. The screen runs over every row before the choice, so a row
// whose precipitation was dropped is incomplete.
MergedDatabase MergeNormalsTables(std::vector<NormalsDatabase> tables, MergeReport& report);
