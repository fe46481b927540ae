// The climate atlas: the time per diagram of `varnok atlas` over a whole
// database (reading it, importing, drawing and writing every station's SVG,
// and the index page), beside its floor (writing the same files with the
// same bytes, already in memory), the drawing alone, and the time of one
// `varnok render` process, which a loop over the stations would start once
// per diagram. Each figure is the best of several rounds, page cache warm;
// the processor time is given beside the wall time, since the machine may
// be shared.
//
//   bench_atlas [--db DIR] [--varnok PATH] [--rounds N]
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <string>
#include <thread>
#include <vector>

#include "database/station_import.h"
#include "diagram/svg_surface.h"
#include "station/station_file.h"
#include "tools/varnok/atlas.h"
#include "tools/varnok/render_svg.h"
#include "tools/varnok/whole_file.h"

extern char** environ;

namespace {

struct Times {
    double wall_us = 1e300;
    double cpu_us = 1e300;  // user and system time of this process and its children
};

double CpuMicroseconds() {
    double total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage u{};
        getrusage(who, &u);
        total += (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e6 + u.ru_utime.tv_usec + u.ru_stime.tv_usec;
    }
    return total;
}

// The best of `rounds` runs of `run`, each divided by `per`.
template <typename Run>
Times Best(int rounds, double per, Run run) {
    Times best;
    for (int i = 0; i < rounds; ++i) {
        const double cpu = CpuMicroseconds();
        const auto start = std::chrono::steady_clock::now();
        run(i);
        const double wall = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
        best.wall_us = std::min(best.wall_us, wall / per);
        best.cpu_us = std::min(best.cpu_us, (CpuMicroseconds() - cpu) / per);
    }
    return best;
}

void Report(const char* what, const Times& t, const char* unit) {
    std::printf("%-52s %9.1f µs wall %9.1f µs processor  %s\n", what, t.wall_us, t.cpu_us, unit);
}

bool RunProcess(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string db = VARNOK_SOURCE_DIR "/data/database";
    std::string varnok;
    int rounds = 20;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--db") db = argv[i + 1];
        else if (a == "--varnok") varnok = argv[i + 1];
        else if (a == "--rounds") rounds = std::max(1, std::atoi(argv[i + 1]));
    }
    if (varnok.empty()) varnok = (std::filesystem::path(argv[0]).parent_path() / "../varnok").string();
    const std::string scratch = (std::filesystem::temp_directory_path() / "varnok_bench_atlas").string();
    std::filesystem::remove_all(scratch);

    AtlasOptions options{db, scratch + "/atlas", false};
    AtlasResult first = MakeAtlas(options, nullptr);  // warms the page cache and makes the files
    if (!first.ok || first.drawn == 0) {
        std::fprintf(stderr, "bench_atlas: no atlas from %s\n", db.c_str());
        return 1;
    }
    const double drawn = static_cast<double>(first.drawn);
    std::printf("database %s: %s\n", db.c_str(), AtlasSummary(first).c_str());

    // The floor: the atlas's own files, written again from memory.
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(options.out_dir)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        files.emplace_back(std::filesystem::relative(entry.path(), options.out_dir).string(), bytes);
    }
    auto write_files = [&](const std::string& dir) {
        for (const auto& f : files) {
            const std::string path = dir + "/" + f.first;
            if (!WriteWholeFile(path, f.second)) {
                std::filesystem::create_directories(std::filesystem::path(path).parent_path());
                WriteWholeFile(path, f.second);
            }
        }
    };

    Times rewrite = Best(rounds, drawn, [&](int) { MakeAtlas(options, nullptr); });
    Times floor_rewrite = Best(rounds, drawn, [&](int) { write_files(options.out_dir); });
    Times fresh = Best(rounds, drawn, [&](int i) {
        AtlasOptions o{db, scratch + "/fresh" + std::to_string(i), false};
        MakeAtlas(o, nullptr);
    });
    Times floor_fresh = Best(rounds, drawn, [&](int i) { write_files(scratch + "/floor" + std::to_string(i)); });

    // The drawing alone: one station's import and SVG text, no files.
    CountryTable table;
    LoadCountryTable(db, table);
    StationData imported;
    imported.record = MakeStartupRecord();
    StationData station;
    SvgSurface surface;
    RenderOptions render;
    render.view = RenderView::diagram;
    std::size_t bytes = 0;
    {
        // A station file of the first station drawn, for varnok render.
        std::string name;
        ScanStationRecords(DataFilePath(db, DataFile::precip), [&](const StationRecordBytes& r) {
            name.assign(r.bytes + 12, 24);
            return true;
        });
        ImportStationFromDatabase(db, table, name, imported);
        WriteStationFile(scratch + "/station.cli", imported.record);
    }
    Times draw = Best(rounds, 200, [&](int) {
        for (int k = 0; k < 200; ++k) {
            station = imported;
            bytes = RenderSvg(render, station, surface).size();
        }
    });

    const int processes = std::max(5, rounds / 2);
    Times process = Best(processes, 1, [&](int) {
        if (!RunProcess({varnok, "render", scratch + "/station.cli", "-o", scratch + "/render.svg"})) {
            std::fprintf(stderr, "bench_atlas: %s render failed\n", varnok.c_str());
            std::exit(1);
        }
    });

    double load[3] = {0, 0, 0};
    getloadavg(load, 3);
    std::printf("machine load (1, 5, 15 min): %.2f %.2f %.2f on %u processors; best of %d rounds\n", load[0],
                load[1], load[2], std::thread::hardware_concurrency(), rounds);
    Report("atlas, files replaced", rewrite, "per diagram");
    Report("floor: the same files written from memory, replaced", floor_rewrite, "per diagram");
    Report("atlas, new folder", fresh, "per diagram");
    Report("floor: the same files written from memory, new folder", floor_fresh, "per diagram");
    std::printf("%-52s %9zu bytes\n", "one diagram's SVG", bytes);
    Report("drawing one diagram's SVG text (no file)", draw, "per diagram");
    Report("one `varnok render` process", process, "per diagram");
    std::printf("atlas / floor: %.2f replaced, %.2f new folder (wall); %.2f, %.2f (processor)\n",
                rewrite.wall_us / floor_rewrite.wall_us, fresh.wall_us / floor_fresh.wall_us,
                rewrite.cpu_us / floor_rewrite.cpu_us, fresh.cpu_us / floor_fresh.cpu_us);
    std::printf("varnok render process / atlas per diagram: %.0f times (wall), %.0f times (processor)\n",
                process.wall_us / rewrite.wall_us, process.cpu_us / rewrite.cpu_us);
    std::printf("goal: at most 70 µs per diagram: %s\n", rewrite.wall_us <= 70.0 ? "met" : "NOT met");
    std::filesystem::remove_all(scratch);
    return 0;
}
