#include "database/country_table.h"

#include <cstdio>
#include <cstring>

#include "database/data_text.h"
#include "station/file_io.h"

namespace {

// Copies at most `n` bytes, stopping at a NUL, and terminates.
void CopyField(char* to, const char* from, std::size_t n) {
    std::size_t i = 0;
    for (; i < n && from[i] != '\0'; ++i) to[i] = from[i];
    to[i] = '\0';
}

}  // namespace

DataFileStatus LoadCountryTable(const std::string& db_dir, CountryTable& table) {
    using namespace db_layout;
    table.entries.clear();
    const FileOps& ops = CurrentFileOps();
    std::FILE* file = ops.open(DataFilePath(db_dir, DataFile::country).c_str(), "rb");
    if (!file) return DataFileStatus::cannot_open;
    char record[kCountryRecordSize];
    while (ops.read(record, sizeof record, file) == sizeof record) {
        CountryEntry entry;
        CopyField(entry.name, record + kCountryNameOffset, sizeof entry.name - 1);
        CopyField(entry.code, record + kCountryCodeOffset, kCountryCodeWidth);
        table.entries.push_back(entry);
    }
    ops.close(file);
    return DataFileStatus::ok;
}

const CountryEntry* FindCountryByCode(const CountryTable& table, std::string_view text) {
    const char first = text.empty() ? '\0' : text[0];
    for (const CountryEntry& entry : table.entries) {
        // The whole array: its NUL ends the code as TextsEqual reads it.
        if (entry.code[0] == first &&
            TextsEqual(std::string_view(entry.code, sizeof entry.code), text, db_layout::kCountryCodeWidth)) {
            return &entry;
        }
    }
    return nullptr;
}

const CountryEntry* FindCountryByName(const CountryTable& table, std::string_view text) {
    for (const CountryEntry& entry : table.entries) {
        if (TextsEqual(std::string_view(entry.name, sizeof entry.name), text, sizeof entry.name - 1)) return &entry;
    }
    return nullptr;
}
