// Head lines and axes of the climate diagram over the recording surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "diagram/diagram_drawing.h"
#include "diagram/text_buffer.h"
#include "tests/recording_surface.h"

namespace {

StationData StartStation() {
    StationData st;
    st.record = MakeStartupRecord();
    return st;
}

// The whole window content of a diagram on a 400 x 500 area, cw 8, lh 16.
RecordingSurface DrawDiagram(StationData& st, DrawArea area = {0, 0, 400, 500}, int axis_offset = 100) {
    RecordingSurface surface;
    DrawingState state;
    state.axis_offset = axis_offset;
    DrawWindowContent(surface, state, st, area);
    return surface;
}

bool HasText(const RecordingSurface& s, const std::string& text, int x, int y, TextAlign align) {
    for (const DrawnText& t : s.TextsEqualTo(text)) {
        if (t.x == x && t.y == y && t.align == align) return true;
    }
    return false;
}

bool HasLine(const RecordingSurface& s, DrawnLine line) {
    auto lines = s.Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(DiagramHeadLines, ProgramStart) {
    StationData st = StartStation();
    RecordingSurface s = DrawDiagram(st);
    // y0 = 400, xL = 50, xR = 350, tx = 58.
    const TextAlign left = TextAlign::left_top;
    const TextAlign right = TextAlign::right_top;
    EXPECT_TRUE(HasText(s, "mm", 355, 410, left));
    EXPECT_TRUE(HasText(s, "NO DATASET", 58, 10, left));
    EXPECT_TRUE(HasText(s, "NO DATASET", 58, 42, left));
    EXPECT_TRUE(HasText(s, "0.00\xB0X / 0.00\xB0X / 0m", 58, 26, left));
    EXPECT_TRUE(HasText(s, "[  ]   +0.0\xB0" "C       0mm", 58, 58, left));
    EXPECT_TRUE(HasText(s, "\xB0" "C", 45, 25, right));
    const int extreme_y[4] = {40, 56, 384, 400};
    for (int y : extreme_y) EXPECT_TRUE(HasText(s, "+0.0", 42, y, right)) << y;
    // The baseline's "0" label is left out while the minima are shown.
    EXPECT_TRUE(s.TextsEqualTo("0").size() == 1u);  // only the precipitation label
    EXPECT_TRUE(HasText(s, "0", 358, 392, left));
    EXPECT_TRUE(s.TextsEqualTo("J").empty());
    // Both curves lie on the x-axis.
    for (const DrawnLine& l : s.Lines()) {
        if (l.pen == PenId::precip || l.pen == PenId::temp) {
            EXPECT_EQ(l.y1, 400);
            EXPECT_EQ(l.y2, 400);
        }
    }
    EXPECT_EQ(s.calls().back().align, TextAlign::left_top);
}

TEST(DiagramHeadLines, RecordLineAndZeroLabel) {
    struct Case {
        int temp_years, precip_years;
        const char* expected;
    };
    const Case cases[] = {
        {30, 0, "[  ]   +0.0\xB0" "C       0mm"},
        {0, 30, "[  ]   +0.0\xB0" "C       0mm"},
        {30, 25, "[30-25]   +0.0\xB0" "C       0mm"},
    };
    for (const Case& c : cases) {
        StationData st = StartStation();
        st.record.temp_years = c.temp_years;
        st.record.precip_years = c.precip_years;
        RecordingSurface s = DrawDiagram(st);
        EXPECT_EQ(s.TextsEqualTo(c.expected).size(), 1u) << c.expected;
    }
    StationData st = StartStation();
    st.record.show_abs_min = 0;
    st.record.show_coldest_min = 0;
    st.annual_mean_temp_c = -1.25f;
    st.annual_precip_mm = 1234.5f;
    RecordingSurface s = DrawDiagram(st);
    EXPECT_TRUE(HasText(s, "0", 42, 392, TextAlign::right_top));
    EXPECT_EQ(s.TextsEqualTo("+0.0").size(), 2u);
    EXPECT_EQ(s.TextsEqualTo("[  ]   -1.2\xB0" "C    1234mm").size(), 1u);
}

TEST(DiagramAxes, Window400x500) {
    StationData st = StartStation();
    RecordingSurface s = DrawDiagram(st);
    const TextAlign left = TextAlign::left_top;
    const char* precip_labels[] = {"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100",
                                   "200", "300", "400", "500", "600"};
    for (int n = 0; n < 16; ++n) EXPECT_TRUE(HasText(s, precip_labels[n], 358, 392 - 25 * n, left)) << n;
    EXPECT_TRUE(s.TextsEqualTo("700").empty());
    const char* temp_labels[] = {"", "10", "20", "30", "40", "50"};
    for (int n = 1; n < 6; ++n) EXPECT_TRUE(HasText(s, temp_labels[n], 42, 392 - 50 * n, TextAlign::right_top));
    EXPECT_TRUE(HasText(s, "-10", 42, 442, TextAlign::right_top));
    EXPECT_TRUE(HasText(s, "", 42, 392, TextAlign::right_top));  // entry 0 of the negative labels
    EXPECT_TRUE(s.TextsEqualTo("-20").empty());
    EXPECT_TRUE(HasLine(s, {50, 150, 350, 150, PenId::dotted}));
    for (int y : {400, 425, 450, 475}) EXPECT_TRUE(HasLine(s, {46, y, 54, y, PenId::surface_default})) << y;
    EXPECT_FALSE(HasLine(s, {46, 500, 54, 500, PenId::surface_default}));
    // Axes and month ticks, none at xL, the last on the right axis.
    EXPECT_TRUE(HasLine(s, {50, 400, 350, 400, PenId::surface_default}));
    EXPECT_TRUE(HasLine(s, {50, 25, 50, 475, PenId::surface_default}));
    EXPECT_TRUE(HasLine(s, {350, 25, 350, 475, PenId::surface_default}));
    EXPECT_TRUE(HasLine(s, {350, 405, 350, 395, PenId::surface_default}));
    EXPECT_FALSE(HasLine(s, {50, 405, 50, 395, PenId::surface_default}));
    // Precipitation ticks from the baseline up to the axis top: 16 of them.
    int precip_ticks = 0;
    for (const DrawnLine& l : s.Lines()) precip_ticks += (l.x1 == 354 && l.x2 == 346);
    EXPECT_EQ(precip_ticks, 16);
}

TEST(DiagramAxes, ShortWindowHasNoDottedLine) {
    StationData st = StartStation();
    RecordingSurface s = DrawDiagram(st, {0, 0, 400, 300});  // y0 = 200: 200 - 250 < 25
    for (const DrawnLine& l : s.Lines()) EXPECT_NE(l.pen, PenId::dotted);
    // y0 = 200: precipitation labels up to "70", temperature labels up to "30".
    EXPECT_EQ(s.TextsEqualTo("30").size(), 2u);
    EXPECT_EQ(s.TextsEqualTo("40").size(), 1u);
    EXPECT_TRUE(HasText(s, "30", 42, 192 - 150, TextAlign::right_top));
    EXPECT_FALSE(HasText(s, "40", 42, 192 - 200, TextAlign::right_top));
    EXPECT_TRUE(s.TextsEqualTo("80").empty());
    EXPECT_TRUE(HasText(s, "70", 358, 192 - 175, TextAlign::left_top));
}

TEST(DiagramAxes, MonthInitialsFollowTheHemisphere) {
    struct Case {
        const char* hemisphere;
        float latitude;
        const char* letters;
    };
    const Case cases[] = {
        {"N", 52.3f, "JFMAMJJASOND"},
        {"S", 33.5f, "JASONDJFMAMJ"},
        {"N", -0.5f, "JASONDJFMAMJ"},
        {"X", 0.0f, "JFMAMJJASOND"},
    };
    for (const Case& c : cases) {
        StationData st = StartStation();
        st.record.month_labels = 1;
        SetFieldText(st.record.lat_hemisphere, c.hemisphere);
        st.record.latitude = c.latitude;
        RecordingSurface s = DrawDiagram(st);
        std::string letters;
        for (const DrawnText& t : s.Texts()) {
            if (t.align != TextAlign::center_top) continue;
            EXPECT_EQ(t.y, 405);
            letters += t.text;
        }
        EXPECT_EQ(letters, c.letters) << c.hemisphere << c.latitude;
        EXPECT_TRUE(HasText(s, "J", 50 + 25 - 12, 405, TextAlign::center_top) || letters.empty());
    }
}

TEST(DiagramAxes, PrintScaleTwoDoublesTheDistances) {
    StationData st = StartStation();
    RecordingSurface s;
    DrawingState state;
    DrawArea area{0, 0, 800, 1000};
    MeasureFont(s, state);
    DrawClimateDiagram(s, state, st, area, 2, kPrintCurvePens);
    // xL = 100, xR = 700, y0 = 800; ticks 16 units wide, labels 50 apart.
    EXPECT_TRUE(HasLine(s, {708, 800, 692, 800, PenId::surface_default}));
    EXPECT_TRUE(HasLine(s, {92, 750, 108, 750, PenId::surface_default}));
    EXPECT_TRUE(HasText(s, "10", 708, 792 - 50, TextAlign::left_top));
    EXPECT_TRUE(HasText(s, "NO DATASET", 108, 10, TextAlign::left_top));
    EXPECT_TRUE(HasText(s, "mm", 710, 820, TextAlign::left_top));
    EXPECT_TRUE(HasText(s, "\xB0" "C", 90, 50, TextAlign::right_top));
}

TEST(DiagramCurves, ScreenPensAndPrintPens) {
    StationData st = StartStation();
    st.record.temp_c[1] = 10.0f;
    RecordingSurface s = DrawDiagram(st);
    std::vector<PenId> selected;
    for (const DrawCall& c : s.calls()) {
        if (c.kind == DrawCall::select_pen) selected.push_back(c.pen);
    }
    // Dotted line, thin; precipitation, temperature, thin; the fill's thin pen.
    const std::vector<PenId> expected = {PenId::dotted, PenId::thin, PenId::precip, PenId::temp, PenId::thin,
                                         PenId::thin};
    EXPECT_EQ(selected, expected);
    int temp_segments = 0;
    for (const DrawnLine& l : s.Lines()) temp_segments += l.pen == PenId::temp;
    EXPECT_EQ(temp_segments, 13);
    EXPECT_TRUE(HasLine(s, {63, 350, 88, 400, PenId::temp}));  // month 1 at height 50
}

TEST(TextBuffer, CutsAt63AndSpellsOutNonFiniteValues) {
    TextBuffer buffer;
    std::string long_text(100, 'x');
    EXPECT_EQ(FormatText(buffer, "%s", long_text.c_str()).size(), 63u);
    EXPECT_EQ(buffer.bytes[63], '\0');
    struct Case {
        float value;
        const char* temperature;
        const char* precipitation;
    };
    const Case cases[] = {
        {0.0f, "+0.0", "   0"},
        {-0.04f, "-0.0", "  -0"},
        {17.44f, "+17.4", "  17"},
        {1e30f, "+1000000015047466219876688855040.0", "1000000015047466219876688855040"},
        {std::numeric_limits<float>::quiet_NaN(), "+nan", " nan"},
        {std::numeric_limits<float>::infinity(), "+inf", " inf"},
        {-std::numeric_limits<float>::infinity(), "-inf", "-inf"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatTemperature(buffer, c.value), c.temperature);
        EXPECT_EQ(FormatPrecipitation(buffer, c.value), c.precipitation);
    }
}

TEST(DiagramHeadLines, AbsurdRecordDrawsBoundedTexts) {
    StationData st = StartStation();
    StationRecord& r = st.record;
    std::fill(std::begin(r.station_name), std::end(r.station_name), 'N');  // no NUL
    std::fill(std::begin(r.lat_hemisphere), std::end(r.lat_hemisphere), 'S');
    std::fill(std::begin(r.lon_hemisphere), std::end(r.lon_hemisphere), 'W');
    r.lat_degrees = std::numeric_limits<std::int32_t>::min();
    r.lat_minutes = std::numeric_limits<std::int32_t>::max();
    r.lon_degrees = std::numeric_limits<std::int32_t>::min();
    r.lon_minutes = std::numeric_limits<std::int32_t>::min();
    r.elevation_m = std::numeric_limits<std::int32_t>::min();
    r.temp_years = 1;
    r.precip_years = 1;
    r.abs_max_c = -3.0e38f;
    st.annual_mean_temp_c = 3.0e38f;
    st.annual_precip_mm = -3.0e38f;
    RecordingSurface s = DrawDiagram(st);
    for (const DrawnText& t : s.Texts()) EXPECT_LE(t.text.size(), 64u) << t.text;
    EXPECT_EQ(s.TextsEqualTo(std::string(64, 'N')).size(), 1u);
    bool found_position = false;
    for (const DrawnText& t : s.Texts()) found_position |= t.text.rfind("-2147483648.2147483647\xB0SS / ", 0) == 0;
    EXPECT_TRUE(found_position);
}

}  // namespace
