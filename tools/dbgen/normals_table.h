// Station normals tables (CSV, one station per row) turned into database
// records. Two layouts are read: the national normals table's, with
// separate temperature and precipitation periods (temp_first_year,
// precip_first_year, ...), and that of the CLIMAT and JMA tables, with one
// period per row (normal_first_year, normal_last_year). Columns are found
// by their names.
#pragma once

#include <string>
#include <vector>

#include "tools/dbgen/database_writer.h"

// One row of a table: its PRECIP.DAT and TEMP.DAT records as they would be
// written, before any choice between tables.
struct NormalsStation {
    StationRow precip;  // header, precipitation blocks and years
    StationRow temp;    // header, temperature blocks and years
    bool has_precip = false;
    bool has_temp = false;
    std::string country_name;
    // True when all twelve mean temperatures and all twelve precipitation
    // totals are given.
    bool Complete() const;
    // The row's normals period: the latest first and last years of its two
    // elements (0 when it has none).
    int FirstYear() const;
    int LastYear() const;
};

struct NormalsDatabase {
    std::string path;  // the table's file, for reports
    // Every row of the table, in its order.
    std::vector<NormalsStation> stations;
    // The distinct country codes of the table with the name of their first
    // row, ordered by code.
    std::vector<CountryRow> countries;
    // The records of the rows alone: a station with any precipitation
    // normal has a PRECIP.DAT record; one with any temperature normal (mean,
    // minimum or maximum) a TEMP.DAT record. Rows keep the table's order.
    std::vector<StationRow> precip;
    std::vector<StationRow> temp;
    int rows = 0;  // stations in the table
};

// Reads a normals table. Names become upper case; the WMO number, position
// and values are copied as written; the elevation is rounded to whole
// metres. False with `error` set when the file cannot be read or lacks a
// needed column.
bool ReadNormalsTable(const std::string& csv_path, NormalsDatabase& out, std::string* error);

// Splits one CSV text into rows of fields (quotes and doubled quotes as in
// RFC 4180; CR LF or LF line ends).
std::vector<std::vector<std::string>> ParseCsv(const std::string& text);
