#include "diagram/world_map.h"

#include <algorithm>

namespace {

SurfacePoint Pixel(const MapDrawing& map, GeoPosition position) {
    const MapPoint p = ProjectPosition(map.area, map.view, position);
    return {RoundPixel(p.x), RoundPixel(p.y)};
}

void FillArea(DrawSurface& surface, const MapArea& a, Colour colour) {
    const SurfacePoint corners[4] = {
        {a.left, a.top}, {a.left + a.width, a.top}, {a.left + a.width, a.top + a.height}, {a.left, a.top + a.height}};
    const std::uint32_t size = 4;
    surface.FillPolygons(corners, &size, 1, colour);
}

// The rings as pixels: a point on the pixel of the one before is left out,
// and a ring wholly beside the area or shrunk below three pixels is too.
void DrawLand(DrawSurface& surface, const MapDrawing& map) {
    const WorldOutline& land = *map.land;
    const double k = 1.0 / world_layout::kUnitsPerDegree;
    std::vector<SurfacePoint> points;
    std::vector<std::uint32_t> sizes;
    points.reserve(land.points.size());
    const int right = map.area.left + map.area.width;
    const int bottom = map.area.top + map.area.height;
    std::size_t at = 0;
    for (std::uint32_t ring_size : land.ring_sizes) {
        const std::size_t first = points.size();
        int x0 = INT32_MAX, x1 = INT32_MIN, y0 = INT32_MAX, y1 = INT32_MIN;
        for (std::uint32_t i = 0; i < ring_size; ++i) {
            const OutlinePoint& o = land.points[at + i];
            const SurfacePoint p = Pixel(map, {o.lon * k, o.lat * k});
            if (points.size() > first && points.back().x == p.x && points.back().y == p.y) continue;
            points.push_back(p);
            x0 = std::min(x0, p.x);
            x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y);
            y1 = std::max(y1, p.y);
        }
        at += ring_size;
        const bool beside = x1 < map.area.left || x0 > right || y1 < map.area.top || y0 > bottom;
        if (points.size() - first < 3 || beside) {
            points.resize(first);
            continue;
        }
        sizes.push_back(static_cast<std::uint32_t>(points.size() - first));
    }
    if (!sizes.empty()) surface.FillPolygons(points.data(), sizes.data(), sizes.size(), kMapLand);
}

bool InArea(const MapArea& a, SurfacePoint p, int margin) {
    return p.x >= a.left - margin && p.x <= a.left + a.width + margin && p.y >= a.top - margin &&
           p.y <= a.top + a.height + margin;
}

void DrawRing(DrawSurface& surface, SurfacePoint centre, int radius) {
    // cos and sin of every 15 degrees.
    static const double kCos[24] = {1, 0.9659, 0.8660, 0.7071, 0.5, 0.2588, 0, -0.2588, -0.5, -0.7071, -0.8660, -0.9659,
                                    -1, -0.9659, -0.8660, -0.7071, -0.5, -0.2588, 0, 0.2588, 0.5, 0.7071, 0.8660, 0.9659};
    surface.SelectPen(PenId::thick);
    surface.MoveTo(centre.x + radius, centre.y);
    for (int i = 1; i <= 24; ++i) {
        surface.LineTo(centre.x + RoundPixel(radius * kCos[i % 24]), centre.y + RoundPixel(radius * kCos[(i + 18) % 24]));
    }
}

void DrawFrame(DrawSurface& surface, const MapArea& a) {
    const int right = a.left + a.width - 1;
    const int bottom = a.top + a.height - 1;
    surface.SelectPen(PenId::thin);
    surface.MoveTo(a.left, a.top);
    surface.LineTo(right, a.top);
    surface.LineTo(right, bottom);
    surface.LineTo(a.left, bottom);
    surface.LineTo(a.left, a.top);
}

}  // namespace

Colour ClimateClassDotColour(std::optional<ClimateClass> climate_class) {
    if (!climate_class) return kMapNoClass;
    const ClassColour c = ClimateClassColour(*climate_class);
    return static_cast<Colour>(c.r) | static_cast<Colour>(c.g) << 8 | static_cast<Colour>(c.b) << 16;
}

Colour MapDotOutline(Colour fill) {
    Colour out = 0;
    for (int shift = 0; shift < 24; shift += 8) out |= (((fill >> shift) & 0xFF) * 3 / 5) << shift;
    return out;
}

void DrawWorldMap(DrawSurface& surface, const MapDrawing& map) {
    DrawMapLand(surface, map);
    DrawMapStations(surface, map);
}

void DrawMapLand(DrawSurface& surface, const MapDrawing& map) {
    if (map.area.width <= 0 || map.area.height <= 0) return;
    surface.BeginGroup("land");
    FillArea(surface, map.area, kMapSea);
    if (map.land && !map.land->ring_sizes.empty()) DrawLand(surface, map);
}

void DrawMapStations(DrawSurface& surface, const MapDrawing& map) {
    if (map.area.width <= 0 || map.area.height <= 0) return;
    surface.BeginGroup("stations");
    if (map.stations) {
        // The first station of the list on top: of dots on the same pixel,
        // the one a click picks (StationGrid::Nearest) is the one seen.
        const std::vector<GeoPosition>& stations = *map.stations;
        for (std::size_t i = stations.size(); i-- > 0;) {
            const SurfacePoint p = Pixel(map, stations[i]);
            if (!InArea(map.area, p, map.dot_radius)) continue;
            const Colour fill = map.colours && i < map.colours->size() ? (*map.colours)[i] : kMapNoClass;
            if (map.hook) map.hook->BeforeDot(i);
            surface.FillDisc(p.x, p.y, map.dot_radius, fill, MapDotOutline(fill));
            if (map.hook) map.hook->AfterDot(i);
        }
        if (map.picked >= 0 && static_cast<std::size_t>(map.picked) < stations.size()) {
            DrawRing(surface, Pixel(map, stations[static_cast<std::size_t>(map.picked)]), map.dot_radius + 4);
        }
    }
    DrawFrame(surface, map.area);
    surface.SelectNullBrush();
}
