#include "database/station_search.h"

#include <cstdio>

#include "database/data_text.h"
#include "station/file_io.h"

namespace {

std::string NameOf(const StationRecordBytes& record) {
    using namespace db_layout;
    return std::string(CutAtNul(record.Header(kListHeaderBytes).substr(kNameOffset, kNameWidth)));
}

std::string ListTextOf(const StationRecordBytes& record) {
    return RecordListText(record.Header(db_layout::kListHeaderBytes));
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

std::string RecordListText(std::string_view header) {
    using namespace db_layout;
    return StationListText(header.substr(kNameOffset, kNameWidth), header.substr(kNumberOffset, kNumberWidth));
}

std::string CountriesCountText(std::size_t count) { return " Countries: " + std::to_string(count); }

std::string StationsAvailableText(std::size_t count) { return " Stations available: " + std::to_string(count); }

std::string CountryCodeOfListText(const CountryTable& table, std::string_view list_text) {
    const CountryEntry* entry = FindCountryByName(table, list_text);
    return entry ? std::string(entry->code) : std::string();
}

namespace {

// Reports a fill to a FillProgress: the records read are passed on every
// `step` records, so a fill of any size makes at most kFillProgressUpdates
// updates, and once more at the end when the last count was not passed on.
class ProgressReport {
public:
    explicit ProgressReport(FillProgress* progress) : progress_(progress) {}

    void Start(std::int64_t record_count) {
        if (started_) return;
        started_ = true;
        step_ = record_count > 0 ? (record_count + kFillProgressUpdates - 1) / kFillProgressUpdates : 1;
        if (progress_) progress_->Start(record_count);
    }
    void Read(std::int64_t records_read) {
        read_ = records_read;
        if (read_ % step_ == 0) Pass();
    }
    void Finish() {
        if (read_ != reported_) Pass();
    }

private:
    void Pass() {
        reported_ = read_;
        if (progress_) progress_->Advance(read_);
    }

    FillProgress* progress_;
    bool started_ = false;
    std::int64_t step_ = 1;
    std::int64_t read_ = 0;
    std::int64_t reported_ = -1;
};

}  // namespace

StationListFill FillStationList(const std::string& db_dir, std::string_view country_code, FillProgress* progress) {
    using namespace db_layout;
    StationListFill fill;
    ProgressReport report(progress);
    fill.status = ScanStationRecords(
        DataFilePath(db_dir, DataFile::precip),
        [&](const StationRecordBytes& record) {
            // The record count is known once the file is open, before the first visit.
            if (record.index == 0) report.Start(fill.record_count);
            std::string_view code = record.Header(kListHeaderBytes).substr(kCodeOffset, kCountryCodeWidth);
            if (!country_code.empty() && TextsEqual(code, country_code, kCountryCodeWidth)) {
                fill.names.push_back(NameOf(record));
                fill.texts.push_back(ListTextOf(record));
            }
            report.Read(record.index + 1);
            return false;
        },
        &fill.record_count);
    report.Start(fill.record_count);  // a file without records, or none at all
    report.Finish();
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
