#include "database/station_import.h"

#include <cstdlib>
#include <cstring>

#include "database/data_text.h"

namespace {

using namespace db_layout;

struct FoundRecord {
    DataFileStatus status = DataFileStatus::ok;
    bool found = false;
    std::string bytes;  // the whole record
};

FoundRecord FindRecordByName(const std::string& path, std::string_view name) {
    FoundRecord result;
    result.status = ScanStationRecords(path, [&](const StationRecordBytes& record) {
        std::string_view header = record.Header(kImportHeaderBytes);
        if (!TextsEqual(header.substr(kNameOffset, kNameWidth), name, kNameWidth)) return false;
        result.found = true;
        result.bytes.assign(record.bytes, kStationRecordSize);
        return true;
    });
    return result;
}

std::int32_t IntAt(std::string_view header, std::size_t offset) { return ParseLeadingInteger(header.substr(offset)); }
float RealAt(std::string_view header, std::size_t offset) { return ParseLeadingReal(header.substr(offset)); }

std::int32_t AbsSaturated(std::int32_t v) { return v == INT32_MIN ? INT32_MAX : std::abs(v); }

void ReadBlocks(const std::string& record, MonthArray& means, MonthArray& minima, MonthArray& maxima) {
    ParseMonthlyBlock(record.data() + BlockOffset(kMeanBlock), kBlockSize, means);
    ParseMonthlyBlock(record.data() + BlockOffset(kMinimumBlock), kBlockSize, minima);
    ParseMonthlyBlock(record.data() + BlockOffset(kMaximumBlock), kBlockSize, maxima);
}

void ClearMonths(MonthArray& months) {
    for (int i = 1; i < kMonthSlots; ++i) months[i] = 0.0f;
}

void CopyPrecipHeader(std::string_view header, const CountryTable& table, StationRecord& r) {
    // The name as it stands, trailing blanks and all.
    std::memcpy(r.station_name, header.data() + kNameOffset, kNameWidth);
    r.station_name[kNameWidth] = '\0';
    r.elevation_m = IntAt(header, kElevationOffset);
    SetFieldText(r.station_number, CutAtNul(header.substr(kNumberOffset, kNumberWidth)));
    r.precip_years = YearsBetween(IntAt(header, kFirstYearOffset), IntAt(header, kLastYearOffset));
    r.latitude = RealAt(header, kLatitudeOffset);
    r.lat_degrees = AbsSaturated(IntAt(header, kLatitudeOffset));
    r.lat_minutes = IntAt(header, kLatMinutesOffset);
    r.longitude = RealAt(header, kLongitudeOffset);
    r.lon_degrees = AbsSaturated(IntAt(header, kLongitudeOffset));
    r.lon_minutes = IntAt(header, kLonMinutesOffset);
    if (const CountryEntry* entry = FindCountryByCode(table, header.substr(kCodeOffset, kCountryCodeWidth))) {
        SetFieldText(r.country_name, entry->name);
        r.country_code = IntAt(header, kCodeOffset);
    }
}

void ClearPrecipFields(std::string_view chosen_name, StationRecord& r) {
    SetFieldText(r.station_name, chosen_name.substr(0, kNameWidth));
    SetFieldText(r.station_number, "");
    SetFieldText(r.country_name, "");
    r.country_code = 0;
    r.elevation_m = 0;
    r.precip_years = 0;
    r.latitude = 0.0f;
    r.lat_degrees = r.lat_minutes = 0;
    r.longitude = 0.0f;
    r.lon_degrees = r.lon_minutes = 0;
    ClearMonths(r.precip_mm);
    ClearMonths(r.precip_min_mm);
    ClearMonths(r.precip_max_mm);
}

void ClearTempFields(StationRecord& r) {
    r.temp_years = 0;
    ClearMonths(r.temp_c);
    ClearMonths(r.temp_min_c);
    ClearMonths(r.temp_max_c);
}

UserMessage MissingMessage(DataFile file, DataFileStatus status) {
    if (status != DataFileStatus::ok) return DataFileProblemMessage(file, status);
    const char* text = file == DataFile::precip ? "No precipitation entry for this station in database!"
                                                : "No temperature entry for this station in database!";
    return {text, "Error reading Datafile."};
}

}  // namespace

StationImport ImportStationFromDatabase(const std::string& db_dir, const CountryTable& table,
                                        std::string_view chosen_station_name, StationData& station) {
    StationImport result;
    if (CutAtNul(chosen_station_name).empty()) return result;
    result.imported = true;
    StationRecord& r = station.record;
    for (std::int32_t& mark : r.frost_flags) mark = 0;

    FoundRecord precip = FindRecordByName(DataFilePath(db_dir, DataFile::precip), chosen_station_name);
    if (precip.found) {
        CopyPrecipHeader(std::string_view(precip.bytes).substr(0, kImportHeaderBytes), table, r);
        ReadBlocks(precip.bytes, r.precip_mm, r.precip_min_mm, r.precip_max_mm);
    } else {
        result.messages.push_back(MissingMessage(DataFile::precip, precip.status));
        ClearPrecipFields(CutAtNul(chosen_station_name), r);
    }

    FoundRecord temp = FindRecordByName(DataFilePath(db_dir, DataFile::temp), chosen_station_name);
    if (temp.found) {
        std::string_view header = std::string_view(temp.bytes).substr(0, kImportHeaderBytes);
        r.temp_years = YearsBetween(IntAt(header, kFirstYearOffset), IntAt(header, kLastYearOffset));
        ReadBlocks(temp.bytes, r.temp_c, r.temp_min_c, r.temp_max_c);
    } else {
        result.messages.push_back(MissingMessage(DataFile::temp, temp.status));
        ClearTempFields(r);
    }

    UpdateDerivedValues(station, MonthExtremes::recompute);
    r.abs_max_c = -999.0f;
    r.abs_min_c = -999.0f;
    r.show_abs_min = r.show_abs_max = r.show_coldest_min = r.show_warmest_max = 0;
    if (IsSouthernStation(r)) {
        SwapHalfYears(r.temp_c);
        SwapHalfYears(r.precip_mm);
        SwapHalfYears(r.precip_min_mm);
        SwapHalfYears(r.precip_max_mm);
        SwapHalfYears(r.temp_min_c);
        SwapHalfYears(r.temp_max_c);
    }
    return result;
}
