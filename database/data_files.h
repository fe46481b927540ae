// The three files of the station database and how they are read.
//
// COUNTRY.DAT holds 79-byte country records, PRECIP.DAT and TEMP.DAT
// 1338-byte station records (a 77-byte header and 13 blocks of 97 bytes).
// The files have no header, count or checksum: the number of records is the
// file length divided by the record length, and bytes after the last whole
// record are ignored. The program only reads them; every use opens a file,
// reads it and closes it again, so nothing is held open between commands.
//
// Files are found by bare name in a database folder: "" is the working
// directory (the program), anything else a folder path (the varnok tool).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "station/station_record.h"

namespace db_layout {
constexpr std::size_t kCountryRecordSize = 79;
constexpr std::size_t kCountryCodeOffset = 12;  // 3 characters
constexpr std::size_t kCountryCodeWidth = 3;
constexpr std::size_t kCountryNameOffset = 17;  // 60 characters, blank-padded
constexpr std::size_t kCountryNameWidth = 60;

constexpr std::size_t kStationRecordSize = 1338;
constexpr std::size_t kHeaderSize = 77;
constexpr std::size_t kBlockSize = 97;
constexpr std::size_t kValueFieldWidth = 8;  // 12 month fields at block offsets 0, 8, ..., 88

// Header columns. The numbers are right-aligned; a conversion starts at the
// column and reads on while the bytes continue the number.
constexpr std::size_t kCodeOffset = 0;         // 3-character country code
constexpr std::size_t kNumberOffset = 4;       // WMO station number, 8 characters
constexpr std::size_t kNumberWidth = 8;
constexpr std::size_t kNameOffset = 12;        // station name, 24 characters
constexpr std::size_t kNameWidth = 24;
constexpr std::size_t kLatitudeOffset = 38;    // signed degrees, '.', minutes at 42
constexpr std::size_t kLatMinutesOffset = 42;
constexpr std::size_t kLongitudeOffset = 45;   // signed degrees, '.', minutes at 50
constexpr std::size_t kLonMinutesOffset = 50;
constexpr std::size_t kElevationOffset = 53;
constexpr std::size_t kFirstYearOffset = 58;
constexpr std::size_t kLastYearOffset = 63;

// How much of a header each reader looks at: the search dialog reads the
// code, number and name; the import everything up to the years.
constexpr std::size_t kListHeaderBytes = 36;
constexpr std::size_t kImportHeaderBytes = 76;

// The three blocks read of each station record: means, minima, maxima.
constexpr int kMeanBlock = 0;
constexpr int kMinimumBlock = 4;
constexpr int kMaximumBlock = 5;

constexpr std::size_t BlockOffset(int block) { return kHeaderSize + kBlockSize * static_cast<std::size_t>(block); }
}  // namespace db_layout

enum class DataFile { country, precip, temp };

// "COUNTRY.DAT", "PRECIP.DAT" or "TEMP.DAT".
const char* DataFileName(DataFile file);

// The path of a data file in the database folder. Where the file system
// distinguishes case, a file whose name differs from the usual one only in
// case (country.dat, Precip.Dat) is found too; a file of exactly the usual
// name wins. With no such file the plain path is returned (opening it fails).
std::string DataFilePath(const std::string& db_dir, DataFile file);
// The same for any file of the database folder, by its usual name.
std::string DatabaseFilePath(const std::string& db_dir, const char* name);

// A text for a message box: text and caption.
struct UserMessage {
    std::string text;
    std::string caption;
};

// The start-up presence check. On failure `message` names the first missing
// file, for a message box with the stop icon, and the program ends.
struct DatabaseCheck {
    bool ok = true;
    UserMessage message;
};
DatabaseCheck CheckDatabaseFiles(const std::string& db_dir);

// How a read of a data file went.
enum class DataFileStatus {
    ok,
    cannot_open,  // missing, or not readable now (a medium taken out)
    read_failed,  // the file ended or failed before its length said it would
};

// For an information box: "Datafile 'PRECIP.DAT' could not be read!" and the
// like. Empty text for ok.
UserMessage DataFileProblemMessage(DataFile file, DataFileStatus status);

// One record of a station file: its index (from 0) and its 1338 bytes.
struct StationRecordBytes {
    std::int64_t index;
    const char* bytes;
    // The first `n` bytes, the part of the header a reader looks at.
    std::string_view Header(std::size_t n) const { return std::string_view(bytes, n); }
};

// Reads the whole records of PRECIP.DAT or TEMP.DAT in file order, a large
// buffer at a time, and calls `visit` for each until it returns true. The
// result is the same as a seek and a short header read per record.
// `record_count` receives the number of whole records in the file as soon
// as the file is open (before the first visit), or 0.
using RecordVisitor = std::function<bool(const StationRecordBytes& record)>;
DataFileStatus ScanStationRecords(const std::string& path, const RecordVisitor& visit,
                                  std::int64_t* record_count = nullptr);

// For a pass over records in memory: asks the processor to fetch the
// header and the mean block of record i + kRecordsAhead while record i is
// worked on. Records lie farther apart than its own prefetching follows,
// so without this each record waits for memory. `records` holds `count`
// records, `stride` bytes apart.
constexpr std::size_t kRecordsAhead = 8;
inline void FetchAhead(const char* records, std::size_t i, std::size_t count, std::size_t stride) {
#if defined(__GNUC__)
    if (i + kRecordsAhead < count) {
        const char* ahead = records + (i + kRecordsAhead) * stride;
        __builtin_prefetch(ahead);
        __builtin_prefetch(ahead + 64);
        __builtin_prefetch(ahead + 128);  // the mean block ends at byte 173
    }
#else
    (void)records, (void)i, (void)count, (void)stride;
#endif
}

// The whole records of PRECIP.DAT or TEMP.DAT, read once, one after the other.
struct WholeRecords {
    DataFileStatus status = DataFileStatus::ok;
    std::string bytes;
    std::size_t count = 0;
    const char* Record(std::size_t i) const { return bytes.data() + i * db_layout::kStationRecordSize; }
};
WholeRecords ReadWholeRecords(const std::string& path);

// Converts one 97-byte block into slots 1 to 13 of a month array; slot 0 is
// not touched. Slots 1 to 12 are the 8-byte value fields from January to
// December, each cut to its 8 bytes; slot 13 is read from the block's last
// byte alone (0 unless it is a digit). Bytes beyond `available` read as 0.
void ParseMonthlyBlock(const char* block, std::size_t available, MonthArray& target);

