#include "diagram/map_view.h"

#include <algorithm>

namespace {

// Pixels per degree in each direction.
double ScaleX(const MapArea& area, const MapView& view) { return area.width * view.zoom / 360.0; }
double ScaleY(const MapArea& area, const MapView& view) { return area.height * view.zoom / 180.0; }

}  // namespace

// No maths library: the varnok tool links without it.
int RoundPixel(double v) {
    v = v == v ? std::clamp(v, -1.0e7, 1.0e7) : 0.0;
    return v >= 0 ? static_cast<int>(v + 0.5) : -static_cast<int>(-v + 0.5);
}

MapPoint ProjectPosition(const MapArea& area, const MapView& view, GeoPosition position) {
    return {area.left + area.width / 2.0 + (position.lon - view.centre_lon) * ScaleX(area, view),
            area.top + area.height / 2.0 - (position.lat - view.centre_lat) * ScaleY(area, view)};
}

GeoPosition UnprojectPixel(const MapArea& area, const MapView& view, MapPoint pixel) {
    if (area.width <= 0 || area.height <= 0) return {view.centre_lon, view.centre_lat};
    return {view.centre_lon + (pixel.x - area.left - area.width / 2.0) / ScaleX(area, view),
            view.centre_lat - (pixel.y - area.top - area.height / 2.0) / ScaleY(area, view)};
}

MapView ClampView(MapView view) {
    // NaN fails every comparison: it becomes the start value.
    view.zoom = view.zoom >= 1 ? std::min(view.zoom, kMaxMapZoom) : 1.0;
    const double half_lon = 180.0 / view.zoom;
    const double half_lat = 90.0 / view.zoom;
    view.centre_lon = view.centre_lon == view.centre_lon ? std::clamp(view.centre_lon, -180 + half_lon, 180 - half_lon) : 0;
    view.centre_lat = view.centre_lat == view.centre_lat ? std::clamp(view.centre_lat, -90 + half_lat, 90 - half_lat) : 0;
    return view;
}

MapView ZoomAt(const MapArea& area, const MapView& view, MapPoint pixel, double factor) {
    const GeoPosition fixed = UnprojectPixel(area, view, pixel);
    MapView zoomed = view;
    zoomed.zoom = std::clamp(view.zoom * factor, 1.0, kMaxMapZoom);
    // The centre that puts `fixed` back under the pixel.
    const GeoPosition moved = UnprojectPixel(area, zoomed, pixel);
    zoomed.centre_lon += fixed.lon - moved.lon;
    zoomed.centre_lat += fixed.lat - moved.lat;
    return ClampView(zoomed);
}

MapView PanBy(const MapArea& area, const MapView& view, double dx, double dy) {
    if (area.width <= 0 || area.height <= 0) return view;
    MapView moved = view;
    moved.centre_lon -= dx / ScaleX(area, view);
    moved.centre_lat += dy / ScaleY(area, view);
    return ClampView(moved);
}
