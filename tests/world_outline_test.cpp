#include "database/world_outline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/test_support.h"
#include "tools/dbgen/topojson_land.h"

namespace {

WorldOutline SquareAndLake() {
    WorldOutline o;
    o.ring_sizes = {4, 3};
    o.points = {{-1000, -1000}, {1000, -1000}, {1000, 1000}, {-1000, 1000}, {-100, -100}, {100, -100}, {0, 100}};
    return o;
}

void SetU32(std::string& bytes, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

TEST(WorldOutline, ReadsBackWhatIsWritten) {
    const std::string bytes = EncodeWorldOutline(SquareAndLake());
    EXPECT_EQ(bytes.size(), 16u + 4 * 2 + 4 * 7);
    const OutlineRead read = ParseWorldOutline(bytes);
    ASSERT_EQ(read.status, OutlineStatus::ok) << read.message;
    EXPECT_EQ(read.outline.ring_sizes, SquareAndLake().ring_sizes);
    EXPECT_EQ(read.outline.points[5].lon, 100);
    EXPECT_EQ(read.outline.points[5].lat, -100);
}

TEST(WorldOutline, EveryTruncationIsRefused) {
    const std::string bytes = EncodeWorldOutline(SquareAndLake());
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const OutlineRead read = ParseWorldOutline(bytes.substr(0, n));
        EXPECT_EQ(read.status, OutlineStatus::malformed) << n;
        EXPECT_TRUE(read.outline.points.empty());
        EXPECT_EQ(read.message.rfind("WORLD.DAT ", 0), 0u) << read.message;
    }
}

TEST(WorldOutline, HostileFilesGiveAMessage) {
    const std::string good = EncodeWorldOutline(SquareAndLake());
    struct Case {
        const char* what;
        std::size_t at;  // a 32-bit field set to value, or a 16-bit point
        std::uint32_t value;
        const char* message;
    } cases[] = {
        {"magic", 0, 0x4F574B56u + 1, "is not a world outline file."},
        {"version", 4, 2, "has a format version this program does not know."},
        {"no rings", 8, 0, "has an impossible number of rings or points."},
        {"rings past the limit", 8, 0xFFFFFFFFu, "has an impossible number of rings or points."},
        {"points past the limit", 12, 0xFFFFFFFFu, "has an impossible number of rings or points."},
        {"more points than bytes", 12, 8, "is cut short."},
        {"fewer points than bytes", 12, 6, "has bytes after its last point."},
        {"a ring of two points", 16, 2, "has a ring of fewer than 3 points."},
        {"a ring of zero points", 20, 0, "has a ring of fewer than 3 points."},
        {"rings beyond the points", 20, 4, "has rings that do not add up to its points."},
    };
    for (const Case& c : cases) {
        std::string bytes = good;
        SetU32(bytes, c.at, c.value);
        const OutlineRead read = ParseWorldOutline(bytes);
        EXPECT_EQ(read.status, OutlineStatus::malformed) << c.what;
        EXPECT_EQ(read.message, std::string("WORLD.DAT ") + c.message) << c.what;
    }
    const std::size_t first_point = 16 + 8;
    for (std::int16_t bad_lon : {18001, -18001}) {
        std::string bytes = good;
        bytes[first_point] = static_cast<char>(bad_lon & 0xFF);
        bytes[first_point + 1] = static_cast<char>((bad_lon >> 8) & 0xFF);
        EXPECT_EQ(ParseWorldOutline(bytes).message, "WORLD.DAT has a point outside the globe.");
    }
    std::string bad_lat = good;
    SetU32(bad_lat, first_point + 4 * 6, 0x80000000u);  // latitude -32768
    EXPECT_EQ(ParseWorldOutline(bad_lat).status, OutlineStatus::malformed);
}

TEST(WorldOutline, FileInTheDatabaseFolder) {
    ScratchDir dir;
    EXPECT_EQ(ReadWorldOutline(dir.path()).status, OutlineStatus::missing);
    const std::string bytes = EncodeWorldOutline(SquareAndLake());
    WriteText(dir.File("world.dat"), bytes);  // any case of the name
    EXPECT_EQ(ReadWorldOutline(dir.path()).status, OutlineStatus::ok);

    const OutlineRead shipped = ReadWorldOutline(SourceDir() + "/data/database");
    ASSERT_EQ(shipped.status, OutlineStatus::ok) << shipped.message;
    EXPECT_GT(shipped.outline.ring_sizes.size(), 1000u);
}

TEST(TopoJsonLand, CutsAtTheDateLineAndClosesThePole) {
    // Quantized to whole degrees from -180, -90. A square from 170 E across
    // the date line to 170 W (its second arc reversed), and a coast that
    // goes once round the south pole at 80 S.
    const std::string json = R"({"type":"Topology","transform":{"scale":[1,1],"translate":[-180,-90]},
      "arcs":[[[350,90],[20,0],[0,10]],[[350,90],[0,10],[20,0]],[[180,10],[120,0],[120,0]]],
      "objects":{"land":{"type":"GeometryCollection","geometries":[
        {"type":"MultiPolygon","arcs":[[[0,-2]],[[2]]]}]}}})";
    WorldOutline o;
    std::string error;
    ASSERT_TRUE(ReadTopoJsonLand(json, "land", o, &error)) << error;
    ASSERT_EQ(o.ring_sizes.size(), 4u);  // the square's two halves, the coast's two pieces
    std::size_t at = 0, at_pole = 0;
    for (std::uint32_t size : o.ring_sizes) {
        int west = 18000, east = -18000;
        for (std::uint32_t i = 0; i < size; ++i, ++at) {
            west = std::min<int>(west, o.points[at].lon);
            east = std::max<int>(east, o.points[at].lon);
            at_pole += o.points[at].lat == -9000;
        }
        EXPECT_TRUE(east <= 0 || west >= 0) << "a ring across the map: " << west << " " << east;
    }
    auto has = [&](int lon, int lat) {
        return std::any_of(o.points.begin(), o.points.end(), [&](OutlinePoint p) { return p.lon == lon && p.lat == lat; });
    };
    EXPECT_TRUE(has(17000, 0) && has(18000, 0) && has(-18000, 0) && has(-17000, 1000));
    EXPECT_GE(at_pole, 4u);
    for (const char* bad : {"", "{", "[1,2]", R"({"objects":{"land":{}},"arcs":[]})",
                            R"({"objects":{"land":{"type":"Polygon","arcs":[[7]]}},"arcs":[]})"}) {
        EXPECT_FALSE(ReadTopoJsonLand(bad, "land", o, &error)) << bad;
    }
}

}  // namespace
