#include "database/map_stations.h"


#include "database/data_text.h"
#include "database/station_import.h"
#include "database/station_search.h"

namespace {

using namespace db_layout;

}  // namespace

bool DatabaseDegrees(std::string_view degree_field, std::string_view minutes_field, double limit, double& out) {
    const std::int32_t degrees = ParseLeadingInteger(degree_field);
    const std::int32_t minutes = ParseLeadingInteger(minutes_field);
    if (minutes < 0 || minutes > 59 || degrees < -1000 || degrees > 1000) return false;
    const bool negative = degree_field.find('-') != std::string_view::npos;
    const double value = (degrees < 0 ? -degrees : degrees) + minutes / 60.0;
    if (value > limit) return false;
    out = negative ? -value : value;
    return true;
}

void CollectMapStations(const char* precip, std::size_t precip_count, const char* temp,
                        const std::vector<std::int64_t>& pairs, MapStations& out) {
    StationRecord months = MakeStartupRecord();
    for (std::size_t i = 0; i < precip_count && i < pairs.size(); ++i) {
        if (pairs[i] < 0) continue;
        const std::string_view header(precip + i * kStationRecordSize, kHeaderSize);
        MapStation s;
        const bool placed =
            DatabaseDegrees(header.substr(kLatitudeOffset, kLatMinutesOffset - kLatitudeOffset),
                            header.substr(kLatMinutesOffset, 2), 90.0, s.lat) &&
            DatabaseDegrees(header.substr(kLongitudeOffset, kLonMinutesOffset - kLongitudeOffset),
                            header.substr(kLonMinutesOffset, 2), 180.0, s.lon);
        if (!placed) {
            ++out.unplaced;
            continue;
        }
        s.name = std::string(TrimmedColumn(header.substr(kNameOffset, kNameWidth)));
        s.number = std::string(TrimmedColumn(header.substr(kNumberOffset, kNumberWidth)));
        s.code = std::string(TrimmedColumn(header.substr(kCodeOffset, kCountryCodeWidth)));
        s.pick_text = RecordListText(header);
        s.precip_index = i;
        // The class reads the mean blocks the import takes, here in
        // calendar order (a northern record), without the rest of an import.
        ParseMonthlyBlock(precip + i * kStationRecordSize + BlockOffset(kMeanBlock), kBlockSize, months.precip_mm);
        ParseMonthlyBlock(temp + static_cast<std::size_t>(pairs[i]) * kStationRecordSize + BlockOffset(kMeanBlock),
                          kBlockSize, months.temp_c);
        s.climate_class = ClassifyClimate(months).climate_class;
        out.stations.push_back(std::move(s));
    }
}

MapStations LoadMapStations(const std::string& db_dir) {
    MapStations result;
    const WholeRecords precip = ReadWholeRecords(DataFilePath(db_dir, DataFile::precip));
    const WholeRecords temp = ReadWholeRecords(DataFilePath(db_dir, DataFile::temp));
    if (precip.status != DataFileStatus::ok || temp.status != DataFileStatus::ok) {
        result.status = precip.status != DataFileStatus::ok ? precip.status : temp.status;
        result.failed_file = precip.status != DataFileStatus::ok ? DataFile::precip : DataFile::temp;
        return result;
    }
    const std::vector<std::int64_t> pairs =
        PairTemperatureRecords(precip.bytes.data(), precip.count, temp.bytes.data(), temp.count);
    CollectMapStations(precip.bytes.data(), precip.count, temp.bytes.data(), pairs, result);
    return result;
}
