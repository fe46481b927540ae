// The climate classes of the shipped database: named stations, through
// `varnok classes` and through the program's own import.
#include "tools/varnok/climate_classes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "database/station_import.h"
#include "platform/mapped_file.h"
#include "tests/database_fixture.h"
#include "tests/test_support.h"

namespace {

// The class of the station that the program imports by its number.
std::optional<ClimateClass> ImportedClass(const std::string& db, const CountryTable& table, int number) {
    StationData station;
    station.record = MakeStartupRecord();
    ImportPickedStation(db, table, NumberPick(number), station);
    return ClassifyClimate(station.record).climate_class;
}

TEST(ClimateClassesShipped, NamedStationsAndEveryStationClassified) {
    const std::string db = SourceDir() + "/data/database";
    const DatabaseClasses classes = ClassifyDatabase(db);
    ASSERT_TRUE(classes.ok);
    std::string lines, expected_lines;
    for (const std::string& piece : classes.lines) lines += piece;
    for (const StationClass& s : classes.stations) AppendStationClassLine(expected_lines, s);
    EXPECT_EQ(lines, expected_lines);
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
        const auto imported = ImportedClass(db, table, number);
        ASSERT_TRUE(imported) << number;
        EXPECT_EQ(ClimateClassCode(*imported), expected) << number << " as the program imports it";
    }
}

// Mean fields that are not plain decimals read as the import reads them:
// each such station gets the class of its imported record. A station
// without its temperature record is left out.
TEST(ClimateClassesDatabase, OddFieldsAsTheImportReadsThem) {
    // Eight bytes each; in four months of 9.5 degC: ET below 10, Cfb from 10.
    const char kOdd[][9] = {"   1.5e1", "  12.3ab", "     -.5", "   +17.0", "   15.  ", "15      ", "  1\0 9.0", "    0x10"};
    TestDatabase db;
    db.WriteCountries({CountryRecord("100", "Testland")});
    std::vector<std::string> precip, temp;
    for (int i = 0; i < 8; ++i) {
        StationColumns columns;
        columns.code = "100";
        columns.number = "    " + std::to_string(1000 + i);
        columns.name = "STATION " + std::to_string(i);
        std::string p = StationRecordText(columns), t = p;
        PutBlock(p, 0, std::vector<float>(12, 40.0f));
        PutBlock(t, 0, std::vector<float>(12, 9.5f));
        for (int m = 5; m < 9; ++m) t.replace(db_layout::BlockOffset(0) + 8 * m, 8, std::string(kOdd[i], 8));
        precip.push_back(p);
        if (i != 5) temp.push_back(t);
    }
    db.WritePrecip(precip);
    db.WriteTemp(temp);
    CountryTable table;
    ASSERT_EQ(LoadCountryTable(db.dir(), table), DataFileStatus::ok);
    const DatabaseClasses classes = ClassifyDatabase(db.dir());
    ASSERT_TRUE(classes.ok);
    ASSERT_EQ(classes.stations.size(), 7u);
    std::string codes;
    for (const StationClass& s : classes.stations) {
        codes += s.climate_class ? std::string(ClimateClassCode(*s.climate_class)) + " " : "- ";
        EXPECT_EQ(s.climate_class, ImportedClass(db.dir(), table, std::stoi(std::string(s.number)))) << s.number;
        EXPECT_EQ(s.country, "Testland");
    }
    EXPECT_EQ(codes, "Cfb Cfb ET Cfb Cfb ET ET ");
}

// The files are mapped: a whole file's bytes, an empty file, and what
// cannot be read, whatever its kind.
TEST(MappedFile, BytesOfAnyFile) {
    ScratchDir dir;
    std::string bytes(70000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    WriteText(dir.File("data"), bytes);
    WriteText(dir.File("empty"), "");
    MappedFile file;
    ASSERT_EQ(file.Open(dir.File("data").c_str()), MappedFile::Status::ok);
    ASSERT_EQ(std::string(file.data(), file.size()), bytes);
    MappedFile moved = std::move(file);
    EXPECT_EQ(file.size(), 0u);
    EXPECT_EQ(std::string(moved.data(), moved.size()), bytes);
    EXPECT_EQ(moved.Open(dir.File("empty").c_str()), MappedFile::Status::ok);
    EXPECT_EQ(moved.size(), 0u);
    EXPECT_EQ(moved.Open(dir.File("missing").c_str()), MappedFile::Status::cannot_open);
    EXPECT_NE(moved.Open(dir.path().c_str()), MappedFile::Status::ok);  // a folder
    EXPECT_EQ(moved.size(), 0u);
#if !defined(_WIN32)
    EXPECT_EQ(moved.Open("/dev/zero"), MappedFile::Status::read_failed);  // no length to read by
#endif
}

// A data file that cannot be read is named; a record cut short at the end
// of a file is no station.
TEST(ClimateClassesDatabase, UnreadableFilesAndCutRecords) {
    TestDatabase db;
    db.WriteCountries({CountryRecord("100", "Testland")});
    StationColumns columns;
    columns.code = "100";
    columns.number = "    1000";
    columns.name = "STATION";
    std::string p = StationRecordText(columns), t = p;
    PutBlock(p, 0, std::vector<float>(12, 80.0f));
    PutBlock(t, 0, std::vector<float>(12, 15.0f));
    db.WritePrecip({p, p.substr(0, 700)});
    DatabaseClasses classes = ClassifyDatabase(db.dir());
    EXPECT_FALSE(classes.ok);
    EXPECT_NE(classes.message.text.find("TEMP.DAT"), std::string::npos) << classes.message.text;
    db.WriteTemp({t, t.substr(0, 100)});
    classes = ClassifyDatabase(db.dir());
    ASSERT_TRUE(classes.ok);
    ASSERT_EQ(classes.stations.size(), 1u);
    std::string line;
    AppendStationClassLine(line, classes.stations[0]);
    EXPECT_EQ(line, "1000\tSTATION\tTestland\tCfb\n");
    EXPECT_EQ(classes.lines, std::vector<std::string>{line});
}

// A database of many pieces, its stations in several countries, some
// without a TEMP.DAT record and TEMP.DAT in another order: every station
// with both records, in PRECIP.DAT order, with the class its import gives.
TEST(ClimateClassesDatabase, ManyStationsInOrderAsImported) {
    TestDatabase db;
    db.WriteCountries({CountryRecord("100", "Aland"), CountryRecord("200", "Bland")});
    std::vector<std::string> precip, temp;
    std::vector<std::string> expected_numbers;
    for (int i = 0; i < 700; ++i) {
        StationColumns columns;
        columns.code = i < 350 ? "100" : "200";
        columns.number = "   " + std::to_string(20000 + i);
        columns.name = "STATION " + std::to_string(i);
        std::string p = StationRecordText(columns), t = p;
        PutBlock(p, 0, std::vector<float>(12, static_cast<float>(5 + i % 90)));
        PutBlock(t, 0, std::vector<float>(12, static_cast<float>(i % 40 - 15)));
        precip.push_back(p);
        if (i % 7 == 3) continue;  // no temperatures
        temp.push_back(t);
        expected_numbers.push_back(std::to_string(20000 + i));
    }
    std::reverse(temp.begin(), temp.end());
    db.WritePrecip(precip);
    db.WriteTemp(temp);
    CountryTable table;
    ASSERT_EQ(LoadCountryTable(db.dir(), table), DataFileStatus::ok);
    const DatabaseClasses classes = ClassifyDatabase(db.dir());
    ASSERT_TRUE(classes.ok);
    ASSERT_EQ(classes.stations.size(), expected_numbers.size());
    std::string lines, expected_lines;
    for (const std::string& piece : classes.lines) lines += piece;
    for (std::size_t k = 0; k < classes.stations.size(); ++k) {
        const StationClass& s = classes.stations[k];
        EXPECT_EQ(s.number, expected_numbers[k]);
        EXPECT_EQ(s.country, std::stoi(expected_numbers[k]) < 20350 ? "Aland" : "Bland");
        EXPECT_EQ(s.climate_class, ImportedClass(db.dir(), table, std::stoi(expected_numbers[k]))) << s.number;
        AppendStationClassLine(expected_lines, s);
    }
    EXPECT_EQ(lines, expected_lines);
}

}  // namespace
