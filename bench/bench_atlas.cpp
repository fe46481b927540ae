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
#include <set>
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

// The best of `rounds` runs of `run`, each divided by `per`; `after` runs
// after each round, untimed.
template <typename Run, typename After>
Times Best(int rounds, double per, Run run, After after) {
    Times best;
    for (int i = 0; i < rounds; ++i) {
        const double cpu = CpuMicroseconds();
        const auto start = std::chrono::steady_clock::now();
        run(i);
        const double wall = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
        best.wall_us = std::min(best.wall_us, wall / per);
        best.cpu_us = std::min(best.cpu_us, (CpuMicroseconds() - cpu) / per);
        after(i);
    }
    return best;
}

template <typename Run>
Times Best(int rounds, double per, Run run) {
    return Best(rounds, per, run, [](int) {});
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

struct Place {
    std::string name;
    std::string folder;
};

struct FileTimes {
    Times rewrite, floor_rewrite, fresh, floor_fresh;
};

// The atlas into `folder`, again over its own files and into new folders,
// beside its floor: the same files written again from memory.
FileTimes MeasureFiles(const std::string& db, const std::string& folder, int rounds, double drawn) {
    std::filesystem::remove_all(folder);
    AtlasOptions options{db, folder + "/atlas", false};
    MakeAtlas(options, nullptr);
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(options.out_dir)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        files.emplace_back(std::filesystem::relative(entry.path(), options.out_dir).string(), bytes);
    }
    // The folders are made once, as the atlas makes each country's folder
    // once, so that the floor holds only what any writer of these files
    // must do.
    std::set<std::string> folders;
    for (const auto& f : files) folders.insert(std::filesystem::path(f.first).parent_path().string());
    auto write_files = [&](const std::string& dir) {
        for (const std::string& sub : folders) std::filesystem::create_directories(dir + "/" + sub);
        for (const auto& f : files) WriteWholeFile(dir + "/" + f.first, f.second);
    };
    FileTimes t;
    t.rewrite = Best(rounds, drawn, [&](int) { MakeAtlas(options, nullptr); });
    t.floor_rewrite = Best(rounds, drawn, [&](int) { write_files(options.out_dir); });
    // Each round's new folder is removed after it, so that the rounds do
    // not fill the file system's memory with copies.
    const std::string fresh = folder + "/fresh";
    auto remove_fresh = [&](int) { std::filesystem::remove_all(fresh); };
    t.fresh = Best(rounds, drawn, [&](int) { MakeAtlas(AtlasOptions{db, fresh, false}, nullptr); }, remove_fresh);
    t.floor_fresh = Best(rounds, drawn, [&](int) { write_files(fresh); }, remove_fresh);
    std::filesystem::remove_all(folder);
    return t;
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
    AtlasResult first = MakeAtlas(options, nullptr);  // warms the page cache
    if (!first.ok || first.drawn == 0) {
        std::fprintf(stderr, "bench_atlas: no atlas from %s\n", db.c_str());
        return 1;
    }
    const double drawn = static_cast<double>(first.drawn);
    std::printf("database %s: %s\n", db.c_str(), AtlasSummary(first).c_str());

    // The files go to the temporary folder's file system and, where the
    // machine has one, to memory (/dev/shm): the first holds what the disk's
    // file system adds (on ext4 a file replaced by truncation is flushed
    // when it is closed), the second the work of the atlas itself.
    std::vector<Place> places = {{"temporary folder " + std::filesystem::temp_directory_path().string(), scratch}};
    if (std::filesystem::is_directory("/dev/shm")) places.push_back({"memory (/dev/shm)", "/dev/shm/varnok_bench_atlas"});
    std::vector<FileTimes> times;
    for (const Place& place : places) times.push_back(MeasureFiles(db, place.folder, rounds, drawn));
    std::filesystem::create_directories(scratch);

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
    Times best_atlas;
    for (std::size_t k = 0; k < places.size(); ++k) {
        const FileTimes& t = times[k];
        std::printf("-- files in %s\n", places[k].name.c_str());
        Report("atlas, files replaced", t.rewrite, "per diagram");
        Report("floor: the same files written from memory, replaced", t.floor_rewrite, "per diagram");
        Report("atlas, new folder", t.fresh, "per diagram");
        Report("floor: the same files written from memory, new folder", t.floor_fresh, "per diagram");
        std::printf("atlas / floor: %.2f replaced, %.2f new folder (wall); %.2f, %.2f (processor)\n",
                    t.rewrite.wall_us / t.floor_rewrite.wall_us, t.fresh.wall_us / t.floor_fresh.wall_us,
                    t.rewrite.cpu_us / t.floor_rewrite.cpu_us, t.fresh.cpu_us / t.floor_fresh.cpu_us);
        best_atlas.wall_us = std::min({best_atlas.wall_us, t.rewrite.wall_us, t.fresh.wall_us});
        best_atlas.cpu_us = std::min({best_atlas.cpu_us, t.rewrite.cpu_us, t.fresh.cpu_us});
        std::printf("goal: at most 70 µs per diagram, new folder: %s; replaced: %s\n",
                    t.fresh.wall_us <= 70.0 ? "met" : "NOT met", t.rewrite.wall_us <= 70.0 ? "met" : "NOT met");
    }
    std::printf("--\n");
    std::printf("%-52s %9zu bytes\n", "one diagram's SVG", bytes);
    Report("drawing one diagram's SVG text (no file)", draw, "per diagram");
    Report("one `varnok render` process", process, "per diagram");
    std::printf("varnok render process / atlas per diagram: %.0f times (wall), %.0f times (processor)\n",
                process.wall_us / best_atlas.wall_us, process.cpu_us / best_atlas.cpu_us);
    std::filesystem::remove_all(scratch);
    for (const Place& place : places) std::filesystem::remove_all(place.folder);
    return 0;
}
