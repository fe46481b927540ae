#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "database/map_stations.h"
#include "database/station_import.h"
#include "diagram/station_grid.h"
#include "diagram/station_map.h"
#include "diagram/world_map.h"
#include "tests/recording_surface.h"
#include "tests/test_support.h"

namespace {

const MapArea kArea{10, 20, 800, 400};

TEST(MapView, StartViewAndRoundTrip) {
    const MapView start;
    const struct {
        GeoPosition at;
        double x, y;
    } corners[] = {{{-180, 90}, 10, 20}, {{180, -90}, 810, 420}, {{0, 0}, 410, 220}, {{13.4, 52.4667}, 439.7778, 103.4074}};
    for (const auto& c : corners) {
        const MapPoint p = ProjectPosition(kArea, start, c.at);
        EXPECT_NEAR(p.x, c.x, 1e-3);
        EXPECT_NEAR(p.y, c.y, 1e-3);
    }
    const MapView views[] = {start, {13.4, 52.5, 8}, {-170, -80, 64}, {179, 0, 2}};
    for (const MapView& v : views) {
        for (const GeoPosition g : {GeoPosition{-179.99, 89.9}, GeoPosition{151.17, -33.95}, GeoPosition{0, 0}}) {
            const GeoPosition back = UnprojectPixel(kArea, v, ProjectPosition(kArea, v, g));
            EXPECT_NEAR(back.lon, g.lon, 1e-9);
            EXPECT_NEAR(back.lat, g.lat, 1e-9);
        }
    }
}

TEST(MapView, ZoomKeepsThePointUnderTheCursorAndTheClampKeepsTheGlobe) {
    const MapPoint cursor{600, 150};
    const GeoPosition under = UnprojectPixel(kArea, MapView{}, cursor);
    const MapView zoomed = ZoomAt(kArea, MapView{}, cursor, 4);
    EXPECT_EQ(zoomed.zoom, 4);
    const MapPoint again = ProjectPosition(kArea, zoomed, under);
    EXPECT_NEAR(again.x, cursor.x, 1e-6);
    EXPECT_NEAR(again.y, cursor.y, 1e-6);
    // Out again to zoom 1 is the start view, wherever the cursor.
    const MapView back = ZoomAt(kArea, zoomed, {15, 25}, 0.01);
    EXPECT_EQ(back.zoom, 1);
    EXPECT_EQ(back.centre_lon, 0);
    EXPECT_EQ(back.centre_lat, 0);
    const MapView far = PanBy(kArea, zoomed, 1e9, -1e9);
    EXPECT_EQ(far.centre_lon, -180 + 45);  // dragged right and up: the west edge and the south edge
    EXPECT_EQ(far.centre_lat, -90 + 22.5);
    EXPECT_EQ(ClampView({0, 0, 1e9}).zoom, kMaxMapZoom);
}

TEST(StationGrid, NearestWithinTheRadius) {
    // 0 and 3 lie on the same pixel (a tie: the first wins); 1 and 2 at the
    // two edges of the date line; 4 off the globe.
    const std::vector<GeoPosition> stations = {{10, 10}, {179.9, 0}, {-179.9, 0}, {10, 10}, {200, 0}, {11, 10}};
    const StationGrid grid(stations);
    const MapView start;
    auto at = [&](GeoPosition g, double dx = 0) {
        MapPoint p = ProjectPosition(kArea, start, g);
        p.x += dx;
        return grid.Nearest(kArea, start, p, kPickRadius);
    };
    EXPECT_EQ(at({10, 10}), 0);
    EXPECT_EQ(at({11, 10}), 5);
    EXPECT_EQ(at({10, 10}, -7.9), 0);
    EXPECT_EQ(at({10, 10}, -8.1), -1);  // beyond 8 pixels
    EXPECT_EQ(at({180, 0}), 1);         // the east edge finds the east station only
    EXPECT_EQ(at({-180, 0}), 2);
    EXPECT_EQ(at({200, 0}), -1);
    // Dots at x 432 and 434 (10 and 11 degrees east): the pixel between is a tie.
    const MapPoint between{433, double(RoundPixel(ProjectPosition(kArea, start, {10, 10}).y))};
    EXPECT_EQ(grid.Nearest(kArea, start, between, kPickRadius), 0);

    EXPECT_EQ(StationGrid().Nearest(kArea, start, {100, 100}, kPickRadius), -1);
    EXPECT_EQ(StationGrid(std::vector<GeoPosition>{}).Nearest(kArea, start, {100, 100}, kPickRadius), -1);
    EXPECT_EQ(grid.Nearest(MapArea{}, start, {0, 0}, kPickRadius), -1);
    // Zoomed in, a station 8 pixels away is much closer in degrees.
    const MapView close{10, 10, 64};
    const MapPoint centre = ProjectPosition(kArea, close, {10, 10});
    EXPECT_EQ(grid.Nearest(kArea, close, {centre.x + 20, centre.y}, kPickRadius), -1);
}

TEST(MapStations, DegreesAndMinutes) {
    const struct {
        const char* degrees;
        const char* minutes;
        bool ok;
        double value;
    } cases[] = {{" 52.", "28", true, 52 + 28 / 60.0}, {"-33.", "57", true, -(33 + 57 / 60.0)},
                 {" -0.", "31", true, -31 / 60.0},    {"  0.", "00", true, 0},
                 {" 90.", "00", true, 90},            {" 90.", "01", false, 0},
                 {" 12.", "60", false, 0},            {" 12.", "-5", false, 0}};
    for (const auto& c : cases) {
        double v = 0;
        EXPECT_EQ(DatabaseDegrees(c.degrees, c.minutes, 90, v), c.ok) << c.degrees << c.minutes;
        if (c.ok) {
            EXPECT_NEAR(v, c.value, 1e-12) << c.degrees << c.minutes;
        }
    }
}

TEST(WorldMap, ShippedDatabaseDrawsOneDotPerStation) {
    const StationMap map = LoadStationMap(SourceDir() + "/data/database");
    ASSERT_EQ(map.stations.status, DataFileStatus::ok);
    ASSERT_EQ(map.land.status, OutlineStatus::ok);
    EXPECT_EQ(map.stations.stations.size(), 2439u);  // every station with both records
    RecordingSurface surface;
    MapDrawing drawing = StationMapDrawing(map, kArea, MapView{});
    drawing.picked = 7;
    DrawWorldMap(surface, drawing);
    int sea = 0, land = 0, dots = 0;
    for (const DrawCall& c : surface.calls()) {
        if (c.kind == DrawCall::fill_polygons) (c.colour == kMapSea ? sea : land) += 1;
        if (c.kind != DrawCall::fill_disc) continue;
        ++dots;
        EXPECT_TRUE(c.x >= kArea.left - 3 && c.x <= kArea.left + kArea.width + 3) << c.x;
    }
    EXPECT_EQ(sea, 1);
    EXPECT_EQ(land, 1);
    EXPECT_EQ(dots, 2439);
    // Berlin-Tempelhof, 52 28 N 13 24 E, where the start view puts it.
    const auto& s = map.stations.stations;
    const auto berlin = std::find_if(s.begin(), s.end(), [](const MapStation& m) { return m.number == "10384"; });
    ASSERT_NE(berlin, s.end());
    EXPECT_EQ(berlin->pick_text, "BERLIN-TEMPELHOF\t10384");
    // In the start view Berlin's four stations share a pixel or two; zoomed
    // in, a click where Tempelhof lies picks it.
    const GeoPosition tempelhof{13 + 24 / 60.0, 52 + 28 / 60.0};
    const MapView close{13.4, 52.5, 32};
    const MapPoint p = ProjectPosition(kArea, close, tempelhof);
    EXPECT_EQ(map.grid.Nearest(kArea, close, {double(RoundPixel(p.x)), double(RoundPixel(p.y))}, kPickRadius),
              berlin - s.begin());
    // Its dot in its class colour, its class named under the map.
    ASSERT_TRUE(berlin->climate_class.has_value());
    const std::size_t b = static_cast<std::size_t>(berlin - s.begin());
    EXPECT_EQ(map.colours[b], ClimateClassDotColour(berlin->climate_class));
    EXPECT_NE(map.colours[b], kMapNoClass);
    EXPECT_EQ(StationMapLabel(map, static_cast<std::int64_t>(b)),
              "BERLIN-TEMPELHOF 10384, " + std::string(ClimateClassCode(*berlin->climate_class)) + ": " +
                  std::string(ClimateClassName(*berlin->climate_class)));

    // Every class as the import brings the station.
    const CountryTable no_countries{};
    const WholeRecords precip = ReadWholeRecords(SourceDir() + "/data/database/PRECIP.DAT");
    const WholeRecords temp = ReadWholeRecords(SourceDir() + "/data/database/TEMP.DAT");
    const std::vector<std::int64_t> pairs = PairTemperatureRecords(precip.bytes.data(), precip.count, temp.bytes.data(), temp.count);
    for (const MapStation& m : s) {
        StationData station;
        station.record = MakeStartupRecord();
        ImportStationRecords(no_countries, m.name, {precip.Record(m.precip_index), DataFileStatus::ok},
                             {temp.Record(static_cast<std::size_t>(pairs[m.precip_index])), DataFileStatus::ok}, station);
        ASSERT_EQ(ClassifyClimate(station.record).climate_class, m.climate_class) << m.name;
    }

    // Without WORLD.DAT: the same dots, no land.
    ScratchDir dir;
    for (const char* name : {"COUNTRY.DAT", "PRECIP.DAT", "TEMP.DAT"}) {
        WriteBytes(dir.File(name), ReadBytes(SourceDir() + "/data/database/" + name));
    }
    const StationMap bare = LoadStationMap(dir.path());
    EXPECT_EQ(bare.land.status, OutlineStatus::missing);
    RecordingSurface bare_surface;
    DrawWorldMap(bare_surface, StationMapDrawing(bare, kArea, MapView{}));
    EXPECT_EQ(bare_surface.calls().size(), surface.calls().size() - 1 - 25 - 1);  // no land, no ring
}

}  // namespace
