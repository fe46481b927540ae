#include "diagram/station_grid.h"

#include <algorithm>

namespace {

bool OnGlobe(const GeoPosition& p) { return p.lon >= -180.0 && p.lon <= 180.0 && p.lat >= -90.0 && p.lat <= 90.0; }

}  // namespace

// Truncation is the floor for what is clamped to the grid (the varnok tool
// links without the maths library).
int StationGrid::Column(double lon) { return static_cast<int>(std::clamp(lon + 180.0, 0.0, kColumns - 1.0)); }
int StationGrid::Row(double lat) { return static_cast<int>(std::clamp(lat + 90.0, 0.0, kRows - 1.0)); }

StationGrid::StationGrid(const std::vector<GeoPosition>& positions) : positions_(positions) {
    cell_start_.assign(static_cast<std::size_t>(kColumns) * kRows + 1, 0);
    std::vector<std::uint32_t> cell_of(positions.size(), 0);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (!OnGlobe(positions[i])) continue;
        cell_of[i] = static_cast<std::uint32_t>(Row(positions[i].lat) * kColumns + Column(positions[i].lon));
        ++cell_start_[cell_of[i] + 1];
    }
    for (std::size_t c = 1; c < cell_start_.size(); ++c) cell_start_[c] += cell_start_[c - 1];
    members_.resize(cell_start_.back());
    std::vector<std::uint32_t> fill(cell_start_.begin(), cell_start_.end() - 1);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (OnGlobe(positions[i])) members_[fill[cell_of[i]]++] = static_cast<std::uint32_t>(i);
    }
}

std::int64_t StationGrid::Nearest(const MapArea& area, const MapView& view, MapPoint pixel, double radius) const {
    if (members_.empty() || area.width <= 0 || area.height <= 0 || !(radius >= 0)) return -1;
    // The cells that the square of the radius around the pixel touches.
    const GeoPosition low = UnprojectPixel(area, view, {pixel.x - radius, pixel.y + radius});
    const GeoPosition high = UnprojectPixel(area, view, {pixel.x + radius, pixel.y - radius});
    if (!(low.lon <= 180.0 && high.lon >= -180.0 && low.lat <= 90.0 && high.lat >= -90.0)) return -1;
    const int c0 = Column(low.lon), c1 = Column(high.lon);
    const int r0 = Row(low.lat), r1 = Row(high.lat);
    std::int64_t best = -1;
    double best_d2 = radius * radius;
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c) {
            const std::size_t cell = static_cast<std::size_t>(r) * kColumns + static_cast<std::size_t>(c);
            for (std::uint32_t k = cell_start_[cell]; k < cell_start_[cell + 1]; ++k) {
                const std::uint32_t i = members_[k];
                // The pixel its dot is drawn at.
                const MapPoint exact = ProjectPosition(area, view, positions_[i]);
                const MapPoint p{double(RoundPixel(exact.x)), double(RoundPixel(exact.y))};
                // Stored through memory, so that the i686 build's x87 registers,
                // which hold more digits than a double, cannot make two equal
                // distances differ: a tie must go to the first station.
                volatile double stored = (p.x - pixel.x) * (p.x - pixel.x) + (p.y - pixel.y) * (p.y - pixel.y);
                const double d2 = stored;
                if (d2 < best_d2 || (d2 == best_d2 && (best < 0 || i < best))) {
                    best = i;
                    best_d2 = d2;
                }
            }
        }
    }
    return best;
}
