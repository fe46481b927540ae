// Small station databases written by the tests, column by column at the
// offsets of the file layout, so a reader that gets an offset wrong fails.
#pragma once

#include <string>
#include <vector>

#include "database/data_text.h"
#include "tests/test_support.h"

// A COUNTRY.DAT record: 79 bytes, code at 12, name at 17 (60 bytes).
std::string CountryRecord(const std::string& code, const std::string& name);

// A station record of 1338 bytes, blank, with the header columns put as
// given (each text exactly as wide as its column, or shorter: it is written
// from the column's start).
struct StationColumns {
    std::string code = "000";          // offset 0, 3 bytes
    std::string number = "       0";   // offset 4, 8 bytes
    std::string name = "STATION";      // offset 12, 24 bytes (padded)
    std::string latitude = " 52.31";   // offset 38: 3 degrees, '.', 2 minutes
    std::string longitude = "  13.04"; // offset 45: 4 degrees, '.', 2 minutes
    std::string elevation = "   81";   // offset 53, 5 bytes
    std::string first_year = " 1951";  // offset 58
    std::string last_year = " 1980";   // offset 63
};
std::string StationRecordText(const StationColumns& columns);

// Puts an 8-byte value field (right-aligned) into block `block`, month
// 1..12, of a station record.
void PutValue(std::string& record, int block, int month, const std::string& value);
// Puts the twelve values v[0..11] into a block, formatted with "%g".
void PutBlock(std::string& record, int block, const std::vector<float>& v);

// A database folder with the three files.
class TestDatabase {
public:
    const std::string& dir() const { return scratch_.path(); }
    std::string File(const std::string& name) const { return scratch_.File(name); }
    void WriteCountries(const std::vector<std::string>& records, const std::string& name = "COUNTRY.DAT");
    void WritePrecip(const std::vector<std::string>& records, const std::string& name = "PRECIP.DAT");
    void WriteTemp(const std::vector<std::string>& records, const std::string& name = "TEMP.DAT");

private:
    ScratchDir scratch_;
};
