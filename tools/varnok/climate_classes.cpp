#include "tools/varnok/climate_classes.h"

#include "database/country_table.h"
#include "database/data_text.h"
#include "database/station_import.h"
#include "station/text_encoding.h"
#include "tools/varnok/record_file.h"

namespace {

using namespace db_layout;

std::string Trimmed(std::string_view text) {
    text = TrimTrailingBlanks(CutAtNul(text));
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return std::string(text);
}

// The months as the import reads them: the file holds January first for
// every station, so the record needs no hemisphere to be classified.
std::optional<ClimateClass> ClassOfRecords(const char* precip, const char* temp) {
    StationRecord record = MakeStartupRecord();
    ParseMonthlyBlock(precip + BlockOffset(kMeanBlock), kBlockSize, record.precip_mm);
    ParseMonthlyBlock(temp + BlockOffset(kMeanBlock), kBlockSize, record.temp_c);
    return ClassifyClimate(record).climate_class;
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
    const RecordFile precip = ReadRecordFile(DataFilePath(db_dir, DataFile::precip));
    if (precip.status != DataFileStatus::ok) return Failure(DataFile::precip, precip.status);
    const RecordFile temp = ReadRecordFile(DataFilePath(db_dir, DataFile::temp));
    if (temp.status != DataFileStatus::ok) return Failure(DataFile::temp, temp.status);
    const std::vector<std::int64_t> pairs = PairTemperatureRecords(precip.data(), precip.count, temp.data(), temp.count);

    DatabaseClasses result;
    result.stations.reserve(precip.count);
    for (std::size_t i = 0; i < precip.count; ++i) {
        if (pairs[i] < 0) continue;
        const char* record = precip.Record(i);
        const std::string_view code(record + kCodeOffset, kCountryCodeWidth);
        const CountryEntry* country = FindCountryByCode(table, code);
        result.stations.push_back(StationClass{Trimmed(std::string_view(record + kNumberOffset, kNumberWidth)),
                                               Trimmed(std::string_view(record + kNameOffset, kNameWidth)),
                                               country ? Trimmed(country->name) : Trimmed(code),
                                               ClassOfRecords(record, temp.Record(static_cast<std::size_t>(pairs[i])))});
    }
    return result;
}

std::string StationClassLine(const StationClass& station) {
    std::string line = station.number + "\t" + station.name + "\t" + station.country + "\t";
    line += station.climate_class ? ClimateClassCode(*station.climate_class) : "-";
    return Cp1252ToUtf8(line);
}
