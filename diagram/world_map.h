// The station map: the land filled in a light colour on a white sea, one
// dot per station in its colour, the picked station ringed, a thin frame;
// drawn on any surface (the map dialog, `varnok map`, the atlas page).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "database/world_outline.h"
#include "diagram/draw_surface.h"
#include "diagram/map_view.h"
#include "station/climate_class.h"

constexpr Colour kMapLand = 0xC8DCE0;     // RGB 224, 220, 200
constexpr Colour kMapSea = kWhite;
constexpr Colour kMapNoClass = 0x909090;  // a station without a climate class
constexpr int kMapDotRadius = 3;          // pixels at 96 DPI

// Called around each dot drawn, with the station's index (the atlas makes
// each dot a link).
class MapDotHook {
public:
    virtual void BeforeDot(std::size_t station) = 0;
    virtual void AfterDot(std::size_t station) = 0;

protected:
    ~MapDotHook() = default;
};

struct MapDrawing {
    MapArea area;
    MapView view;
    const WorldOutline* land = nullptr;  // null or empty: the stations without land
    const std::vector<GeoPosition>* stations = nullptr;
    // The dot colour of each station; a station beyond the end gets kMapNoClass.
    const std::vector<Colour>* colours = nullptr;
    std::int64_t picked = -1;  // the station ringed, or -1
    int dot_radius = kMapDotRadius;
    MapDotHook* hook = nullptr;
};

// The dot colour of a climate class (kMapNoClass for none).
Colour ClimateClassDotColour(std::optional<ClimateClass> climate_class);

// The edge of a dot: its colour darkened, so a light dot shows on the land.
Colour MapDotOutline(Colour fill);

// Draws, in the groups "land" and "stations", the sea over the whole
// area, the land, the dots of the stations
// that lie in the area (from the end of the list, so an earlier one covers
// a later),
// the ring, and the frame on the area's edge. Pen and brush are the
// surface's thin pen and null brush afterwards.
void DrawWorldMap(DrawSurface& surface, const MapDrawing& map);
// Its two layers, for a window that keeps the first while only the dots
// and the ring change: the sea and the land; the dots, the ring and the frame.
void DrawMapLand(DrawSurface& surface, const MapDrawing& map);
void DrawMapStations(DrawSurface& surface, const MapDrawing& map);
