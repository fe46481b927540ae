// The station map's projection: equirectangular. A view is a centre
// (longitude, latitude in decimal degrees) and a zoom factor; at zoom 1 and
// centre 0, 0 (the start view) longitude -180..180 and latitude 90..-90 fill
// the area: x = left + (lon + 180) / 360 * width, y = top + (90 - lat) / 180
// * height. The functions are pure: the same area, view and position give
// the same pixel everywhere (window, SVG, nearest-station search).
#pragma once

struct MapArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct MapView {
    double centre_lon = 0;
    double centre_lat = 0;
    double zoom = 1;
};

struct MapPoint {
    double x;
    double y;
};

struct GeoPosition {
    double lon;
    double lat;
};

constexpr double kMaxMapZoom = 64;

// A coordinate to its pixel, halves away from zero; beyond +-1e7 (far
// outside any area) it stays there, where an int and a device stay exact.
// Dots are drawn, and found under the mouse, at these pixels.
int RoundPixel(double v);

// The position's pixel, unrounded; positions off the view give pixels
// outside the area.
MapPoint ProjectPosition(const MapArea& area, const MapView& view, GeoPosition position);
// The position at a pixel: the inverse of ProjectPosition (an empty area
// gives the centre).
GeoPosition UnprojectPixel(const MapArea& area, const MapView& view, MapPoint pixel);

// The view with its zoom kept in 1..kMaxMapZoom and its centre where the
// view stays on the globe: the map never shows anything beyond the date
// line or the poles, and the start view is the only view at zoom 1.
MapView ClampView(MapView view);
// Zooms by `factor` (2 doubles the scale) keeping the position under the
// pixel where it is, as far as the clamp allows.
MapView ZoomAt(const MapArea& area, const MapView& view, MapPoint pixel, double factor);
// Moves the map by dx, dy pixels (a drag to the right shows what lies west).
MapView PanBy(const MapArea& area, const MapView& view, double dx, double dy);
