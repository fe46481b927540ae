#include "tools/varnok/record_file.h"

#include <cstdio>

#include "station/file_io.h"

RecordFile ReadRecordFile(const std::string& path) {
    using db_layout::kStationRecordSize;
    RecordFile file;
    const FileOps& ops = CurrentFileOps();
    std::FILE* f = ops.open(path.c_str(), "rb");
    if (f == nullptr) {
        file.status = DataFileStatus::cannot_open;
        return file;
    }
    long length = -1;
    if (ops.seek(f, 0, SEEK_END) == 0) length = ops.tell(f);
    if (length < 0 || ops.seek(f, 0, SEEK_SET) != 0) {
        ops.close(f);
        file.status = DataFileStatus::read_failed;
        return file;
    }
    const std::size_t count = static_cast<std::size_t>(length) / kStationRecordSize;
    // Not zeroed first: the read fills it, and a short read is cut off.
    file.bytes.reset(new char[count * kStationRecordSize + 1]);
    const std::size_t got = count == 0 ? 0 : ops.read(file.bytes.get(), count * kStationRecordSize, f);
    ops.close(f);
    file.count = got / kStationRecordSize;
    if (file.count < count) file.status = DataFileStatus::read_failed;
    return file;
}
