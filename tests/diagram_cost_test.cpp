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
#include <string>

#include "diagram/climate_fill.h"
#include "diagram/diagram_drawing.h"
#include "diagram/print_page.h"
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

long long CountCalls(const Drawing& d, StationData station) {
    DrawingState state;
    state.axis_offset = d.axis_offset;
    CountingSurface surface;
    if (d.print_scale == 0) {
        station.record.diagram_mode = 1;
        DrawWindowContent(surface, state, station, DrawArea{0, 0, d.width, d.height});
    } else {
        DrawPrintPage(surface, state, station, d.height, d.width, PageView::diagram, d.print_scale);
    }
    return surface.calls;
}

const Drawing kDrawings[] = {
    {"window 380x510", 380, 510, 0, 100},
    {"window 1920x1080", 1920, 1080, 0, 100},
    {"window 1920x1080, axis at the bottom", 1920, 1080, 0, 50},
    {"page 380x510 at scale 1", 380, 510, 1, 100},
    {"page 1920x1080 at scale 6", 1920, 1080, 6, 100},
};

}  // namespace

// The ratio of the costliest of these drawings to the wettest station's,
// at the same size and scale.
static double WorstRatio(const Drawing& d, std::initializer_list<StationData> stations) {
    const double wet = static_cast<double>(CountCalls(d, WettestStation()));
    long long worst = 0;
    for (const StationData& st : stations) worst = std::max(worst, CountCalls(d, st));
    return static_cast<double>(worst) / wet;
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
