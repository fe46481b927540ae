#include "database/data_files.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "database/data_text.h"
#include "station/file_io.h"

namespace fs = std::filesystem;

namespace {

// Records per read of a scan: about 1 MB, large enough that the scan runs
// at the speed of a plain sequential read.
constexpr std::size_t kScanChunkRecords = 784;

bool SameNameIgnoringCase(const std::string& a, const char* b) {
    std::size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        char ca = a[i], cb = b[i];
        if (ca >= 'a' && ca <= 'z') ca = static_cast<char>(ca - 'a' + 'A');
        if (cb >= 'a' && cb <= 'z') cb = static_cast<char>(cb - 'a' + 'A');
        if (ca != cb) return false;
    }
    return true;
}

std::string JoinPath(const std::string& db_dir, const std::string& name) {
    if (db_dir.empty()) return name;
    char last = db_dir.back();
    return (last == '/' || last == '\\') ? db_dir + name : db_dir + "/" + name;
}

}  // namespace

const char* DataFileName(DataFile file) {
    switch (file) {
        case DataFile::country:
            return "COUNTRY.DAT";
        case DataFile::precip:
            return "PRECIP.DAT";
        case DataFile::temp:
            return "TEMP.DAT";
    }
    return "";
}

std::string DataFilePath(const std::string& db_dir, DataFile file) { return DatabaseFilePath(db_dir, DataFileName(file)); }

std::string DatabaseFilePath(const std::string& db_dir, const char* name) {
    std::string plain = JoinPath(db_dir, name);
    std::error_code ec;
    if (fs::exists(fs::u8path(plain), ec)) return plain;
    // Sorted, so that of several spellings the same one wins every time.
    std::string best;
    for (fs::directory_iterator it(fs::u8path(db_dir.empty() ? "." : db_dir), ec), end; !ec && it != end;
         it.increment(ec)) {
        std::string entry = it->path().filename().u8string();
        if (SameNameIgnoringCase(entry, name) && (best.empty() || entry < best)) best = entry;
    }
    return best.empty() ? plain : JoinPath(db_dir, best);
}

DatabaseCheck CheckDatabaseFiles(const std::string& db_dir) {
    const DataFile order[] = {DataFile::country, DataFile::precip, DataFile::temp};
    for (DataFile file : order) {
        std::error_code ec;
        if (fs::exists(fs::u8path(DataFilePath(db_dir, file)), ec)) continue;
        DatabaseCheck check;
        check.ok = false;
        check.message.text = std::string("Error: Datafile '") + DataFileName(file) + "' could not be found!";
        check.message.caption = file == DataFile::temp ? "Varnok 32: Terminating application."
                                                       : "Varnok 32: Terminating application";
        return check;
    }
    return DatabaseCheck{};
}

UserMessage DataFileProblemMessage(DataFile file, DataFileStatus status) {
    const char* what = nullptr;
    switch (status) {
        case DataFileStatus::ok:
            return {};
        case DataFileStatus::cannot_open:
            what = "could not be opened";
            break;
        case DataFileStatus::read_failed:
            what = "could not be read completely";
            break;
    }
    return {std::string("Datafile '") + DataFileName(file) + "' " + what + "!", "Error reading Datafile."};
}

DataFileStatus ScanStationRecords(const std::string& path, const RecordVisitor& visit,
                                  std::int64_t* record_count) {
    using db_layout::kStationRecordSize;
    if (record_count) *record_count = 0;
    const FileOps& ops = CurrentFileOps();
    std::FILE* file = ops.open(path.c_str(), "rb");
    if (!file) return DataFileStatus::cannot_open;
    long length = -1;
    if (ops.seek(file, 0, SEEK_END) == 0) length = ops.tell(file);
    if (length < 0 || ops.seek(file, 0, SEEK_SET) != 0) {
        ops.close(file);
        return DataFileStatus::read_failed;
    }
    const std::int64_t count = length / static_cast<std::int64_t>(kStationRecordSize);
    if (record_count) *record_count = count;

    const std::int64_t chunk = count < static_cast<std::int64_t>(kScanChunkRecords) ? count : kScanChunkRecords;
    std::vector<char> buffer(static_cast<std::size_t>(chunk) * kStationRecordSize);
    DataFileStatus status = DataFileStatus::ok;
    bool stop = false;
    for (std::int64_t index = 0; index < count && !stop;) {
        std::int64_t want = count - index < chunk ? count - index : chunk;
        std::size_t want_bytes = static_cast<std::size_t>(want) * kStationRecordSize;
        std::size_t got = ops.read(buffer.data(), want_bytes, file);
        std::size_t whole = got / kStationRecordSize;
        for (std::size_t r = 0; r < whole && !stop; ++r, ++index) {
            stop = visit(StationRecordBytes{index, buffer.data() + r * kStationRecordSize});
        }
        if (got < want_bytes && !stop) status = DataFileStatus::read_failed;
        if (got < want_bytes) break;
    }
    ops.close(file);
    return status;
}

WholeRecords ReadWholeRecords(const std::string& path) {
    using db_layout::kStationRecordSize;
    WholeRecords file;
    std::int64_t count = 0;
    file.status = ScanStationRecords(
        path,
        [&](const StationRecordBytes& record) {
            if (file.bytes.empty()) file.bytes.reserve(static_cast<std::size_t>(count) * kStationRecordSize);
            file.bytes.append(record.bytes, kStationRecordSize);
            return false;
        },
        &count);
    file.count = file.bytes.size() / kStationRecordSize;
    return file;
}

void ParseMonthlyBlock(const char* block, std::size_t available, MonthArray& target) {
    using db_layout::kBlockSize;
    using db_layout::kValueFieldWidth;
    // A whole block whose twelve fields have the usual shapes is read where
    // it lies; slot 13, one byte followed by nothing, is its digit or 0.
    if (available >= kBlockSize && ParseAlignedDecimals(block, 12, &target[1]) == 12) {
        const char last = block[kBlockSize - 1];
        target[13] = last >= '0' && last <= '9' ? static_cast<float>(last - '0') : 0.0f;
        return;
    }
    // Room for the last field, which starts at the block's last byte and
    // reads the zero bytes after it.
    char buffer[kBlockSize + kValueFieldWidth - 1] = {};
    std::memcpy(buffer, block, available < kBlockSize ? available : kBlockSize);
    for (int i = 0; i < 13; ++i) {
        std::string_view field(buffer + kValueFieldWidth * static_cast<std::size_t>(i), kValueFieldWidth);
        target[i + 1] = ParseLeadingReal(CutAtNul(field));
    }
}
