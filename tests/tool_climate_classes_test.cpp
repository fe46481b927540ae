// The climate classes of the shipped database: named stations, through
// `varnok classes` and through the program's own import.
#include "tools/varnok/climate_classes.h"

#include <gtest/gtest.h>

#include <map>

#include "database/station_import.h"
#include "tests/test_support.h"

namespace {

TEST(ClimateClassesShipped, NamedStationsAndEveryStationClassified) {
    const std::string db = SourceDir() + "/data/database";
    const DatabaseClasses classes = ClassifyDatabase(db);
    ASSERT_TRUE(classes.ok);
    std::map<std::string, std::string> by_number;
    for (const StationClass& s : classes.stations) {
        EXPECT_TRUE(s.climate_class) << s.number << " " << s.name;
        if (s.climate_class) by_number.emplace(s.number, ClimateClassCode(*s.climate_class));
    }
    CountryTable table;
    ASSERT_EQ(LoadCountryTable(db, table), DataFileStatus::ok);
    const std::pair<int, const char*> kNamed[] = {{10384, "Cfb"}, {48698, "Af"}, {40948, "BSk"}, {42515, "Cwb"},
                                                  {94767, "Cfa"}, {27612, "Dfb"}, {1001, "ET"},   {60525, "BWh"}};
    for (const auto& [number, expected] : kNamed) {
        char text[8];
        std::snprintf(text, sizeof text, "%05d", number);
        EXPECT_EQ(by_number[text], expected) << text;
        StationData station;
        station.record = MakeStartupRecord();
        ImportPickedStation(db, table, NumberPick(number), station);
        const auto imported = ClassifyClimate(station.record).climate_class;
        ASSERT_TRUE(imported) << number;
        EXPECT_EQ(ClimateClassCode(*imported), expected) << number << " as the program imports it";
    }
}

}  // namespace
