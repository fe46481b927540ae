// The generator's choice between normals tables, its precipitation screen
// and its positions, on small tables written by the tests.
#include "tools/dbgen/station_merge.h"

#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace {

struct TableRow {
    std::string number, name, latitude = "10.00", longitude = "20.00";
    int first = 1991, last = 2020;
    std::string temp = "1";     // every month's mean temperature ("" none)
    std::string precip = "50";  // every month's precipitation ("" none)
    std::string country = "578";
};

// A table in the layout of the CLIMAT and JMA tables, one period a row.
NormalsDatabase Table(const ScratchDir& dir, const std::string& file, const std::vector<TableRow>& rows) {
    std::string text = "wmo_id,station_name,country_name,country_iso_numeric,lat_deg_min,lon_deg_min,elevation_m,"
                       "normal_first_year,normal_last_year";
    for (const char* p : {"temp_mean", "precip"}) {
        for (int m = 1; m <= 12; ++m) text += std::string(",") + p + (m < 10 ? "_0" : "_") + std::to_string(m);
    }
    text += "\n";
    for (const TableRow& r : rows) {
        text += r.number + "," + r.name + ",Land " + r.country + "," + r.country + "," + r.latitude + "," +
                r.longitude + ",5," + std::to_string(r.first) + "," + std::to_string(r.last);
        for (int m = 0; m < 12; ++m) text += "," + r.temp;
        for (int m = 0; m < 12; ++m) text += "," + r.precip;
        text += "\n";
    }
    WriteText(dir.File(file), text);
    NormalsDatabase table;
    std::string error;
    EXPECT_TRUE(ReadNormalsTable(dir.File(file), table, &error)) << error;
    table.path = file;
    return table;
}

// The merged station of that number: "table elevation" is not kept apart,
// so each table writes its own precipitation value to tell them apart.
const StationRow* Precip(const MergedDatabase& db, const std::string& number) {
    for (const StationRow& r : db.precip) {
        if (r.number == number) return &r;
    }
    return nullptr;
}

TEST(MergeNormalsTables, OneStationPerNumberByThePreferenceRule) {
    ScratchDir dir;
    // national, jma, climat: the order of a tie.
    NormalsDatabase national = Table(dir, "national.csv",
                                     {{"10001", "Complete Here", "10.00", "20.00", 1961, 1990, "1", "11"},
                                      {"10002", "Tie", "10.00", "20.00", 1991, 2020, "1", "12"},
                                      {"10003", "Older", "10.00", "20.00", 1961, 1990, "1", "13"},
                                      {"10004", "No Latitude Here", "", "", 1991, 2020, "1", "14"}});
    NormalsDatabase jma = Table(dir, "jma.csv",
                                {{"10001", "Incomplete There", "10.00", "20.00", 1991, 2020, "", "21"},
                                 {"10002", "Tie", "10.00", "20.00", 1991, 2020, "1", "22"},
                                 {"10003", "Older", "10.00", "20.00", 1991, 2020, "1", "23"},
                                 {"10005", "Nowhere", "", "", 1991, 2020, "1", "25"}});
    NormalsDatabase climat = Table(dir, "climat.csv",
                                   {{"10002", "Tie", "10.00", "20.00", 1991, 2020, "1", "32"},
                                    {"10004", "Placed", "-33.30", "151.10", 1961, 1990, "", "34"},
                                    {"", "Without Number", "1.00", "2.00", 1961, 1990, "1", "36"}});
    MergeReport report;
    MergedDatabase db = MergeNormalsTables({national, jma, climat}, report);
    struct Case {
        const char* number;
        const char* precip;  // the value of the table that wins
        const char* latitude;
    };
    for (const Case& c : {Case{"10001", "11", "10.00"},    // complete over a later incomplete
                          Case{"10002", "12", "10.00"},    // a tie: the earlier table
                          Case{"10003", "23", "10.00"},    // the later period
                          Case{"10004", "14", "-33.30"}}) {  // no latitude: from another table
        const StationRow* r = Precip(db, c.number);
        ASSERT_NE(r, nullptr) << c.number;
        EXPECT_EQ(r->months[0][5], c.precip) << c.number;
        EXPECT_EQ(r->latitude, c.latitude) << c.number;
    }
    EXPECT_EQ(Precip(db, "10004")->longitude, "151.10");
    EXPECT_EQ(Precip(db, "10005"), nullptr);  // no latitude anywhere: left out
    ASSERT_NE(Precip(db, ""), nullptr);       // a row without a number stands alone
    EXPECT_EQ(Precip(db, "")->name, "WITHOUT NUMBER");
    EXPECT_EQ(Precip(db, "10001")->name, "COMPLETE HERE");  // names in capitals
    EXPECT_EQ(db.precip.size(), 5u);
    EXPECT_EQ(db.temp.size(), 5u);
    EXPECT_EQ(db.complete, 5);
    ASSERT_EQ(report.tables.size(), 3u);
    EXPECT_EQ(report.tables[0].chosen, 3);
    EXPECT_EQ(report.tables[1].chosen, 1);
    EXPECT_EQ(report.tables[2].chosen, 1);
    ASSERT_EQ(report.positions.size(), 1u);
    EXPECT_NE(report.positions[0].find("10004"), std::string::npos);
    ASSERT_EQ(report.left_out.size(), 1u);
    EXPECT_NE(report.left_out[0].find("10005"), std::string::npos);
}

TEST(MergeNormalsTables, CountriesAreThoseWithStationsNamedByTheFirstTable) {
    ScratchDir dir;
    TableRow norway{"01001", "A"};
    TableRow chile{"85574", "B"};
    chile.country = "152";
    TableRow unused{"99999", "C", "", ""};
    unused.country = "004";
    MergeReport report;
    MergedDatabase db = MergeNormalsTables({Table(dir, "a.csv", {norway}), Table(dir, "b.csv", {chile, unused})}, report);
    ASSERT_EQ(db.countries.size(), 2u);
    EXPECT_EQ(db.countries[0].code, "152");
    EXPECT_EQ(db.countries[0].name, "Land 152");
    EXPECT_EQ(db.countries[1].code, "578");
}

std::array<std::string, 12> Months(const std::vector<std::string>& v) {
    std::array<std::string, 12> a;
    for (std::size_t i = 0; i < 12; ++i) a[i] = v[i];
    return a;
}

TEST(PrecipitationScreen, TenfoldMonthsFailWetPlacesPass) {
    struct Case {
        const char* what;
        std::vector<std::string> months;
        std::vector<int> failing;
    };
    const Case cases[] = {
        {"a tenfold month", {"40", "45", "410", "38", "30", "20", "10", "5", "8", "20", "30", "35"}, {3}},
        {"two tenfold months (Maun)", {"1094", "970", "67", "24", "49", "0", "1", "4", "0", "16", "47", "79"}, {1, 2}},
        {"an empty neighbour is passed over (Jimma)",
         {"146", "523", "92", "", "1706", "209", "201", "", "184", "888", "", "328"}, {5}},
        {"Cherrapunji", {"15", "43", "249", "603", "1000", "2604", "2936", "1749", "1048", "435", "49", "23"}, {}},
        {"Mumbai", {"0.6", "1", "1.3", "0.8", "6", "516.5", "790.5", "483.3", "352.8", "86.3", "8.8", "2.8"}, {}},
        {"Lima", {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}, {}},
        {"tenfold but under 300 mm", {"2", "2", "290", "2", "2", "2", "2", "2", "2", "2", "2", "2"}, {}},
        {"no values", {"", "", "", "", "", "", "", "", "", "", "", ""}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ScreenPrecipitation(Months(c.months)), c.failing) << c.what;
}

TEST(PrecipitationScreen, AFailingRowLosesItsPrecipitationAndAnotherTableWins) {
    ScratchDir dir;
    TableRow tenfold{"63402", "Jimma", "7.40", "36.49", 1991, 2020, "20", "40"};
    TableRow older = tenfold;
    older.first = 1961;
    older.last = 1990;
    older.precip = "41";
    NormalsDatabase a = Table(dir, "a.csv", {tenfold});
    a.stations[0].precip.months[0][4] = "1706";
    MergeReport report;
    MergedDatabase db = MergeNormalsTables({a, Table(dir, "b.csv", {older})}, report);
    ASSERT_EQ(report.screened.size(), 1u);
    EXPECT_NE(report.screened[0].find("63402 JIMMA (a.csv)"), std::string::npos);
    ASSERT_EQ(db.precip.size(), 1u);
    EXPECT_EQ(db.precip[0].months[0][0], "41");  // the complete older row, values as they are
    EXPECT_EQ(db.precip[0].first_year, 1961);
}

}  // namespace
