#include "tools/dbgen/database_writer.h"

#include <filesystem>
#include <system_error>

#include "database/data_files.h"

namespace {

using namespace db_layout;

// Puts `text` right-aligned into the `width` bytes at `at`.
void PutRight(std::string& record, std::size_t at, std::size_t width, const std::string& text) {
    std::string t = text.size() > width ? text.substr(0, width) : text;
    record.replace(at + width - t.size(), t.size(), t);
}

// An integer column of `width` bytes: values that do not fit are held at
// the largest or smallest that does, never cut to other digits.
void PutNumber(std::string& record, std::size_t at, std::size_t width, std::int32_t value) {
    std::int64_t high = 1, low;
    for (std::size_t i = 0; i < width; ++i) high *= 10;
    low = -(high / 10 - 1);
    std::int64_t v = value >= high ? high - 1 : value < low ? low : value;
    PutRight(record, at, width, std::to_string(v));
}

void PutLeft(std::string& record, std::size_t at, std::size_t width, const std::string& text) {
    std::string t = text.size() > width ? text.substr(0, width) : text;
    record.replace(at, t.size(), t);
}

// "-0.30" -> degrees "-0" and minutes "30"; a missing or malformed text
// gives "0" and "00".
void SplitDegreesMinutes(const std::string& text, std::string& degrees, std::string& minutes) {
    std::size_t dot = text.find('.');
    std::string d = text.substr(0, dot);
    std::string m = dot == std::string::npos ? "" : text.substr(dot + 1);
    std::size_t digits_from = (!d.empty() && (d[0] == '-' || d[0] == '+')) ? 1 : 0;
    bool ok = d.size() > digits_from && d.find_first_not_of("0123456789", digits_from) == std::string::npos &&
              m.size() <= 2 && m.find_first_not_of("0123456789") == std::string::npos;
    if (!ok) {
        degrees = "0";
        minutes = "00";
        return;
    }
    degrees = d[0] == '+' ? d.substr(1) : d;
    minutes = m;
    while (minutes.size() < 2) minutes += '0';  // "52.3" is 52 degrees 30 minutes
}

void PutPosition(std::string& record, std::size_t at, std::size_t degree_width, const std::string& text) {
    std::string degrees, minutes;
    SplitDegreesMinutes(text, degrees, minutes);
    PutRight(record, at, degree_width, degrees);
    record[at + degree_width] = '.';
    PutLeft(record, at + degree_width + 1, 2, minutes);
}

}  // namespace

std::string FormatCountryRecord(const CountryRow& row) {
    std::string record(kCountryRecordSize, ' ');
    PutLeft(record, kCountryCodeOffset, kCountryCodeWidth, row.code);
    PutLeft(record, kCountryNameOffset, kCountryNameWidth, row.name);
    record[kCountryRecordSize - 2] = '\r';
    record[kCountryRecordSize - 1] = '\n';
    return record;
}

std::string FormatStationRecord(const StationRow& row) {
    std::string record(kStationRecordSize, ' ');
    PutLeft(record, kCodeOffset, kCountryCodeWidth, row.country_code);
    PutRight(record, kNumberOffset, kNumberWidth, row.number);
    PutLeft(record, kNameOffset, kNameWidth, row.name);
    PutPosition(record, kLatitudeOffset, 3, row.latitude);
    PutPosition(record, kLongitudeOffset, 4, row.longitude);
    PutNumber(record, kElevationOffset, 5, row.elevation_m);
    // The years keep a blank before them, which ends the number in front.
    PutNumber(record, kFirstYearOffset + 1, 4, row.first_year);
    PutNumber(record, kLastYearOffset + 1, 4, row.last_year);
    const int blocks[3] = {kMeanBlock, kMinimumBlock, kMaximumBlock};
    for (int b = 0; b < 3; ++b) {
        for (int m = 0; m < 12; ++m) {
            PutRight(record, BlockOffset(blocks[b]) + kValueFieldWidth * static_cast<std::size_t>(m),
                     kValueFieldWidth, row.months[static_cast<std::size_t>(b)][static_cast<std::size_t>(m)]);
        }
    }
    record[kStationRecordSize - 2] = '\r';
    record[kStationRecordSize - 1] = '\n';
    return record;
}

DatabaseWriter::~DatabaseWriter() {
    std::string ignored;
    Close(&ignored);
}

bool DatabaseWriter::Open(const std::string& dir, std::string* error) {
    // A folder that is not there yet is made, with its parents.
    std::error_code not_made;  // then the files cannot be created, which is reported
    if (!dir.empty()) std::filesystem::create_directories(dir, not_made);
    auto open = [&](DataFile file) {
        std::string path = (dir.empty() ? std::string() : dir + "/") + DataFileName(file);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f && error) *error = "cannot create " + path;
        return f;
    };
    country_ = open(DataFile::country);
    precip_ = country_ ? open(DataFile::precip) : nullptr;
    temp_ = precip_ ? open(DataFile::temp) : nullptr;
    if (temp_) return true;
    std::string ignored;
    Close(&ignored);
    return false;
}

void DatabaseWriter::Put(std::FILE* file, const std::string& bytes) {
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) failed_ = true;
}

void DatabaseWriter::AddCountry(const CountryRow& row) { Put(country_, FormatCountryRecord(row)); }
void DatabaseWriter::AddPrecip(const StationRow& row) { Put(precip_, FormatStationRecord(row)); }
void DatabaseWriter::AddTemp(const StationRow& row) { Put(temp_, FormatStationRecord(row)); }

bool DatabaseWriter::Close(std::string* error) {
    for (std::FILE** f : {&country_, &precip_, &temp_}) {
        if (*f && std::fclose(*f) != 0) failed_ = true;
        *f = nullptr;
    }
    if (failed_ && error && error->empty()) *error = "a database file could not be written completely";
    bool ok = !failed_;
    failed_ = false;
    return ok;
}
