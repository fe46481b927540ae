// The station map: the nearest station to a pixel among 100,000 stations
// (the grid index beside a plain scan of all of them, the peer it must beat
// by far), and one drawing of the shipped map at full HD on a surface that
// only counts its calls (the projection and culling of the land).
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "diagram/station_grid.h"
#include "diagram/station_map.h"
#include "tests/counting_surface.h"

namespace {

// Stations as the real ones lie: most in clusters (Europe, Japan), the rest
// spread; a fixed sequence, so every run measures the same set.
std::vector<GeoPosition> MadeUpStations(int n) {
    std::uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / double(1u << 24);
    };
    std::vector<GeoPosition> out;
    for (int i = 0; i < n; ++i) {
        if (i % 3 == 0) {
            out.push_back({next() * 40 - 10, next() * 25 + 35});  // Europe
        } else {
            out.push_back({next() * 360 - 180, next() * 150 - 60});
        }
    }
    return out;
}

std::int64_t ScanNearest(const std::vector<GeoPosition>& stations, const MapArea& area, const MapView& view,
                         MapPoint pixel, double radius) {
    std::int64_t best = -1;
    double best_d2 = radius * radius;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        const MapPoint p = ProjectPosition(area, view, stations[i]);
        const double d2 = (p.x - pixel.x) * (p.x - pixel.x) + (p.y - pixel.y) * (p.y - pixel.y);
        if (d2 < best_d2 || (d2 == best_d2 && best < 0)) {
            best = static_cast<std::int64_t>(i);
            best_d2 = d2;
        }
    }
    return best;
}

template <typename Find>
double MicrosecondsPerQuery(const MapArea& area, int queries, Find find, std::int64_t& found) {
    std::uint32_t seed = 777;
    found = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int q = 0; q < queries; ++q) {
        seed = seed * 1664525u + 1013904223u;
        const MapPoint p{area.left + double(seed % 1920u), area.top + double((seed >> 12) % 1080u)};
        found += find(p) >= 0;
    }
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / queries;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<GeoPosition> stations = MadeUpStations(100000);
    const auto build_start = std::chrono::steady_clock::now();
    const StationGrid grid(stations);
    const double build_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - build_start).count();
    std::printf("grid of 100000 stations built in %.2f ms\n", build_ms);
    const MapArea area{0, 0, 1920, 1080};
    for (const MapView view : {MapView{}, MapView{10, 50, 8}}) {
        std::int64_t found_grid = 0, found_scan = 0;
        const double grid_us = MicrosecondsPerQuery(area, 20000, [&](MapPoint p) {
            return grid.Nearest(area, view, p, kPickRadius);
        }, found_grid);
        const double scan_us = MicrosecondsPerQuery(area, 200, [&](MapPoint p) {
            return ScanNearest(stations, area, view, p, kPickRadius);
        }, found_scan);
        std::printf("zoom %2.0f: nearest by grid %8.2f us, by a scan of all %8.2f us (%.0fx), limit 1000 us; %lld of 20000 found\n",
                    view.zoom, grid_us, scan_us, scan_us / grid_us, static_cast<long long>(found_grid));
    }
    const std::string db = argc > 1 ? argv[1] : VARNOK_SOURCE_DIR "/data/database";
    const auto load_start = std::chrono::steady_clock::now();
    const StationMap map = LoadStationMap(db);
    std::printf("shipped map loaded (PRECIP.DAT, TEMP.DAT, WORLD.DAT, the classes) in %.2f ms\n",
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - load_start).count());
    CountingSurface surface;
    const int rounds = 50;
    const auto draw_start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) DrawWorldMap(surface, StationMapDrawing(map, area, MapView{}));
    const double draw_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - draw_start).count() / rounds;
    std::printf("shipped map at 1920x1080: %.3f ms per drawing, %lld surface calls (%zu stations, %zu land points)\n",
                draw_ms, surface.calls / rounds, map.positions.size(), map.land.outline.points.size());
    return 0;
}
