#include "diagram/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

StationRecord RecordWith(const float (&temps)[12], const float (&precips)[12]) {
    StationRecord r = MakeStartupRecord();
    for (int i = 1; i <= 12; ++i) {
        r.temp_c[i] = temps[i - 1];
        r.precip_mm[i] = precips[i - 1];
    }
    return r;
}

const DrawArea kScreen400{0, 0, 400, 500};

TEST(DiagramGeometry, MonthPointsForWidth300) {
    DiagramGeometry g = ComputeDiagramCurves(MakeStartupRecord(), kScreen400, 1);
    EXPECT_EQ(g.plot_width, 300);
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(g.temp_curve.x[i], 25 * i - 12) << i;
    EXPECT_EQ(g.temp_curve.x[0], 0);
    EXPECT_EQ(g.temp_curve.x[13], 300);
    DiagramFrame f = ComputeDiagramFrame(kScreen400, 1, 100);
    EXPECT_EQ(f.left_axis_x, 50);
    EXPECT_EQ(f.right_axis_x, 350);
    EXPECT_EQ(f.baseline_y, 400);
    EXPECT_EQ(f.axis_top_y, 25);
    EXPECT_EQ(f.axis_bottom_y, 475);
}

TEST(DiagramGeometry, MonthPointsForWidth310) {
    DiagramGeometry g = ComputeDiagramCurves(MakeStartupRecord(), DrawArea{0, 0, 410, 500}, 1);
    const int expected[12] = {13, 39, 65, 91, 117, 143, 168, 194, 220, 246, 272, 298};
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(g.temp_curve.x[i], expected[i - 1]) << i;
        EXPECT_EQ(g.precip_curve.x[i], expected[i - 1]) << i;
    }
}

TEST(DiagramGeometry, HeightsTruncateTheFloatProduct) {
    struct Case { float t; int s; int height; };
    const Case cases[] = {{-2.3f, 1, -11}, {2.3f, 1, 11}, {17.4f, 1, 86}, {9.2f, 1, 45},
                          {8.1f, 1, 40},   {21.7f, 3, 325}, {0.0f, 6, 0}};
    for (const Case& c : cases) EXPECT_EQ(TemperatureHeight(c.t, c.s), c.height) << c.t;

    struct PCase { float p; int s; int height; };
    const PCase pcases[] = {{99.9f, 1, 249}, {100.0f, 1, 250}, {150.0f, 1, 262},
                            {200.0f, 1, 275}, {1000.0f, 1, 475}, {2200.0f, 1, 775},
                            {150.0f, 3, 787}, {20.0f, 1, 50}};
    for (const PCase& c : pcases) EXPECT_EQ(PrecipitationHeight(c.p, c.s), c.height) << c.p;
}

TEST(DiagramGeometry, WorkedExample) {
    const float temps[12] = {-1.5f, 0.2f, 3.9f, 8.1f, 12.6f, 15.8f, 17.4f, 16.9f, 13.7f, 9.2f, 4.3f, 0.4f};
    const float precips[12] = {48, 40, 52, 55, 63, 78, 92, 84, 61, 57, 60, 55};
    DiagramGeometry g = ComputeDiagramCurves(RecordWith(temps, precips), kScreen400, 1);
    const int t_heights[12] = {-7, 1, 19, 40, 63, 79, 86, 84, 68, 45, 21, 2};
    const int p_heights[12] = {120, 100, 130, 137, 157, 195, 230, 210, 152, 142, 150, 137};
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(g.temp_curve.y[i], t_heights[i - 1]) << i;
        EXPECT_EQ(g.precip_curve.y[i], p_heights[i - 1]) << i;
    }
    EXPECT_EQ(g.temp_curve.y[0], -3);
    EXPECT_EQ(g.temp_curve.y[13], -3);
    EXPECT_EQ(g.precip_curve.y[0], 128);
    EXPECT_EQ(g.precip_curve.y[13], 128);
}

TEST(DiagramGeometry, EndPointsHalveTowardZero) {
    float temps[12] = {};
    const float precips[12] = {};
    temps[0] = -2.2f;  // height -11
    temps[11] = 2.0f;  // height 10
    DiagramGeometry g = ComputeDiagramCurves(RecordWith(temps, precips), kScreen400, 1);
    EXPECT_EQ(g.temp_curve.y[0], -1);
    temps[0] = 2.0f;
    temps[11] = -2.2f;
    g = ComputeDiagramCurves(RecordWith(temps, precips), kScreen400, 1);
    EXPECT_EQ(g.temp_curve.y[13], 0);
}

TEST(DiagramGeometry, EmptyRecordLiesOnTheBaseline) {
    DiagramGeometry g = ComputeDiagramCurves(MakeStartupRecord(), kScreen400, 1);
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(g.temp_curve.y[i], 0);
        EXPECT_EQ(g.precip_curve.y[i], 0);
    }
}

TEST(DiagramGeometry, NarrowAreaGivesNonPositiveWidth) {
    DiagramGeometry g = ComputeDiagramCurves(MakeStartupRecord(), DrawArea{0, 0, 60, 300}, 1);
    EXPECT_EQ(g.plot_width, -40);
    for (int i = 1; i <= 12; ++i) EXPECT_LE(g.temp_curve.x[i], 0);
    g = ComputeDiagramCurves(MakeStartupRecord(), DrawArea{0, 0, 100, 300}, 1);
    EXPECT_EQ(g.plot_width, 0);
}

TEST(DiagramGeometry, PrintScaleMultipliesWidthAndHeights) {
    DiagramGeometry g = ComputeDiagramCurves(MakeStartupRecord(), DrawArea{140, 0, 1280, 1350}, 3);
    EXPECT_EQ(g.plot_width, 1280 - 140 - 300);
    DiagramFrame f = ComputeDiagramFrame(DrawArea{140, 0, 1280, 1350}, 3, 100);
    EXPECT_EQ(f.left_axis_x, 290);
    EXPECT_EQ(f.baseline_y, 1050);
}

TEST(DiagramGeometry, AbsurdValuesAreClampedAndNaNIsZero) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float temps[12] = {nan, inf, -inf, 1e30f, -1e30f, 3.4e38f, 0, 0, 0, 0, 0, 0};
    const float precips[12] = {nan, inf, -inf, 1e30f, -1e30f, 3.4e38f, 0, 0, 0, 0, 0, 0};
    DiagramGeometry g = ComputeDiagramCurves(RecordWith(temps, precips), kScreen400, 6);
    EXPECT_EQ(g.temp_curve.y[1], 0);
    EXPECT_EQ(g.precip_curve.y[1], 0);
    EXPECT_EQ(g.temp_curve.y[2], kMaxCoordinate);
    EXPECT_EQ(g.temp_curve.y[3], -kMaxCoordinate);
    EXPECT_EQ(g.precip_curve.y[4], kMaxCoordinate);
    EXPECT_EQ(g.precip_curve.y[5], -kMaxCoordinate);
    for (int i = 0; i < 14; ++i) {
        EXPECT_LE(std::abs(g.temp_curve.y[i]), kMaxCoordinate);
        EXPECT_LE(std::abs(g.precip_curve.y[i]), kMaxCoordinate);
    }
}

TEST(DiagramGeometry, HugeAreaDoesNotOverflow) {
    const int big = std::numeric_limits<int>::max();
    DiagramGeometry g = ComputeDiagramCurves(MakeStartupRecord(), DrawArea{-big, 0, big, big}, 6);
    EXPECT_EQ(g.plot_width, kMaxCoordinate);
    EXPECT_LE(g.temp_curve.x[12], kMaxCoordinate);
    DiagramFrame f = ComputeDiagramFrame(DrawArea{-big, -big, big, big}, 6, big);
    EXPECT_EQ(f.baseline_y, -kMaxCoordinate);
}

}  // namespace
