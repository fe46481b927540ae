// Large made-up station databases for benchmarks and load tests. Every
// value depends only on the station's index, so the first N stations of any
// two databases agree and a run can be repeated exactly.
#pragma once

#include <cstdint>
#include <string>

constexpr int kSyntheticCountries = 200;

// Country k (0..199): code "100" + k as three digits, name "SYNTHETIA 000".
std::string SyntheticCountryCode(int country);
std::string SyntheticCountryName(int country);

// Station i: its name (unique, 24 characters or fewer), WMO number
// (100000 + i, so 8 digits at most up to 9.9 million stations) and country.
std::string SyntheticStationName(std::int64_t station);
std::int32_t SyntheticStationNumber(std::int64_t station);
int SyntheticStationCountry(std::int64_t station);

// Writes the three files of a database of `stations` stations into `dir`:
// every station has a PRECIP.DAT and a TEMP.DAT record, in index order,
// with positions, elevations and monthly values in the ranges real stations
// have. False with `error` set when a file cannot be written.
bool WriteSyntheticDatabase(const std::string& dir, std::int64_t stations, std::string* error);
