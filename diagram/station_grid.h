// The nearest station to a pixel of the map: a grid of one-degree cells
// over the globe, built once for a database and good for every view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "diagram/map_view.h"

constexpr double kPickRadius = 8;  // pixels at 96 DPI

class StationGrid {
public:
    StationGrid() = default;
    // Positions off the globe (beyond +-180, +-90, or NaN) are never found.
    explicit StationGrid(const std::vector<GeoPosition>& positions);

    // The index of the station whose dot (ProjectPosition rounded by
    // RoundPixel) is nearest to `pixel`, at most `radius` pixels away, or
    // -1. Of several at the same distance the one first in the list wins,
    // the one drawn on top. A station drawn at the right
    // edge (180 degrees) and one at the left edge are far apart on the map,
    // as they are drawn.
    std::int64_t Nearest(const MapArea& area, const MapView& view, MapPoint pixel, double radius) const;

    std::size_t size() const { return positions_.size(); }

private:
    static constexpr int kColumns = 360;
    static constexpr int kRows = 180;
    static int Column(double lon);
    static int Row(double lat);

    std::vector<GeoPosition> positions_;
    std::vector<std::uint32_t> cell_start_;  // kColumns * kRows + 1 offsets into members_
    std::vector<std::uint32_t> members_;     // station indexes, cell by cell, rising within a cell
};
