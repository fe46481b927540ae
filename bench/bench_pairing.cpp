// The pairing of the temperature records over a crafted database: 20,000
// stations that all carry one WMO number (each its own name), beside its
// peer, the same stations with a number each. Both go through the pairing
// the atlas uses; the crafted one must cost about what its peer costs, not
// grow with the square of the records that share a number.
//
//   bench_pairing [--stations N] [--rounds N]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "database/station_import.h"
#include "tools/dbgen/synthetic_database.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every record's WMO number made the same.
std::string OneNumber(std::string records) {
    for (std::size_t at = 0; at + db_layout::kStationRecordSize <= records.size(); at += db_layout::kStationRecordSize) {
        std::memcpy(&records[at + db_layout::kNumberOffset], "  100001", db_layout::kNumberWidth);
    }
    return records;
}

// The best of `rounds` pairings, in milliseconds.
double BestPairing(const std::string& precip, const std::string& temp, int rounds) {
    const std::size_t n_precip = precip.size() / db_layout::kStationRecordSize;
    const std::size_t n_temp = temp.size() / db_layout::kStationRecordSize;
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        std::vector<std::int64_t> pairs = PairTemperatureRecords(precip.data(), n_precip, temp.data(), n_temp);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (pairs.size() != n_precip) std::abort();
        best = std::min(best, ms);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    long stations = 20000;
    int rounds = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--stations") == 0) stations = std::atol(argv[i + 1]);
        if (std::strcmp(argv[i], "--rounds") == 0) rounds = std::atoi(argv[i + 1]);
    }
    const fs::path dir = fs::temp_directory_path() / ("bench_pairing_" + std::to_string(::getpid()));
    std::string error;
    if (!WriteSyntheticDatabase(dir.string(), stations, &error)) {
        std::fprintf(stderr, "bench_pairing: %s\n", error.c_str());
        return 1;
    }
    const std::string precip = ReadAll(dir / "PRECIP.DAT");
    const std::string temp = ReadAll(dir / "TEMP.DAT");
    fs::remove_all(dir);

    const double peer = BestPairing(precip, temp, rounds);
    const double crafted = BestPairing(OneNumber(precip), OneNumber(temp), rounds);
    std::printf("%ld stations, a number each (peer)        %10.2f ms\n", stations, peer);
    std::printf("%ld stations, one number for all          %10.2f ms  %.1f x the peer\n", stations, crafted,
                crafted / peer);
    return 0;
}
