#include "database/station_search.h"

#include <cstdio>

#include "database/data_text.h"
#include "station/file_io.h"

namespace {

constexpr std::int64_t kProgressStep = 50;

std::string NameOf(const StationRecordBytes& record) {
    using namespace db_layout;
    return std::string(CutAtNul(record.Header(kListHeaderBytes).substr(kNameOffset, kNameWidth)));
}

std::string ListTextOf(const StationRecordBytes& record) {
    using namespace db_layout;
    return StationListText(NameOf(record), record.Header(kListHeaderBytes).substr(kNumberOffset, kNumberWidth));
}

}  // namespace

CountryListTexts ReadCountryListTexts(const std::string& db_dir) {
    using namespace db_layout;
    CountryListTexts list;
    const FileOps& ops = CurrentFileOps();
    std::FILE* file = ops.open(DataFilePath(db_dir, DataFile::country).c_str(), "rb");
    if (!file) {
        list.status = DataFileStatus::cannot_open;
        return list;
    }
    char record[kCountryRecordSize];
    while (ops.read(record, sizeof record, file) == sizeof record) {
        std::string_view name(record + kCountryNameOffset, kCountryNameWidth);
        list.texts.emplace_back(CutAtNul(name));
    }
    ops.close(file);
    return list;
}

std::string StationListText(std::string_view name_column, std::string_view number_column) {
    std::string_view number = CutAtNul(number_column);
    std::size_t first = number.find_first_not_of(' ');
    number = first == std::string_view::npos ? std::string_view() : number.substr(first);
    return std::string(TrimTrailingBlanks(CutAtNul(name_column))) + '\t' + std::string(TrimTrailingBlanks(number));
}

std::string CountriesCountText(std::size_t count) { return " Countries: " + std::to_string(count); }

std::string StationsAvailableText(std::size_t count) { return " Stations available: " + std::to_string(count); }

std::string CountryCodeOfListText(const CountryTable& table, std::string_view list_text) {
    const CountryEntry* entry = FindCountryByName(table, list_text);
    return entry ? std::string(entry->code) : std::string();
}

StationListFill FillStationList(const std::string& db_dir, std::string_view country_code) {
    using namespace db_layout;
    StationListFill fill;
    std::int64_t counter = 0;
    fill.status = ScanStationRecords(
        DataFilePath(db_dir, DataFile::precip),
        [&](const StationRecordBytes& record) {
            ++counter;
            if (counter % kProgressStep == 0) fill.progress_positions.push_back(counter);
            std::string_view code = record.Header(kListHeaderBytes).substr(kCodeOffset, kCountryCodeWidth);
            if (!country_code.empty() && TextsEqual(code, country_code, kCountryCodeWidth)) {
                fill.names.push_back(NameOf(record));
                fill.texts.push_back(ListTextOf(record));
            }
            return false;
        },
        &fill.record_count);
    return fill;
}

std::int32_t ParseStationNumberText(std::string_view text) { return ParseLeadingInteger(text.substr(0, 15)); }

UserMessage NumberNotFoundMessage() { return {"WMO-stationnumber not found in database", "Info"}; }

StationSearch FindStationByNumber(const std::string& db_dir, const CountryTable& table, std::int32_t number) {
    using namespace db_layout;
    StationSearch search;
    search.status = ScanStationRecords(DataFilePath(db_dir, DataFile::precip), [&](const StationRecordBytes& record) {
        std::string_view header = record.Header(kListHeaderBytes);
        if (ParseLeadingInteger(header.substr(kNumberOffset)) != number) return false;
        search.found = true;
        search.station_name = NameOf(record);
        search.list_text = ListTextOf(record);
        search.country_code = std::string(header.substr(kCodeOffset, kCountryCodeWidth));
        if (const CountryEntry* entry = FindCountryByCode(table, search.country_code)) {
            search.country_name = entry->name;
        }
        return true;
    });
    if (search.found) return search;
    if (search.status != DataFileStatus::ok) {
        search.message = DataFileProblemMessage(DataFile::precip, search.status);
    } else {
        search.message = NumberNotFoundMessage();
    }
    return search;
}
