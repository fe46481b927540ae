#include "tools/varnok/climate_classes.h"

#include "database/country_table.h"
#include "database/data_text.h"
#include "database/station_import.h"
#include "station/text_encoding.h"

namespace {

using namespace db_layout;

// What the classes need of one data file: each record's header (the part
// the pairing reads) and its mean block as the import reads it. The file
// holds January first for every station, so no hemisphere is needed.
struct MeanFile {
    DataFileStatus status = DataFileStatus::ok;
    std::string headers;  // kImportHeaderBytes per record
    struct Means {
        MonthArray month;
    };
    std::vector<Means> means;
};

// One 8-byte field that holds blanks, an optional minus, digits with at
// most one point, and blanks: the value ParseLeadingReal gives it, read in
// one pass (a whole database is classified in about the time of reading
// it). False for any other field.
bool ParsePlainField(const char* field, float& value) {
    static const double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    int i = 0;
    while (i < 8 && field[i] == ' ') ++i;
    const bool negative = i < 8 && field[i] == '-';
    i += negative ? 1 : 0;
    std::int64_t mantissa = 0;
    int digits = 0, decimals = -1;
    for (; i < 8; ++i) {
        const char c = field[i];
        if (c >= '0' && c <= '9') {
            mantissa = mantissa * 10 + (c - '0');
            ++digits;
            decimals += decimals >= 0 ? 1 : 0;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
        } else {
            break;
        }
    }
    for (int k = i; k < 8; ++k) {
        if (field[k] != ' ') return false;
    }
    if (digits == 0) return false;
    const double magnitude = static_cast<double>(mantissa) / kPowers[decimals < 0 ? 0 : decimals];
    value = static_cast<float>(negative ? -magnitude : magnitude);
    return true;
}

// Slots 1 to 12 of the mean block as ParseMonthlyBlock reads them.
void ReadMeanBlock(const char* record, MonthArray& months) {
    const char* block = record + BlockOffset(kMeanBlock);
    for (int m = 0; m < 12; ++m) {
        if (!ParsePlainField(block + kValueFieldWidth * static_cast<std::size_t>(m), months[m + 1])) {
            ParseMonthlyBlock(block, kBlockSize, months);
            return;
        }
    }
}

MeanFile ReadMeans(const std::string& path) {
    MeanFile file;
    std::int64_t count = 0;
    file.status = ScanStationRecords(
        path,
        [&](const StationRecordBytes& record) {
            if (file.means.empty()) {
                file.headers.reserve(static_cast<std::size_t>(count) * kImportHeaderBytes);
                file.means.reserve(static_cast<std::size_t>(count));
            }
            file.headers.append(record.bytes, kImportHeaderBytes);
            file.means.emplace_back();
            ReadMeanBlock(record.bytes, file.means.back().month);
            return false;
        },
        &count);
    return file;
}

std::optional<ClimateClass> ClassOfMeans(const MonthArray& precip, const MonthArray& temp) {
    return ClassifyClimateMonths(temp + 1, precip + 1).climate_class;
}

DatabaseClasses Failure(DataFile file, DataFileStatus status) {
    DatabaseClasses result;
    result.ok = false;
    result.message = DataFileProblemMessage(file, status);
    return result;
}

}  // namespace

DatabaseClasses ClassifyDatabase(const std::string& db_dir) {
    CountryTable table;
    const DataFileStatus status = LoadCountryTable(db_dir, table);
    if (status != DataFileStatus::ok) return Failure(DataFile::country, status);
    const MeanFile precip = ReadMeans(DataFilePath(db_dir, DataFile::precip));
    if (precip.status != DataFileStatus::ok) return Failure(DataFile::precip, precip.status);
    const MeanFile temp = ReadMeans(DataFilePath(db_dir, DataFile::temp));
    if (temp.status != DataFileStatus::ok) return Failure(DataFile::temp, temp.status);
    const std::vector<std::int64_t> pairs = PairTemperatureRecords(
        precip.headers.data(), precip.means.size(), temp.headers.data(), temp.means.size(), kImportHeaderBytes);

    DatabaseClasses result;
    result.stations.reserve(precip.means.size());
    // The stations of a country follow one another: the table is searched
    // again only when the code changes.
    std::string_view last_code;
    const CountryEntry* country = nullptr;
    for (std::size_t i = 0; i < precip.means.size(); ++i) {
        if (pairs[i] < 0) continue;
        const char* header = precip.headers.data() + i * kImportHeaderBytes;
        const std::string_view code(header + kCodeOffset, kCountryCodeWidth);
        if (code != last_code) {
            country = FindCountryByCode(table, code);
            last_code = code;
        }
        result.stations.push_back(StationClass{
            std::string(TrimmedColumn(std::string_view(header + kNumberOffset, kNumberWidth))),
            std::string(TrimmedColumn(std::string_view(header + kNameOffset, kNameWidth))),
            std::string(TrimmedColumn(country ? std::string_view(country->name) : code)),
            ClassOfMeans(precip.means[i].month, temp.means[static_cast<std::size_t>(pairs[i])].month)});
    }
    return result;
}

std::string StationClassLine(const StationClass& station) {
    std::string line = station.number + "\t" + station.name + "\t" + station.country + "\t";
    line += station.climate_class ? ClimateClassCode(*station.climate_class) : "-";
    return Cp1252ToUtf8(line);
}
