// The data table view over the recording surface.
#include <gtest/gtest.h>

#include <algorithm>

#include "diagram/data_table.h"
#include "tests/recording_surface.h"

namespace {

StationData StartStation() {
    StationData st;
    st.record = MakeStartupRecord();
    return st;
}

RecordingSurface DrawTable(StationData& st, bool monochrome = false, int cw = 8, int lh = 16) {
    RecordingSurface s;
    DrawingState state;
    state.monochrome = monochrome;
    DrawDataTable(s, state, st, cw, lh);
    return s;
}

const DrawnText* Find(const RecordingSurface& s, const std::string& text, int x, int y) {
    static std::vector<DrawnText> texts;
    texts = s.Texts();
    auto it = std::find_if(texts.begin(), texts.end(),
                           [&](const DrawnText& t) { return t.text == text && t.x == x && t.y == y; });
    return it == texts.end() ? nullptr : &*it;
}

TEST(DataTable, ProgramStart) {
    StationData st = StartStation();
    RecordingSurface s = DrawTable(st);
    EXPECT_TRUE(Find(s, "NO DATASET", 10, 16));
    EXPECT_TRUE(Find(s, "NO DATASET", 35 * 8 + 10, 16));
    EXPECT_TRUE(Find(s, "Location: 0.00\xB0X / 0.00\xB0X", 10, 32));
    EXPECT_TRUE(Find(s, "Countrycode: 0", 10, 224));
    EXPECT_TRUE(Find(s, "Stationnumber: 0", 10, 240));
    // 13 mean temperatures, 12 min and 12 max; 13 + 12 + 12 precipitation values.
    EXPECT_EQ(s.TextsEqualTo("+0.0").size(), 37u);
    EXPECT_EQ(s.TextsEqualTo("   0").size(), 37u);
    EXPECT_EQ(s.calls().back().align, TextAlign::left_top);
    EXPECT_EQ(s.calls().back().colour, kBlack);
}

TEST(DataTable, PositionsForCharWidth8LineHeight16) {
    StationData st = StartStation();
    RecordingSurface s = DrawTable(st);
    const DrawnText* caption = Find(s, "Mean daily temperature", 16, 64);
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->colour, kRed);
    ASSERT_TRUE(Find(s, "Mean precipitation", 16, 160));
    EXPECT_EQ(Find(s, "Mean precipitation", 16, 160)->colour, kBlue);
    EXPECT_EQ(Find(s, "Mean rel. humidity", 16, 144)->colour, kBlack);
    EXPECT_TRUE(Find(s, "%", 248, 144));
    EXPECT_EQ(s.TextsEqualTo("\xB0" "C").size(), 5u);
    const DrawnText* first = Find(s, "+0.0", 325, 64);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->align, TextAlign::right_top);
    EXPECT_EQ(first->colour, kRed);
    EXPECT_TRUE(Find(s, "+0.0", 901, 64));
    EXPECT_EQ(Find(s, "   0", 901, 160)->colour, kBlue);
    EXPECT_FALSE(Find(s, "+0.0", 901, 112));  // no year value in the min row
    EXPECT_TRUE(Find(s, "+0.0", 325, 112));
    EXPECT_TRUE(Find(s, "   0", 325, 192));
    // Month heads at cw*(6c+29) + 1.5cw: 292 for January, 868 for the year.
    EXPECT_TRUE(Find(s, "Jan  ", 292, 48));
    EXPECT_TRUE(Find(s, "Year", 868, 48));

    std::vector<int> horizontal, vertical;
    for (const DrawnLine& l : s.Lines()) {
        EXPECT_EQ(l.pen, PenId::surface_default);
        if (l.y1 == l.y2) {
            EXPECT_EQ(l.x1, 10);
            EXPECT_EQ(l.x2, 114 * 8 - 7);
            horizontal.push_back(l.y1);
        } else {
            EXPECT_EQ(l.y1, 64);
            EXPECT_EQ(l.y2, 208);
            vertical.push_back(l.x1);
        }
    }
    std::vector<int> rows, columns = {10};
    for (int r = 0; r <= 9; ++r) rows.push_back(64 + 16 * r);
    for (int c = 0; c <= 13; ++c) columns.push_back(281 + 48 * c);
    EXPECT_EQ(horizontal, rows);
    EXPECT_EQ(vertical, columns);
    EXPECT_EQ(columns.back(), 905);
}

// The heads follow the same rule as the diagram's month initials and the
// manual entry: a letter "S" or a negative latitude.
TEST(DataTable, MonthHeadsFollowTheSouthernStationRule) {
    struct Case {
        const char* hemisphere;
        float latitude;
        const char* first;
        const char* seventh;
    };
    const Case cases[] = {{"S", -33.5f, "Jul  ", "Jan  "}, {"N", -33.5f, "Jul  ", "Jan  "}, {"S", 10.0f, "Jul  ", "Jan  "},
                          {"N", 10.0f, "Jan  ", "Jul  "}};
    for (const Case& c : cases) {
        StationData st = StartStation();
        SetFieldText(st.record.lat_hemisphere, c.hemisphere);
        st.record.latitude = c.latitude;
        RecordingSurface s = DrawTable(st);
        EXPECT_TRUE(Find(s, c.first, 292, 48)) << c.hemisphere;
        EXPECT_TRUE(Find(s, c.seventh, 292 + 6 * 6 * 8, 48)) << c.hemisphere;
        EXPECT_TRUE(Find(s, "Year", 868, 48));
    }
}

TEST(DataTable, MonochromeRowsAreBlack) {
    StationData st = StartStation();
    RecordingSurface s = DrawTable(st, true);
    for (const DrawnText& t : s.Texts()) EXPECT_EQ(t.colour, kBlack) << t.text;
}

TEST(DataTable, YearColumnIsWrittenBackIntoTheRecord) {
    StationData st = StartStation();
    for (int i = 1; i <= 12; ++i) {
        st.record.precip_mm[i] = 10.0f * i;
        st.record.temp_c[i] = 1.0f;
    }
    st.record.precip_mm[13] = 7.0f;  // what the database left there
    st.record.temp_c[13] = 9.0f;
    UpdateDerivedValues(st, MonthExtremes::keep);
    RecordingSurface s = DrawTable(st);
    EXPECT_EQ(st.record.precip_mm[13], 780.0f);
    EXPECT_EQ(st.record.temp_c[13], 1.0f);
    EXPECT_TRUE(Find(s, " 780", 901, 160));
    EXPECT_TRUE(Find(s, "+1.0", 901, 64));
}

// As in the diagram's position line, the minutes have two digits: 52.5
// would read as a different position than 52 degrees 5 minutes.
TEST(DataTable, LocationWritesTwoDigitMinutes) {
    struct Case {
        int lat_degrees, lat_minutes;
        const char* lat_letter;
        int lon_degrees, lon_minutes;
        const char* lon_letter;
        const char* text;
    } cases[] = {
        {52, 5, "N", 13, 4, "E", "Location: 52.05\xB0N / 13.04\xB0" "E"},
        {52, 31, "N", 13, 24, "E", "Location: 52.31\xB0N / 13.24\xB0" "E"},
        {33, 0, "S", 70, 40, "W", "Location: 33.00\xB0S / 70.40\xB0W"},
        {-33, 55, "N", 0, 0, "E", "Location: -33.55\xB0N / 0.00\xB0" "E"},
    };
    for (const Case& c : cases) {
        StationData st = StartStation();
        st.record.lat_degrees = c.lat_degrees;
        st.record.lat_minutes = c.lat_minutes;
        st.record.lon_degrees = c.lon_degrees;
        st.record.lon_minutes = c.lon_minutes;
        SetFieldText(st.record.lat_hemisphere, c.lat_letter);
        SetFieldText(st.record.lon_hemisphere, c.lon_letter);
        RecordingSurface s = DrawTable(st);
        EXPECT_TRUE(Find(s, c.text, 10, 32)) << c.text;
    }
}

TEST(DataTable, FieldsWithoutTerminatorStayInsideTheRecord) {
    StationData st = StartStation();
    std::fill(std::begin(st.record.station_number), std::end(st.record.station_number), '7');
    std::fill(std::begin(st.record.country_name), std::end(st.record.country_name), 'C');
    RecordingSurface s = DrawTable(st);
    EXPECT_TRUE(Find(s, std::string(64, 'C'), 290, 16));
    EXPECT_TRUE(Find(s, "Stationnumber: " + std::string(48, '7'), 10, 240));  // cut at 63
}

}  // namespace
