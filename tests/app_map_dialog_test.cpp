#include "app/logic/map_dialog.h"

#include <gtest/gtest.h>

namespace {

const MapArea kArea{0, 0, 800, 400};

StationMap TwoStations() {
    StationMap map;
    MapStation berlin;
    berlin.name = "BERLIN-TEMPELHOF";
    berlin.number = "10384";
    berlin.pick_text = "BERLIN-TEMPELHOF\t10384";
    berlin.lon = 13.4;
    berlin.lat = 52.4667;
    MapStation potsdam = berlin;
    potsdam.name = "POTSDAM";
    potsdam.number = "10379";
    potsdam.pick_text = "POTSDAM\t10379";
    potsdam.lon = 13.0667;
    potsdam.lat = 52.3833;
    map.stations.stations = {berlin, potsdam};
    PlaceStations(map);
    return map;
}

MapPoint At(const MapDialogState& s, GeoPosition g) { return ProjectPosition(kArea, s.view, g); }

void Click(MapDialogState& s, const StationMap& map, MapPoint p) {
    MapButtonDown(s, p);
    MapButtonUp(s, map, kArea, p);
}

TEST(MapDialog, ClickAfterWheelZoomPicksTheStationUnderTheCursor) {
    const StationMap map = TwoStations();
    MapDialogState s;
    EXPECT_EQ(MapStatusText(map, s), kMapHintText);
    // At the start view the two are a pixel apart: the click takes the nearer.
    Click(s, map, At(s, {13.4, 52.4667}));
    EXPECT_EQ(s.picked, 0);
    // Zoomed in about Berlin, Potsdam is far enough apart to be clicked.
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(MapWheel(s, kArea, At(s, {13.4, 52.4667}), 120));
    EXPECT_NEAR(s.view.zoom, 25.6289, 0.001);  // 1.5 to the 8th
    Click(s, map, At(s, {13.0667, 52.3833}));
    EXPECT_EQ(s.picked, 1);
    EXPECT_EQ(MapPickText(map, s), "POTSDAM\t10379");
    EXPECT_EQ(MapStatusText(map, s), "POTSDAM 10379, no climate class");
    // A click on the empty sea keeps the pick.
    Click(s, map, {5, 5});
    EXPECT_EQ(s.picked, 1);
}

TEST(MapDialog, DragPansWithoutPickingAndTheKeysMoveAndReturnHome) {
    const StationMap map = TwoStations();
    MapDialogState s;
    MapKeyPressed(s, kArea, MapKey::zoom_in);
    EXPECT_EQ(s.view.zoom, 2);
    const MapPoint start = At(s, {13.4, 52.4667});
    MapButtonDown(s, start);
    EXPECT_TRUE(MapMouseMove(s, map, kArea, {start.x + 100, start.y}));
    MapButtonUp(s, map, kArea, {start.x + 100, start.y});
    EXPECT_EQ(s.picked, -1);  // a drag is no click
    EXPECT_NEAR(At(s, {13.4, 52.4667}).x, start.x + 100, 1e-9);
    // Hovering names the station under the mouse; the drag ended on it.
    EXPECT_EQ(s.hovered, 0);
    EXPECT_TRUE(MapMouseMove(s, map, kArea, {5, 5}));
    EXPECT_EQ(s.hovered, -1);
    EXPECT_TRUE(MapMouseMove(s, map, kArea, At(s, {13.4, 52.4667})));
    EXPECT_EQ(s.hovered, 0);
    EXPECT_EQ(MapStatusText(map, s), "BERLIN-TEMPELHOF 10384, no climate class");
    const double lon = s.view.centre_lon;
    EXPECT_TRUE(MapKeyPressed(s, kArea, MapKey::right));
    EXPECT_NEAR(s.view.centre_lon, lon + 360 * kArrowShare / 2, 1e-9);
    EXPECT_TRUE(MapKeyPressed(s, kArea, MapKey::home));
    EXPECT_FALSE(MapKeyPressed(s, kArea, MapKey::zoom_out));  // the start view is as far out as it goes
    EXPECT_FALSE(MapKeyPressed(s, kArea, MapKey::left));       // and shows the whole world
}

TEST(MapDialog, NoDatabaseSaysSo) {
    StationMap map;
    map.stations.status = DataFileStatus::cannot_open;
    map.stations.failed_file = DataFile::temp;
    MapDialogState s;
    EXPECT_EQ(MapStatusText(map, s), "Datafile 'TEMP.DAT' could not be opened!");
    Click(s, map, {400, 200});
    EXPECT_EQ(MapPickText(map, s), "");
}

}  // namespace
