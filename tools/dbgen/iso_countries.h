// The countries of Debian's ISO 3166-1 file (iso-codes,
// /usr/share/iso-codes/json/iso_3166-1.json).
#pragma once

#include <string>
#include <vector>

#include "tools/dbgen/database_writer.h"

// Fills `out` with one row per country, ordered by numeric code: the numeric code
// and the common name where the file gives one (else the name), converted
// from UTF-8 to Windows-1252 (characters it lacks become '?').
bool ReadIsoCountries(const std::string& json_path, std::vector<CountryRow>& out, std::string* error);
