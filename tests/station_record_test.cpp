#include "station/station_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "station/byte_image.h"

namespace {

StationData StartupStation() {
    StationData s;
    s.record = MakeStartupRecord();
    return s;
}

void FillMonths(MonthArray& m, float first, float step) {
    for (int i = 1; i <= 12; ++i) m[i] = first + step * static_cast<float>(i - 1);
}

TEST(StationRecordImage, StartupImageMatchesTheStartValues) {
    RecordImage image;
    SerializeRecord(MakeStartupRecord(), image);
    ASSERT_EQ(image.size(), 660u);
    EXPECT_EQ(0, std::memcmp(image.data(), "NO DATASET\0", 11));
    EXPECT_EQ(0, std::memcmp(image.data() + 64, "0\0", 2));
    EXPECT_EQ(0, std::memcmp(image.data() + 128, "NO DATASET\0", 11));
    EXPECT_EQ(image[192], 'X');
    EXPECT_EQ(image[193], 0);
    EXPECT_EQ(image[194], 'X');
    EXPECT_EQ(image[195], 0);
    for (std::size_t at : {636u, 640u, 644u, 648u, 652u}) EXPECT_EQ(GetInt32(&image[at]), 1) << at;
    EXPECT_EQ(GetInt32(&image[656]), 0);
    // Everything between the texts and the flags is zero at start.
    for (std::size_t i = 196; i < 636; ++i) ASSERT_EQ(image[i], 0) << "offset " << i;
}

// Every field lands at its offset: give each a distinct value and look for
// it in the image.
TEST(StationRecordImage, EveryFieldAtItsOffset) {
    StationRecord r = MakeStartupRecord();
    SetFieldText(r.station_name, "NAME");
    SetFieldText(r.station_number, "10384");
    SetFieldText(r.country_name, "GERMANY");
    SetFieldText(r.lat_hemisphere, "S");
    SetFieldText(r.lon_hemisphere, "W");
    namespace o = record_offset;
    std::int32_t* ints[] = {&r.elevation_m, &r.country_code, &r.temp_years, &r.precip_years,
                            &r.lat_degrees, &r.lat_minutes, &r.lon_degrees, &r.lon_minutes,
                            &r.show_abs_max, &r.show_abs_min, &r.show_warmest_max,
                            &r.show_coldest_min, &r.diagram_mode, &r.month_labels};
    const std::size_t int_offsets[] = {o::elevation_m, o::country_code, o::temp_years, o::precip_years,
                                       o::lat_degrees, o::lat_minutes, o::lon_degrees, o::lon_minutes,
                                       o::show_abs_max, o::show_abs_min, o::show_warmest_max,
                                       o::show_coldest_min, o::diagram_mode, o::month_labels};
    for (int i = 0; i < 14; ++i) *ints[i] = 1000 + i;
    float* reals[] = {&r.latitude, &r.longitude, &r.abs_min_c, &r.abs_max_c,
                      &r.coldest_month_min_c, &r.warmest_month_max_c};
    const std::size_t real_offsets[] = {o::latitude, o::longitude, o::abs_min_c, o::abs_max_c,
                                        o::coldest_month_min_c, o::warmest_month_max_c};
    for (int i = 0; i < 6; ++i) *reals[i] = -1.5f - static_cast<float>(i);
    MonthArray* months[] = {&r.precip_mm, &r.precip_min_mm, &r.precip_max_mm, &r.temp_c,
                            &r.temp_min_c, &r.temp_max_c};
    const std::size_t month_offsets[] = {o::precip_mm, o::precip_min_mm, o::precip_max_mm, o::temp_c,
                                         o::temp_min_c, o::temp_max_c};
    for (int a = 0; a < 6; ++a)
        for (int i = 0; i < 14; ++i) (*months[a])[i] = static_cast<float>(a * 100 + i);
    for (int i = 0; i < 12; ++i) r.frost_flags[i] = 70 + i;

    RecordImage image;
    SerializeRecord(r, image);
    EXPECT_EQ(0, std::memcmp(&image[0], "NAME", 5));
    EXPECT_EQ(0, std::memcmp(&image[64], "10384", 6));
    EXPECT_EQ(0, std::memcmp(&image[128], "GERMANY", 8));
    EXPECT_EQ(image[192], 'S');
    EXPECT_EQ(image[194], 'W');
    for (int i = 0; i < 14; ++i) EXPECT_EQ(GetInt32(&image[int_offsets[i]]), 1000 + i) << int_offsets[i];
    for (int i = 0; i < 6; ++i) EXPECT_EQ(GetFloat32(&image[real_offsets[i]]), *reals[i]) << real_offsets[i];
    for (int a = 0; a < 6; ++a)
        for (int i = 0; i < 14; ++i)
            EXPECT_EQ(GetFloat32(&image[month_offsets[a] + 4 * i]), static_cast<float>(a * 100 + i));
    for (int i = 0; i < 12; ++i) EXPECT_EQ(GetInt32(&image[o::frost_flags + 4 * i]), 70 + i);

    // Little-endian, whatever the host.
    EXPECT_EQ(image[o::elevation_m], 0xE8);
    EXPECT_EQ(image[o::elevation_m + 1], 0x03);

    StationRecord back;
    DeserializeRecord(image, back);
    RecordImage again;
    SerializeRecord(back, again);
    EXPECT_EQ(image, again);
}

TEST(StationRecordImage, ArbitraryBytesRoundTripUnchanged) {
    RecordImage image;
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 37 + 11);
    // A signalling NaN payload and a negative zero must survive too.
    PutUint32(&image[record_offset::latitude], 0x7F800001u);
    PutUint32(&image[record_offset::longitude], 0x80000000u);
    StationRecord r;
    DeserializeRecord(image, r);
    RecordImage back;
    SerializeRecord(r, back);
    EXPECT_EQ(image, back);
}

TEST(StationRecordText, FieldsWithoutNulReadOnlyTheirOwnBytes) {
    StationRecord r = MakeStartupRecord();
    std::memset(r.station_name, 'A', 64);
    std::memset(r.lat_hemisphere, 'S', 2);
    EXPECT_EQ(FieldText(r.station_name), std::string(64, 'A'));
    EXPECT_EQ(FieldText(r.lat_hemisphere), "SS");
}

TEST(StationRecordText, SetFieldTextKeepsTheTerminatorInside) {
    char field[8];
    std::memset(field, '#', sizeof field);
    SetFieldText(field, "much too long");
    EXPECT_EQ(FieldText(field), "much to");
    EXPECT_EQ(field[7], '\0');
    SetFieldText(field, "ab");
    EXPECT_EQ(FieldText(field), "ab");
    EXPECT_EQ(field[3], 'h');  // bytes after the terminator keep what was there
}

TEST(UpdateDerivedValues, StartupRecordGivesZerosAndNorthEast) {
    StationData s = StartupStation();
    UpdateDerivedValues(s, MonthExtremes::keep);
    EXPECT_EQ(s.annual_precip_mm, 0.0f);
    EXPECT_EQ(s.annual_mean_temp_c, 0.0f);
    EXPECT_EQ(FieldText(s.record.lat_hemisphere), "N");
    EXPECT_EQ(FieldText(s.record.lon_hemisphere), "E");
}

TEST(UpdateDerivedValues, AnnualMeanIsTheSumTimesTheFloatTwelfth) {
    StationData s = StartupStation();
    for (int i = 1; i <= 12; ++i) s.record.temp_c[i] = 1.0f;
    UpdateDerivedValues(s, MonthExtremes::keep);
    EXPECT_EQ(s.annual_mean_temp_c, 1.0f);

    for (int i = 1; i <= 12; ++i) s.record.temp_c[i] = 0.0f;
    s.record.temp_c[1] = 100.0f;
    UpdateDerivedValues(s, MonthExtremes::keep);
    EXPECT_EQ(s.annual_mean_temp_c, 8.333334f);
    EXPECT_NE(s.annual_mean_temp_c, 100.0f / 12.0f);
}

TEST(UpdateDerivedValues, SumsMonthsOneToTwelveOnly) {
    StationData s = StartupStation();
    FillMonths(s.record.precip_mm, 10.0f, 1.0f);
    s.record.precip_mm[0] = 5000.0f;
    s.record.precip_mm[13] = 7000.0f;
    UpdateDerivedValues(s, MonthExtremes::keep);
    EXPECT_EQ(s.annual_precip_mm, 186.0f);
    EXPECT_EQ(s.record.precip_mm[13], 7000.0f);
}

TEST(UpdateDerivedValues, ExtremesKeptWithOneRecomputedWithZero) {
    StationData s = StartupStation();
    FillMonths(s.record.temp_min_c, -5.0f, 1.0f);
    FillMonths(s.record.temp_max_c, 10.0f, 1.0f);
    s.record.temp_min_c[7] = -12.5f;
    s.record.temp_max_c[3] = 40.0f;
    s.record.coldest_month_min_c = 99.0f;  // contradicts the months
    s.record.warmest_month_max_c = -99.0f;
    UpdateDerivedValues(s, MonthExtremes::keep);
    EXPECT_EQ(s.record.coldest_month_min_c, 99.0f);
    EXPECT_EQ(s.record.warmest_month_max_c, -99.0f);
    UpdateDerivedValues(s, MonthExtremes::recompute);
    EXPECT_EQ(s.record.coldest_month_min_c, -12.5f);
    EXPECT_EQ(s.record.warmest_month_max_c, 40.0f);
}

TEST(UpdateDerivedValues, HemisphereLettersFollowTheSigns) {
    StationData s = StartupStation();
    SetFieldText(s.record.lat_hemisphere, "N");
    s.record.lat_hemisphere[1] = 'Q';  // only the first byte is written
    s.record.latitude = -0.5f;
    s.record.longitude = -70.40f;
    UpdateDerivedValues(s, MonthExtremes::keep);
    EXPECT_EQ(s.record.lat_hemisphere[0], 'S');
    EXPECT_EQ(s.record.lat_hemisphere[1], 'Q');
    EXPECT_EQ(s.record.lon_hemisphere[0], 'W');
    s.record.latitude = 52.31f;
    s.record.longitude = 0.0f;
    UpdateDerivedValues(s, MonthExtremes::keep);
    EXPECT_EQ(s.record.lat_hemisphere[0], 'N');
    EXPECT_EQ(s.record.lon_hemisphere[0], 'E');
}

TEST(UpdateDerivedValues, NonFiniteValuesGiveDefinedResults) {
    StationData s = StartupStation();
    s.record.latitude = std::nanf("");
    s.record.temp_c[4] = std::nanf("");
    s.record.precip_mm[2] = INFINITY;
    s.record.temp_min_c[1] = std::nanf("");
    UpdateDerivedValues(s, MonthExtremes::recompute);
    EXPECT_TRUE(std::isnan(s.annual_mean_temp_c));
    EXPECT_TRUE(std::isinf(s.annual_precip_mm));
    EXPECT_EQ(s.record.lat_hemisphere[0], 'N');
}

// Sums beyond the float range from a foreign station file: the annual values
// round as a float conversion rounds, to infinity past FLT_MAX plus half its
// last step and to FLT_MAX below that.
TEST(UpdateDerivedValues, SumsBeyondTheFloatRangeRoundLikeFloats) {
    const float big = std::numeric_limits<float>::max();
    struct Case {
        float first, second, rest;  // slots 1, 2 and 3..12 of precip_mm
        float annual;
    } cases[] = {
        {big, big, big, INFINITY},
        {-big, -big, -big, -INFINITY},
        {big, 1e30f, 0.0f, big},
        {-big, -1e30f, 0.0f, -big},
        {big, 2e31f, 0.0f, INFINITY},
        {big, -big, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        StationData s = StartupStation();
        s.record.precip_mm[1] = c.first;
        s.record.precip_mm[2] = c.second;
        for (int i = 3; i <= 12; ++i) s.record.precip_mm[i] = c.rest;
        for (int i = 1; i <= 12; ++i) s.record.temp_c[i] = c.first;
        UpdateDerivedValues(s, MonthExtremes::keep);
        EXPECT_EQ(s.annual_precip_mm, c.annual) << c.first << " " << c.second << " " << c.rest;
    }
}

TEST(SwapHalfYears, ExchangesTheHalvesUsingSlotZero) {
    MonthArray m;
    for (int i = 0; i < 14; ++i) m[i] = static_cast<float>(i);
    SwapHalfYears(m);
    const float expected[12] = {7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6};
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(m[i], expected[i - 1]) << i;
    EXPECT_EQ(m[13], 13.0f);
    EXPECT_EQ(m[0], 6.0f);
    SwapHalfYears(m);
    for (int i = 1; i <= 13; ++i) EXPECT_EQ(m[i], static_cast<float>(i));
}

TEST(MonthNames, TablesAreSixBytesWithTwoBlanks) {
    EXPECT_STREQ(month_names_jan_first[0], "");
    EXPECT_STREQ(month_names_jan_first[1], "Jan  ");
    EXPECT_STREQ(month_names_jan_first[12], "Dec  ");
    EXPECT_STREQ(month_names_jan_first[13], "Year");
    EXPECT_STREQ(month_names_jul_first[1], "Jul  ");
    EXPECT_STREQ(month_names_jul_first[7], "Jan  ");
    EXPECT_STREQ(month_names_jul_first[13], "Year");
    EXPECT_EQ(sizeof month_names_jan_first[0], 6u);
}

TEST(SouthernStation, LetterOrNegativeLatitude) {
    struct Case {
        const char hemisphere[2];
        float latitude;
        bool southern;
    };
    const Case cases[] = {{{'X', 0}, 0.0f, false}, {{'X', 0}, -1.0f, true}, {{'S', 0}, 1.0f, true},
                          {{'S', 'S'}, 1.0f, false}, {{'S', 'S'}, -0.5f, true}, {{'N', 0}, 45.0f, false}};
    for (const Case& c : cases) {
        StationRecord r = MakeStartupRecord();
        r.lat_hemisphere[0] = c.hemisphere[0];
        r.lat_hemisphere[1] = c.hemisphere[1];
        r.latitude = c.latitude;
        EXPECT_EQ(IsSouthernStation(r), c.southern) << c.hemisphere[0] << c.hemisphere[1] << c.latitude;
    }
}

}  // namespace
