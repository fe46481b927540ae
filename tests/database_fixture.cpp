#include "tests/database_fixture.h"

#include <cstdio>

namespace {

void Put(std::string& record, std::size_t at, const std::string& text) { record.replace(at, text.size(), text); }

std::string Join(const std::vector<std::string>& records) {
    std::string all;
    for (const std::string& r : records) all += r;
    return all;
}

}  // namespace

std::string CountryRecord(const std::string& code, const std::string& name) {
    std::string record(79, ' ');
    Put(record, 12, code);
    Put(record, 17, name.substr(0, 60));
    return record;
}

std::string StationRecordText(const StationColumns& c) {
    std::string record(1338, ' ');
    Put(record, 0, c.code);
    Put(record, 4, c.number);
    Put(record, 12, c.name);
    Put(record, 38, c.latitude);
    Put(record, 45, c.longitude);
    Put(record, 53, c.elevation);
    Put(record, 58, c.first_year);
    Put(record, 63, c.last_year);
    return record;
}

void PutValue(std::string& record, int block, int month, const std::string& value) {
    std::string field = std::string(8 - value.size(), ' ') + value;
    Put(record, 77 + 97 * static_cast<std::size_t>(block) + 8 * static_cast<std::size_t>(month - 1), field);
}

void PutBlock(std::string& record, int block, const std::vector<float>& v) {
    for (int m = 1; m <= 12; ++m) {
        char text[16];
        std::snprintf(text, sizeof text, "%g", static_cast<double>(v[static_cast<std::size_t>(m - 1)]));
        PutValue(record, block, m, text);
    }
}

void TestDatabase::WriteCountries(const std::vector<std::string>& records, const std::string& name) {
    WriteText(File(name), Join(records));
}
void TestDatabase::WritePrecip(const std::vector<std::string>& records, const std::string& name) {
    WriteText(File(name), Join(records));
}
void TestDatabase::WriteTemp(const std::vector<std::string>& records, const std::string& name) {
    WriteText(File(name), Join(records));
}
