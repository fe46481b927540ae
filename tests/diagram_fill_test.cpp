// The humid and arid fill, the frost marks and the fill's line walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <set>

#include "diagram/climate_fill.h"
#include "diagram/line_walk.h"
#include "tests/recording_surface.h"

namespace {

// A record whose twelve months all have the same temperature and
// precipitation, so every column between the month middles sees the same
// heights.
StationRecord FlatRecord(float temp_c, float precip_mm) {
    StationRecord r = MakeStartupRecord();
    for (int i = 1; i <= 12; ++i) {
        r.temp_c[i] = temp_c;
        r.precip_mm[i] = precip_mm;
    }
    return r;
}

RecordingSurface Fill(const StationRecord& r, DrawArea area = {0, 0, 400, 500}, int s = 1,
                      int axis_offset = 100) {
    DrawingState state;
    state.axis_offset = axis_offset;
    DiagramGeometry g = ComputeDiagramCurves(r, area, s);
    RecordingSurface surface;
    DrawClimateFill(surface, state, r, area, g.temp_curve, g.precip_curve, s);
    return surface;
}

// Horizontal lines (the dashes and frost outlines) in one column range.
std::vector<DrawnLine> DashesAt(const RecordingSurface& s, int x_left, int x_right) {
    std::vector<DrawnLine> dashes;
    for (const DrawnLine& l : s.Lines()) {
        if (l.y1 == l.y2 && l.x1 == x_left && l.x2 == x_right) dashes.push_back(l);
    }
    return dashes;
}

std::set<int> DotColumns(const RecordingSurface& s) {
    std::set<int> columns;
    for (const DrawnPixel& p : s.Pixels()) columns.insert(p.x);
    return columns;
}

TEST(ClimateFill, HumidMarkOfTenDegreesAndFortyMillimetres) {
    StationRecord r = FlatRecord(0.0f, 0.0f);
    r.temp_c[1] = 10.0f;     // height 50
    r.precip_mm[1] = 40.0f;  // height 100
    RecordingSurface s = Fill(r);
    // Month 1 at x = 50 + 13; y0 = 400.
    auto lines = s.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), DrawnLine{63, 300, 63, 350, PenId::thin}), lines.end());
    auto dashes = DashesAt(s, 61, 65);
    ASSERT_EQ(dashes.size(), 11u);
    for (int j = 0; j < 11; ++j) EXPECT_EQ(dashes[j].y1, 350 - 5 * j);  // heights 50, 55, ..., 100
    int end_pixels = 0;
    for (const DrawnPixel& p : s.Pixels()) end_pixels += p.x == 65 && p.y <= 350 && p.y >= 300;
    EXPECT_EQ(end_pixels, 11);
    EXPECT_EQ(s.calls().front().kind, DrawCall::select_pen);
    EXPECT_EQ(s.calls().front().pen, PenId::thin);
}

TEST(ClimateFill, HumidDashesBelowTheBaselineAndAtPrintScale) {
    StationRecord r = FlatRecord(0.0f, 0.0f);
    r.temp_c[1] = -2.0f;  // height -10: dashes at -10, -5, 0
    RecordingSurface s = Fill(r);
    auto dashes = DashesAt(s, 61, 65);
    ASSERT_EQ(dashes.size(), 3u);
    EXPECT_EQ(dashes[0].y1, 410);
    EXPECT_EQ(dashes[2].y1, 400);

    StationRecord p = FlatRecord(0.0f, 0.0f);
    p.temp_c[1] = 10.0f;     // height 150 at s = 3
    p.precip_mm[1] = 40.0f;  // height 300
    RecordingSurface s3 = Fill(p, {0, 0, 1200, 1500}, 3);
    // W = 900, x[1] = 75 - 37 = 38, xL = 150, step 15, dashes 13 pixels wide.
    auto wide = DashesAt(s3, 188 - 6, 188 + 6);
    ASSERT_EQ(wide.size(), 11u);
    EXPECT_EQ(wide[1].y1 - wide[0].y1, -15);
}

TEST(ClimateFill, EqualHeightsGetNoMarks) {
    RecordingSurface s = Fill(FlatRecord(20.0f, 40.0f));  // both at height 100
    EXPECT_TRUE(s.Pixels().empty());
    EXPECT_EQ(s.Lines().size(), 0u);
}

TEST(ClimateFill, AridDotsOfOneColumn) {
    // Temperature at height 100 everywhere, precipitation at 40: every dot
    // column gets 12 dots at heights 40, 45, ..., 95 and none at 100.
    RecordingSurface s = Fill(FlatRecord(20.0f, 16.0f));
    std::vector<int> rows;
    for (const DrawnPixel& p : s.Pixels()) {
        if (p.x == 50 + 150) rows.push_back(p.y);
    }
    std::vector<int> expected;
    for (int h = 40; h <= 95; h += 5) expected.push_back(400 - h);
    EXPECT_EQ(rows, expected);
}

TEST(ClimateFill, DotColumnsForWidth300) {
    RecordingSurface s = Fill(FlatRecord(20.0f, 16.0f));
    std::set<int> columns = DotColumns(s);
    ASSERT_EQ(columns.size(), 59u);
    EXPECT_EQ(*columns.begin(), 55);
    EXPECT_EQ(*columns.rbegin(), 345);
    for (int c : columns) EXPECT_EQ((c - 50) % 5, 0);
}

TEST(ClimateFill, DotSizesPerScale) {
    struct Case {
        int s;
        std::set<std::pair<int, int>> pixels;
    };
    const Case cases[] = {
        {1, {{10, 10}}},
        {2, {{9, 9}, {9, 10}, {10, 9}, {10, 10}}},
        {3, {{9, 9}, {9, 10}, {10, 9}, {10, 10}}},
        {4, {{8, 8}, {8, 9}, {8, 10}, {8, 11}, {9, 8}, {9, 9}, {9, 10}, {9, 11},
             {10, 8}, {10, 9}, {10, 10}, {10, 11}, {11, 8}, {11, 9}, {11, 10}, {11, 11}}},
    };
    for (const Case& c : cases) {
        std::vector<SurfacePoint> pixels;
        AppendDot(pixels, 10, 10, c.s);
        std::set<std::pair<int, int>> got;
        for (const SurfacePoint& p : pixels) got.insert({p.x, p.y});
        EXPECT_EQ(got, c.pixels) << c.s;
    }
    for (int scale : {5, 6}) {
        std::vector<SurfacePoint> pixels;
        AppendDot(pixels, 10, 10, scale);
        std::set<std::pair<int, int>> got;
        for (const SurfacePoint& p : pixels) got.insert({p.x, p.y});
        const int h = scale / 2;
        EXPECT_EQ(got.size(), static_cast<std::size_t>(4 * h * h)) << scale;
        EXPECT_TRUE(got.count({10 - h, 10 - h}) && got.count({10 + h - 1, 10 + h - 1}));
    }
}

TEST(ClimateFill, FrostMarks) {
    StationRecord outline = FlatRecord(0.0f, 0.0f);
    outline.frost_flags[0] = 2;
    RecordingSurface s = Fill(outline);
    std::vector<DrawnLine> expected = {{50, 405, 75, 405, PenId::thin}, {75, 405, 75, 400, PenId::thin}};
    EXPECT_EQ(s.Lines(), expected);

    StationRecord bar = FlatRecord(0.0f, 0.0f);
    bar.frost_flags[0] = 1;
    RecordingSurface b = Fill(bar);
    auto lines = b.Lines();
    ASSERT_EQ(lines.size(), 26u);
    for (int c = 0; c < 26; ++c) EXPECT_EQ(lines[c], (DrawnLine{50 + c, 405, 50 + c, 400, PenId::thin}));

    StationRecord other = FlatRecord(0.0f, 0.0f);
    other.frost_flags[3] = 3;
    other.frost_flags[4] = -1;
    other.frost_flags[5] = std::numeric_limits<std::int32_t>::min();
    EXPECT_TRUE(Fill(other).Lines().empty());
}

TEST(ClimateFill, NarrowAreaHasNoColumns) {
    StationRecord r = FlatRecord(20.0f, 16.0f);
    r.frost_flags[0] = 1;
    for (int right : {100, 90, 0, -50}) {
        RecordingSurface s = Fill(r, {0, 0, right, 500});
        EXPECT_TRUE(DotColumns(s).empty()) << right;
    }
    // W/12 < 0 draws no frost bars either.
    RecordingSurface s = Fill(r, {0, 0, 60, 500});
    for (const DrawnLine& l : s.Lines()) EXPECT_NE(l.y1, 405);
}

TEST(ClimateFill, PlotWiderThan4096ColumnsIsFilledCompletely) {
    // A 380-pixel window printed at a large width: W = 6000 columns.
    RecordingSurface s = Fill(FlatRecord(20.0f, 16.0f), {0, 0, 6100, 500});
    std::set<int> columns = DotColumns(s);
    EXPECT_EQ(columns.size(), 1199u);  // k = 5, 10, ..., 5995
    EXPECT_EQ(*columns.rbegin(), 50 + 5995);
}

TEST(ClimateFill, AbsurdHeightsStayBounded) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float values[] = {nan, inf, -inf, 1e30f, -1e30f, 3.4e38f};
    for (float t : values) {
        for (float p : values) {
            StationRecord r = FlatRecord(t, p);
            r.temp_c[3] = -t;
            r.precip_mm[7] = -p;
            RecordingSurface s = Fill(r);
            // Marks only within a band around the area: at most a few
            // hundred rows per column.
            EXPECT_LT(s.calls().size(), 200000u) << t << " " << p;
            for (const DrawnPixel& px : s.Pixels()) {
                EXPECT_GE(px.y, -1500);
                EXPECT_LE(px.y, 2000);
            }
        }
    }
}

TEST(ClimateFill, TracesCurvesThatStartLeftOfZero) {
    // An area left of the device origin still captures every column.
    RecordingSurface s = Fill(FlatRecord(20.0f, 16.0f), {-1000, 0, -600, 500});
    EXPECT_EQ(DotColumns(s).size(), 59u);
}

// Every point of the walk: point k for each of its max(|dx|, |dy|) steps.
template <typename Report>
void ForEachWalkPoint(int x1, int y1, int x2, int y2, Report&& report) {
    const LineWalk walk(x1, y1, x2, y2);
    const std::int64_t steps = std::max(std::abs(std::int64_t{x2} - x1), std::abs(std::int64_t{y2} - y1));
    for (std::int64_t k = 0; k < steps; ++k) report(walk.Point(k));
}

TEST(LineWalk, ReportsOnePointPerMajorStepWithoutTheEndPoint) {
    struct Case {
        int x1, y1, x2, y2;
        std::vector<WalkPoint> points;
    };
    const Case cases[] = {
        {0, 0, 3, 0, {{0, 0}, {1, 0}, {2, 0}}},
        {0, 0, 0, -2, {{0, 0}, {0, -1}}},
        {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
        {0, 0, 2, 4, {{0, 0}, {1, 1}, {1, 2}, {2, 3}}},
        {5, 5, 5, 5, {}},
        {3, 0, 0, 3, {{3, 0}, {2, 1}, {1, 2}}},
    };
    for (const Case& c : cases) {
        std::vector<WalkPoint> got;
        ForEachWalkPoint(c.x1, c.y1, c.x2, c.y2, [&](WalkPoint p) { got.push_back(p); });
        ASSERT_EQ(got.size(), c.points.size()) << c.x2 << "," << c.y2;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].x, c.points[i].x);
            EXPECT_EQ(got[i].y, c.points[i].y);
        }
    }
}

TEST(LineWalk, ColumnEntriesAreTheFirstPointOfEachColumn) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> small(-40, 40);
    std::uniform_int_distribution<int> steep(-3000, 3000);
    for (int n = 0; n < 3000; ++n) {
        int x1 = small(random), y1 = steep(random), x2 = small(random);
        int y2 = n % 2 ? steep(random) : small(random);
        LineWalk walk(x1, y1, x2, y2);
        std::vector<std::pair<int, int>> all, entries;
        bool first = true;
        int last_x = 0;
        ForEachWalkPoint(x1, y1, x2, y2, [&](WalkPoint p) {
            if (first || p.x != last_x) all.push_back({p.x, p.y});
            first = false;
            last_x = p.x;
        });
        walk.ForEachColumnEntry([&](WalkPoint p) { entries.push_back({p.x, p.y}); });
        ASSERT_EQ(entries, all) << x1 << "," << y1 << " " << x2 << "," << y2;
    }
}

TEST(LineWalk, CaptureStoresEveryColumnOfTheCurve) {
    StationRecord r = FlatRecord(0.0f, 0.0f);
    r.temp_c[6] = 1.0e30f;  // a curve point 2^24 units high
    DiagramGeometry g = ComputeDiagramCurves(r, {0, 0, 400, 500}, 1);
    std::vector<std::int32_t> rows(301);
    EXPECT_EQ(CaptureCurveColumns(g.temp_curve, 50, 400, rows), 300);
    EXPECT_EQ(rows[0], 400);
    EXPECT_EQ(rows[299], 400);
    EXPECT_LT(rows[137], -1000000);  // x[6] = 138: the column before the peak climbs steeply
}

}  // namespace
