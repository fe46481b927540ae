// Writing station databases: the three files in the layout the program
// reads. The program itself never writes them; the database generator, the
// tests and the benchmarks do.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

struct CountryRow {
    std::string code;  // 3 characters (more are cut)
    std::string name;  // Windows-1252, up to 60 characters (more are cut)
};

// Texts of one station record. Numbers are written right-aligned in their
// columns; an empty value field is written blank and reads as 0.
struct StationRow {
    std::string country_code;  // 3 characters
    std::string number;        // WMO station number, up to 8 characters; "" blank
    std::string name;          // up to 24 characters, blank-padded
    // Signed degrees.minutes with two-digit minutes ("52.31", "-0.30",
    // "-123.05"); "" is written as 0.00 so that the columns still hold a
    // number and no conversion reads on into the next column.
    std::string latitude;
    std::string longitude;
    std::int32_t elevation_m = 0;
    std::int32_t first_year = 0;
    std::int32_t last_year = 0;
    // Value texts, January to December, of the mean, minimum and maximum
    // blocks; each at most 8 characters (longer ones are cut).
    std::array<std::array<std::string, 12>, 3> months;
};

// The 79-byte COUNTRY.DAT record, ending with CR LF.
std::string FormatCountryRecord(const CountryRow& row);
// The 1338-byte PRECIP.DAT or TEMP.DAT record, ending with CR LF; the
// blocks that the program does not read are blank.
std::string FormatStationRecord(const StationRow& row);

// Writes COUNTRY.DAT, PRECIP.DAT and TEMP.DAT into a folder (made when it
// is not there), record by record, so a database of any size needs little memory.
class DatabaseWriter {
public:
    DatabaseWriter() = default;
    ~DatabaseWriter();
    DatabaseWriter(const DatabaseWriter&) = delete;
    DatabaseWriter& operator=(const DatabaseWriter&) = delete;

    // Creates (or truncates) the three files; false with `error` set on failure.
    bool Open(const std::string& dir, std::string* error);
    void AddCountry(const CountryRow& row);
    void AddPrecip(const StationRow& row);
    void AddTemp(const StationRow& row);
    // Closes the files; false when any write or close failed.
    bool Close(std::string* error);

private:
    void Put(std::FILE* file, const std::string& bytes);
    std::FILE* country_ = nullptr;
    std::FILE* precip_ = nullptr;
    std::FILE* temp_ = nullptr;
    bool failed_ = false;
};
