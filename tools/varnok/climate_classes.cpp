#include "tools/varnok/climate_classes.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <system_error>
#include <thread>

#include "database/country_table.h"
#include "database/data_text.h"
#include "database/station_import.h"
#include "station/text_encoding.h"

namespace {

using namespace db_layout;

// Stations per piece of the classification: a few thousand records make
// some twenty pieces, so that the two threads end close together.
constexpr std::size_t kPieceRecords = 128;
constexpr int kIndexParts = 2;

std::optional<ClimateClass> ClassOfMeans(const MonthArray& precip, const MonthArray& temp) {
    return ClassifyClimateMonths(temp + 1, precip + 1).climate_class;
}

void Failure(DatabaseClasses& result, DataFile file, DataFileStatus status) {
    result.ok = false;
    result.message = DataFileProblemMessage(file, status);
}
void Failure(DatabaseClasses& result, DataFile file, MappedFile::Status status) {
    Failure(result, file,
            status == MappedFile::Status::cannot_open ? DataFileStatus::cannot_open : DataFileStatus::read_failed);
}

template <typename Done>
void WaitUntil(const Done& done) {
    while (!done()) std::this_thread::yield();
}

// The classification of a database as tasks that two threads take in
// turn, each the next one free: TEMP.DAT mapped, the parts of its pairing
// index, then the stations piece by piece. This thread reads COUNTRY.DAT
// and maps PRECIP.DAT before it takes a task; a task that needs what
// another has not finished waits for it (briefly: every task is short).
// However late the second thread starts, or if it never does, the tasks
// are all done.
class Classification {
public:
    Classification(const std::string& db_dir, DatabaseClasses& result) : db_dir_(db_dir), db_(result) {}

    // On this thread: the two files, then tasks.
    void ReadHere() {
        country_status_ = LoadCountryTable(db_dir_, db_.countries);
        if (country_status_ == DataFileStatus::ok) {
            precip_status_ = db_.precip.Open(DataFilePath(db_dir_, DataFile::precip).c_str());
        }
        const std::size_t count = precip_status_ == MappedFile::Status::ok ? db_.precip.size() / kStationRecordSize : 0;
        stations_.resize(count);
        paired_.resize(count);
        piece_lines_.resize((count + kPieceRecords - 1) / kPieceRecords);
        precip_ready_.store(true, std::memory_order_release);
        TakeTasks();
    }

    void TakeTasks() {
        for (;;) {
            const int task = next_task_.fetch_add(1);
            if (task == 0) {
                MapTemperatures();
            } else if (task <= kIndexParts) {
                WaitUntil([&] { return temp_ready_.load(std::memory_order_acquire); });
                if (pairing_) pairing_->MakePart(task - 1);
                parts_made_.fetch_add(1, std::memory_order_acq_rel);
            } else {
                WaitUntil([&] { return precip_ready_.load(std::memory_order_acquire); });
                const auto piece = static_cast<std::size_t>(task - kIndexParts - 1);
                if (piece >= piece_lines_.size()) return;
                WaitUntil([&] { return parts_made_.load(std::memory_order_acquire) == kIndexParts; });
                if (pairing_) ClassifyPiece(piece);
            }
        }
    }

    // After both threads are done: the result.
    void Finish() {
        if (country_status_ != DataFileStatus::ok) {
            Failure(db_, DataFile::country, country_status_);
        } else if (precip_status_ != MappedFile::Status::ok) {
            Failure(db_, DataFile::precip, precip_status_);
        } else if (temp_status_ != MappedFile::Status::ok) {
            Failure(db_, DataFile::temp, temp_status_);
        }
        if (!db_.ok) return;
        std::size_t kept = 0;
        for (std::size_t i = 0; i < stations_.size(); ++i) {
            if (paired_[i]) stations_[kept++] = stations_[i];
        }
        stations_.resize(kept);
        db_.stations = std::move(stations_);
        db_.lines = std::move(piece_lines_);
    }

private:
    void MapTemperatures() {
        temp_status_ = db_.temp.Open(DataFilePath(db_dir_, DataFile::temp).c_str());
        if (temp_status_ == MappedFile::Status::ok) {
            pairing_ = std::make_unique<TemperaturePairing>(db_.temp.data(), db_.temp.size() / kStationRecordSize,
                                                            kStationRecordSize, kIndexParts);
        }
        temp_ready_.store(true, std::memory_order_release);
    }

    // The stations of one piece of PRECIP.DAT records: their texts, their
    // TEMP.DAT records, their classes and lines.
    void ClassifyPiece(std::size_t piece) {
        const std::size_t count = stations_.size();
        const std::size_t temp_count = db_.temp.size() / kStationRecordSize;
        const std::size_t begin = piece * kPieceRecords;
        const std::size_t end = std::min(count, begin + kPieceRecords);
        std::string& lines = piece_lines_[piece];
        lines.reserve((end - begin) * 40);
        // The stations of a country follow one another: the table is
        // searched again only when the code changes.
        std::string_view last_code;
        std::string_view country;
        for (std::size_t i = begin; i < end; ++i) {
            FetchAhead(db_.precip.data(), i, count, kStationRecordSize);
            FetchAhead(db_.temp.data(), i, temp_count, kStationRecordSize);  // the files mostly go in step
            const char* precip = db_.precip.data() + i * kStationRecordSize;
            const std::string_view number = TrimmedColumn(std::string_view(precip + kNumberOffset, kNumberWidth));
            const std::string_view name = TrimTrailingBlanks(CutAtNul(std::string_view(precip + kNameOffset, kNameWidth)));
            const std::int64_t pair = pairing_->PairOf(precip, number, name);
            paired_[i] = pair >= 0;
            if (pair < 0) continue;
            const std::string_view code(precip + kCodeOffset, kCountryCodeWidth);
            if (code != last_code) {
                const CountryEntry* entry = FindCountryByCode(db_.countries, code);
                country = TrimmedColumn(entry ? std::string_view(entry->name) : code);
                last_code = code;
            }
            const char* temp = db_.temp.data() + static_cast<std::size_t>(pair) * kStationRecordSize;
            MonthArray precip_means, temp_means;
            ParseMonthlyBlock(precip + BlockOffset(kMeanBlock), kBlockSize, precip_means);
            ParseMonthlyBlock(temp + BlockOffset(kMeanBlock), kBlockSize, temp_means);
            StationClass& station = stations_[i];
            station.number = number;
            station.name = TrimmedColumn(name);
            station.country = country;
            station.climate_class = ClassOfMeans(precip_means, temp_means);
            AppendStationClassLine(lines, station);
        }
    }

    const std::string& db_dir_;
    DatabaseClasses& db_;
    std::atomic<int> next_task_{0};
    std::atomic<bool> temp_ready_{false}, precip_ready_{false};
    std::atomic<int> parts_made_{0};
    DataFileStatus country_status_ = DataFileStatus::ok;
    MappedFile::Status precip_status_ = MappedFile::Status::ok;
    MappedFile::Status temp_status_ = MappedFile::Status::ok;
    std::unique_ptr<TemperaturePairing> pairing_;
    std::vector<StationClass> stations_;  // one a PRECIP.DAT record
    std::vector<char> paired_;
    std::vector<std::string> piece_lines_;
};

}  // namespace

// The files are mapped, not read: only the header and the mean block of
// each record are looked at, where they lie, and the work is shared with a
// second thread. The whole database is classified in about the time a
// plain read of its two files takes.
DatabaseClasses ClassifyDatabase(const std::string& db_dir) {
    DatabaseClasses result;
    Classification work(db_dir, result);
    std::thread second;
    try {
        second = std::thread([&] { work.TakeTasks(); });
    } catch (const std::system_error&) {
        // This thread takes every task.
    }
    work.ReadHere();
    if (second.joinable()) second.join();
    work.Finish();
    return result;
}

void AppendStationClassLine(std::string& out, const StationClass& station) {
    const std::string_view code = station.climate_class ? ClimateClassCode(*station.climate_class) : "-";
    const std::size_t most = kUtf8BytesPerCp1252Byte * (station.number.size() + station.name.size() +
                                                        station.country.size()) + code.size() + 4;
    // A line of the database's texts fits here; a longer one is made in place.
    char line[256];
    std::string longer;
    char* const start = most <= sizeof line ? line : (longer.resize(most), &longer[0]);
    char* end = start;
    for (const std::string_view text : {station.number, station.name, station.country}) {
        end = WriteCp1252AsUtf8(end, text);
        *end++ = '\t';
    }
    end = std::copy(code.begin(), code.end(), end);
    *end++ = '\n';
    out.append(start, static_cast<std::size_t>(end - start));
}
