// The cost of one drawing is bounded by what the device shows, whatever the
// station file holds: absurd values (+-1e30, NaN, infinities) and extreme
// window sizes and axis offsets draw no more surface calls than a real
// station needs, measured against the wettest real station at the same
// size and scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <cstdio>
#include <string>

#include "diagram/climate_fill.h"
#include "diagram/diagram_drawing.h"
#include "diagram/print_page.h"
#include "diagram/svg_surface.h"
#include "tests/counting_surface.h"
#include "tests/recording_surface.h"

namespace {

const float kNan = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

// Absurd records: every month the same pair, or alternating pairs, with
// every frost mark set.
StationData AbsurdStation(float temp, float precip, float temp2, float precip2, int frost) {
    StationData st;
    st.record = MakeStartupRecord();
    for (int i = 1; i <= 12; ++i) {
        st.record.temp_c[i] = i % 2 ? temp : temp2;
        st.record.precip_mm[i] = i % 2 ? precip : precip2;
        st.record.frost_flags[i - 1] = frost;
    }
    st.record.latitude = -1e30f;
    st.record.month_labels = 1;
    st.record.show_abs_max = st.record.show_abs_min = 1;
    st.record.show_coldest_min = st.record.show_warmest_max = 1;
    st.record.abs_max_c = kNan;
    UpdateDerivedValues(st, MonthExtremes::keep);
    return st;
}

struct Drawing {
    const char* name;
    int width, height;
    int print_scale;  // 0: the window content
    int axis_offset;
};

void Draw(DrawSurface& surface, const Drawing& d, StationData station) {
    DrawingState state;
    state.axis_offset = d.axis_offset;
    if (d.print_scale == 0) {
        station.record.diagram_mode = 1;
        DrawWindowContent(surface, state, station, DrawArea{0, 0, d.width, d.height});
    } else {
        DrawPrintPage(surface, state, station, d.height, d.width, PageView::diagram, d.print_scale);
    }
}

long long CountCalls(const Drawing& d, const StationData& station, bool metafile = false) {
    CountingSurface surface({8, 16}, metafile);
    Draw(surface, d, station);
    return surface.calls;
}

// The bytes of the drawing's SVG, on the window's canvas or the page's.
long long SvgBytes(const Drawing& d, const StationData& station) {
    const int s = d.print_scale;
    const long long width = s == 0 ? d.width : 14LL * 8 + static_cast<long long>(d.width) * s;
    const long long height = s == 0 ? d.height : static_cast<long long>(d.height) * s;
    SvgSurface surface(static_cast<int>(width), static_cast<int>(height), {8, 16}, false);
    Draw(surface, d, station);
    return static_cast<long long>(surface.Finish().size());
}

const Drawing kDrawings[] = {
    {"window 380x510", 380, 510, 0, 100},
    {"window 1920x1080", 1920, 1080, 0, 100},
    {"window 1920x1080, axis at the bottom", 1920, 1080, 0, 50},
    {"page 380x510 at scale 1", 380, 510, 1, 100},
    {"page 1920x1080 at scale 6", 1920, 1080, 6, 100},
    {"page 4096x4096 at scale 6", 4096, 4096, 6, 100},
};

}  // namespace

// The ratio of the costliest of these drawings to the wettest station's,
// at the same size and scale, by a measure of a drawing.
template <typename Measure>
double WorstRatio(const Drawing& d, std::initializer_list<StationData> stations, Measure measure) {
    const double wet = static_cast<double>(measure(d, WettestStation()));
    long long worst = 0;
    for (const StationData& st : stations) worst = std::max(worst, measure(d, st));
    return static_cast<double>(worst) / wet;
}

double WorstRatio(const Drawing& d, std::initializer_list<StationData> stations) {
    return WorstRatio(d, stations, [](const Drawing& dr, const StationData& st) { return CountCalls(dr, st); });
}

// Wet absurd values: humid dashes up to the sky, down to the abyss, and
// frost bars under every month. The dashes above the area that the wettest
// stations draw in a small window are kept (up to 1000*s units); each
// month's dashes and each frost bar are one batch, as the wettest station's
// are.
TEST(DrawingCost, WetAbsurdValuesCostAtMostThreeTimesTheWettestStation) {
    const float big = 3.4e38f;
    for (const Drawing& d : kDrawings) {
        const double ratio = WorstRatio(
            d, {AbsurdStation(-1e30f, 1e30f, -1e30f, 1e30f, 2), AbsurdStation(-kInf, kInf, kNan, kInf, 1),
                AbsurdStation(kNan, 1e30f, -1e30f, kNan, 2), AbsurdStation(-1e30f, kNan, -kInf, 1e30f, 2),
                AbsurdStation(-big, big, 0.0f, big, 2), AbsurdStation(-big, big, 0.0f, big, 1)});
        EXPECT_LE(ratio, 3.0) << d.name;
    }
}

// Dry absurd values fill the whole area with arid dots: one batch a column,
// so the cost grows with the area's width, not with its number of dots.
TEST(DrawingCost, DryAbsurdValuesCostAtMostThreeTimesTheWettestStation) {
    for (const Drawing& d : kDrawings) {
        const double ratio =
            WorstRatio(d, {AbsurdStation(1e30f, -1e30f, kInf, kNan, 1), AbsurdStation(kInf, -kInf, 1e30f, 0.0f, 1),
                           AbsurdStation(1e30f, -1e30f, 1e30f, -1e30f, 0)});
        EXPECT_LE(ratio, 3.0) << d.name;
    }
}

// An x-axis far outside the area (a huge axis offset either way) draws no
// ticks, labels or marks the area does not show.
TEST(DrawingCost, AxisOffsetsAtTheLimitsCostNoMore) {
    const StationData wettest = WettestStation();
    for (int offset : {std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), -100000, 1000000}) {
        for (const Drawing& d : kDrawings) {
            Drawing far = d;
            far.axis_offset = offset;
            EXPECT_LE(CountCalls(far, wettest), 3 * CountCalls(d, wettest)) << d.name << " " << offset;
        }
    }
}

// Every dot drawn for an absurd dry record touches the area (a dot reaches
// s/2 rows either side of its row), and no line of the fill lies below the
// area or more than 1000*s units above it.
TEST(DrawingCost, DotsAndDashesOutsideTheAreaAreNotDrawn) {
    const float values[] = {1e30f, -1e30f, kNan, kInf, -kInf};
    const DrawArea area{0, 40, 600, 440};
    for (int s = 1; s <= 6; ++s) {
        for (float t : values) {
            for (float p : values) {
                StationData st = AbsurdStation(t, p, t, p, 1);
                DrawingState state;
                DiagramGeometry g = ComputeDiagramCurves(st.record, area, s);
                RecordingSurface surface;
                DrawClimateFill(surface, state, st.record, area, g.temp_curve, g.precip_curve, s);
                const bool dry = TemperatureHeight(t, s) > PrecipitationHeight(p, s);
                for (const DrawnPixel& px : dry ? surface.Pixels() : std::vector<DrawnPixel>{}) {
                    ASSERT_GE(px.y, area.top - s) << s << " " << t << " " << p;
                    ASSERT_LE(px.y, area.bottom + s) << s << " " << t << " " << p;
                }
                for (const DrawnLine& l : surface.Lines()) {
                    ASSERT_LE(std::min(l.y1, l.y2), area.bottom) << s << " " << t << " " << p;
                    ASSERT_GE(std::max(l.y1, l.y2), area.top - 1000 * s) << s << " " << t << " " << p;
                }
            }
        }
    }
}

// The picture files: an SVG's bytes and an enhanced metafile's records grow
// with the plot's width, not its area. The absurd stations of the
// reliability checks, all dry or all wet, cost at most three times the
// wettest real station at the same size and scale.
TEST(DrawingCost, PictureFilesOfAbsurdStationsAtMostThreeTimesTheWettestStation) {
    const float big = 3.4e38f;
    for (const Drawing& d : kDrawings) {
        const std::initializer_list<StationData> stations = {
            AbsurdStation(1e30f, -1e30f, kInf, kNan, 1), AbsurdStation(1e30f, -1e30f, 1e30f, -1e30f, 0),
            AbsurdStation(-kInf, kInf, kNan, kInf, 1), AbsurdStation(-big, big, 0.0f, big, 2)};
        const double svg = WorstRatio(d, stations, SvgBytes);
        const double emf = WorstRatio(d, stations, [](const Drawing& dr, const StationData& st) {
            return CountCalls(dr, st, true);
        });
        EXPECT_LE(svg, 3.0) << d.name;
        EXPECT_LE(emf, 3.0) << d.name;
        std::printf("%-40s SVG bytes %.2f, metafile records %.2f times the wettest station's\n", d.name, svg, emf);
    }
}
