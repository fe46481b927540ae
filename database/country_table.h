// The country table: every record of COUNTRY.DAT, loaded once at start-up
// and only read after that. Stations name their country by a 3-character
// code; the table turns codes into names and list texts back into codes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "database/data_files.h"

struct CountryEntry {
    char code[4];   // 3 characters and a NUL
    char name[32];  // the first 31 characters of the 60-character name and a NUL
};

// The slots keep the order of COUNTRY.DAT. There is no limit on their
// number: a table cut short would leave later countries' stations
// unreachable from the country list.
struct CountryTable {
    std::vector<CountryEntry> entries;
    std::size_t country_count() const { return entries.size(); }
};

// Fills the table from COUNTRY.DAT in the database folder: every whole
// 79-byte record, in file order (a trailing partial record is ignored).
// Each copy stops early at a NUL in the file. cannot_open leaves the table
// empty.
DataFileStatus LoadCountryTable(const std::string& db_dir, CountryTable& table);

// The first slot whose code equals `text` over at most 3 characters (a NUL
// or the end of `text` ends the text), or nullptr.
const CountryEntry* FindCountryByCode(const CountryTable& table, std::string_view text);

// The first slot whose name equals `text` over at most 31 characters, or
// nullptr. The country list's 60-character text finds the slot of its name.
const CountryEntry* FindCountryByName(const CountryTable& table, std::string_view text);
