// PRECIP.DAT or TEMP.DAT read whole, for the commands that go through every
// station of the database (the atlas, the climate classes).
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "database/data_files.h"

struct RecordFile {
    DataFileStatus status = DataFileStatus::ok;
    std::unique_ptr<char[]> bytes;  // count whole records, one after the other
    std::size_t count = 0;
    const char* data() const { return bytes.get(); }
    const char* Record(std::size_t i) const { return bytes.get() + i * db_layout::kStationRecordSize; }
};

// The whole records of the file in one read; bytes after the last whole
// record are left out, as every reader of the files ignores them.
RecordFile ReadRecordFile(const std::string& path);
