#include "tools/dbgen/database_writer.h"

#include <gtest/gtest.h>

#include "tools/dbgen/normals_table.h"
#include "database/station_import.h"
#include "tests/database_fixture.h"

namespace {

// Writes one station with the given position texts and imports it back.
StationRecord RoundTrip(const StationRow& row) {
    TestDatabase db;
    std::string error;
    DatabaseWriter writer;
    EXPECT_TRUE(writer.Open(db.dir(), &error)) << error;
    writer.AddCountry({"152", "Chile"});
    writer.AddPrecip(row);
    writer.AddTemp(row);
    EXPECT_TRUE(writer.Close(&error)) << error;
    CountryTable table;
    LoadCountryTable(db.dir(), table);
    StationData s;
    s.record = MakeStartupRecord();
    EXPECT_TRUE(ImportStationFromDatabase(db.dir(), table, PadWithBlanks(row.name, 24), s).messages.empty());
    return s.record;
}

TEST(DatabaseWriter, RecordsHaveTheirLengthAndLineEnds) {
    std::string country = FormatCountryRecord({"152", std::string(70, 'C')});
    ASSERT_EQ(country.size(), 79u);
    EXPECT_EQ(country.substr(12, 3), "152");
    EXPECT_EQ(country.substr(17, 60), std::string(60, 'C'));
    EXPECT_EQ(country.substr(77), "\r\n");
    StationRow row;
    row.name = "A NAME LONGER THAN TWENTY-FOUR CHARACTERS";
    std::string station = FormatStationRecord(row);
    ASSERT_EQ(station.size(), 1338u);
    EXPECT_EQ(station.substr(12, 24), "A NAME LONGER THAN TWENT");
    EXPECT_EQ(station.substr(1336), "\r\n");
}

TEST(DatabaseWriter, PositionsAndNumbersReadBack) {
    struct Case {
        std::string latitude, longitude;
        float lat;
        std::int32_t lat_degrees, lat_minutes;
        float lon;
        std::int32_t lon_degrees, lon_minutes;
    } cases[] = {
        {"-33.55", "-70.40", -33.55f, 33, 55, -70.4f, 70, 40},
        {"-0.30", "-123.05", -0.3f, 0, 30, -123.05f, 123, 5},
        {"52.3", "13", 52.3f, 52, 30, 13.0f, 13, 0},  // one minute digit is tens of minutes
        {"", "east", 0.0f, 0, 0, 0.0f, 0, 0},          // missing or malformed: 0.00
    };
    for (const Case& c : cases) {
        StationRow row;
        row.country_code = "152";
        row.number = "85574";
        row.name = "SANTIAGO";
        row.latitude = c.latitude;
        row.longitude = c.longitude;
        row.elevation_m = 123456;  // held at the column's largest value
        row.first_year = 1961;
        row.last_year = 1990;
        row.months[0][0] = "123456789";  // cut to its 8 bytes
        row.months[2][11] = "-3.5";
        StationRecord r = RoundTrip(row);
        SCOPED_TRACE(c.latitude + " / " + c.longitude);
        EXPECT_EQ(r.latitude, c.lat);
        EXPECT_EQ(r.lat_degrees, c.lat_degrees);
        EXPECT_EQ(r.lat_minutes, c.lat_minutes);
        EXPECT_EQ(r.longitude, c.lon);
        EXPECT_EQ(r.lon_degrees, c.lon_degrees);
        EXPECT_EQ(r.lon_minutes, c.lon_minutes);
        EXPECT_EQ(r.elevation_m, 99999);
        EXPECT_EQ(r.precip_years, 30);
        EXPECT_EQ(FieldText(r.station_number), "   85574");
        bool southern = c.lat < 0.0f;
        EXPECT_EQ(r.precip_mm[southern ? 7 : 1], 12345678.0f);
        EXPECT_EQ(r.temp_max_c[southern ? 6 : 12], -3.5f);
    }
}

TEST(NormalsTable, CsvFieldsAndRules) {
    auto rows = ParseCsv("a,\"b,\"\"c\"\"\",\r\n\"multi\nline\",x\n");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"a", "b,\"c\"", ""}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"multi\nline", "x"}));

    ScratchDir dir;
    std::string header = "wmo_id,station_name,country_name,country_iso_numeric,lat_deg_min,lon_deg_min,elevation_m,"
                         "normal_first_year,normal_last_year";
    for (const char* p : {"temp_mean", "precip"}) {
        for (int m = 1; m <= 12; ++m) header += std::string(",") + p + (m < 10 ? "_0" : "_") + std::to_string(m);
    }
    std::string dry_only = ",,,,,,,,,,,,";
    WriteText(dir.File("t.csv"), header + "\n" +
                                     "01001,Jan Mayen,Norway,578,70.56,-8.40,9.6,1961,1990,-5.7" + std::string(11, ',') +
                                     ",56" + std::string(11, ',') + "\n" +
                                     "02002,No Rain,Norway,578,70.00,8.00,9,1961,1990,1,2,3,4,5,6,7,8,9,10,11,12" +
                                     dry_only + "\n" + "03003,No Temp,Chile,152,-33.00,-70.00,9,1961,1990" +
                                     dry_only + ",1,2,3,4,5,6,7,8,9,10,11,12\n");
    NormalsDatabase table;
    std::string error;
    ASSERT_TRUE(ReadNormalsTable(dir.File("t.csv"), table, &error)) << error;
    EXPECT_EQ(table.rows, 3);
    ASSERT_EQ(table.countries.size(), 2u);
    EXPECT_EQ(table.countries[0].code, "152");  // ordered by code
    ASSERT_EQ(table.precip.size(), 2u);         // no precipitation normals: left out
    ASSERT_EQ(table.temp.size(), 2u);           // no temperature normals: no record
    EXPECT_EQ(table.precip[0].name, "JAN MAYEN");
    EXPECT_EQ(table.precip[0].elevation_m, 10);
    EXPECT_EQ(table.precip[0].months[0][0], "56");
    EXPECT_EQ(table.precip[0].months[0][1], "");
    EXPECT_EQ(table.temp[1].name, "NO RAIN");

    WriteText(dir.File("bad.csv"), "wmo_id,station_name\n1,A\n");
    EXPECT_FALSE(ReadNormalsTable(dir.File("bad.csv"), table, &error));
    EXPECT_NE(error.find("has no column"), std::string::npos);
    EXPECT_FALSE(ReadNormalsTable(dir.File("none.csv"), table, &error));
}

}  // namespace
