#include "tools/varnok/climate_classes.h"

#include "database/country_table.h"
#include "database/data_text.h"
#include "database/station_import.h"
#include "station/text_encoding.h"

namespace {

using namespace db_layout;

std::string Trimmed(std::string_view text) {
    text = TrimTrailingBlanks(CutAtNul(text));
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return std::string(text);
}

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
            ParseMonthlyBlock(record.bytes + BlockOffset(kMeanBlock), kBlockSize, file.means.back().month);
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
    for (std::size_t i = 0; i < precip.means.size(); ++i) {
        if (pairs[i] < 0) continue;
        const char* header = precip.headers.data() + i * kImportHeaderBytes;
        const std::string_view code(header + kCodeOffset, kCountryCodeWidth);
        const CountryEntry* country = FindCountryByCode(table, code);
        result.stations.push_back(StationClass{
            Trimmed(std::string_view(header + kNumberOffset, kNumberWidth)),
            Trimmed(std::string_view(header + kNameOffset, kNameWidth)), country ? Trimmed(country->name) : Trimmed(code),
            ClassOfMeans(precip.means[i].month, temp.means[static_cast<std::size_t>(pairs[i])].month)});
    }
    return result;
}

std::string StationClassLine(const StationClass& station) {
    std::string line = station.number + "\t" + station.name + "\t" + station.country + "\t";
    line += station.climate_class ? ClimateClassCode(*station.climate_class) : "-";
    return Cp1252ToUtf8(line);
}
