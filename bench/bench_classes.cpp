// `varnok classes` against a plain read of PRECIP.DAT and TEMP.DAT.
//
//   bench_classes [DIR] [REPEATS]     (DIR: the shipped database)
//
// Each the best of REPEATS runs with the page cache warm, taken in turns:
// the two files read in 1 MiB pieces, and the classes of every station
// (COUNTRY.DAT, both files read, records paired, means parsed, classified,
// the output lines made). Goal: at most 1.3 times the plain read.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/varnok/climate_classes.h"

namespace {

template <typename Run>
double Seconds(const Run& run) {
    auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long long PlainRead(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return -1;
    std::vector<char> buffer(1 << 20);
    long long total = 0;
    for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), f)) > 0;) total += static_cast<long long>(got);
    std::fclose(f);
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : std::string(VARNOK_SOURCE_DIR) + "/data/database";
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 30;
    double plain = 1e30, classes = 1e30;
    std::size_t lines = 0, bytes = 0;
    for (int i = 0; i < repeats; ++i) {
        plain = std::min(plain, Seconds([&] {
            bytes = static_cast<std::size_t>(PlainRead(dir + "/PRECIP.DAT") + PlainRead(dir + "/TEMP.DAT"));
        }));
        classes = std::min(classes, Seconds([&] {
            const DatabaseClasses result = ClassifyDatabase(dir);
            std::string out;
            for (const StationClass& s : result.stations) out.append(StationClassLine(s)).push_back('\n');
            lines = result.stations.size();
        }));
    }
    std::printf("plain read of the two files (%zu bytes): %.3f ms\n", bytes, plain * 1e3);
    std::printf("varnok classes (%zu stations):            %.3f ms  ratio %.2f (goal <= 1.30)\n", lines,
                classes * 1e3, classes / plain);
    return 0;
}
