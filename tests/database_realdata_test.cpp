// The station database on real normals: the committed shipped database,
// and one built from the CLIMAT normals table alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "tools/dbgen/normals_table.h"
#include "database/station_import.h"
#include "database/station_search.h"
#include "tools/dbgen/synthetic_database.h"
#include "tests/database_fixture.h"

namespace {

using Row = std::vector<std::string>;

struct Table {
    std::map<std::string, std::size_t> column;
    std::vector<Row> rows;
    std::string Get(const Row& row, const std::string& name) const {
        auto it = column.find(name);
        return it == column.end() || it->second >= row.size() ? std::string() : row[it->second];
    }
    float Value(const Row& row, const std::string& name) const {
        std::string text = Get(row, name);
        return text.empty() ? 0.0f : static_cast<float>(std::strtod(text.c_str(), nullptr));
    }
    bool AnyMonth(const Row& row, const char* prefix) const {
        for (int m = 1; m <= 12; ++m) {
            if (!Get(row, Month(prefix, m)).empty()) return true;
        }
        return false;
    }
    static std::string Month(const char* prefix, int m) {
        char name[32];
        std::snprintf(name, sizeof name, "%s_%02d", prefix, m);
        return name;
    }
};

Table ReadTable(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Table t;
    t.rows = ParseCsv(text);
    for (std::size_t i = 0; i < t.rows[0].size(); ++i) t.column[t.rows[0][i]] = i;
    t.rows.erase(t.rows.begin());
    return t;
}

// The database slot of table month m: a southern station's months run from July.
int Slot(int month, bool southern) { return southern ? (month + 5) % 12 + 1 : month; }

// Imports the station of `row` by its name and compares every value the
// database holds for it with the table. Only the first row of a name can be
// imported by name.
void ExpectImportMatches(const std::string& db, const CountryTable& countries, const Table& t, const Row& row,
                         bool one_period) {
    std::string name = PadWithBlanks(t.Get(row, "station_name"), 24);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    StationData s;
    s.record = MakeStartupRecord();
    StationImport result = ImportStationFromDatabase(db, countries, name.substr(0, 24), s);
    bool has_precip = t.AnyMonth(row, "precip");
    bool has_temp = t.AnyMonth(row, "temp_mean") || t.AnyMonth(row, "temp_min") || t.AnyMonth(row, "temp_max");
    EXPECT_EQ(result.messages.size(), (has_precip ? 0u : 1u) + (has_temp ? 0u : 1u)) << name;
    const StationRecord& r = s.record;
    std::string where = "station " + name;
    if (has_precip) {
        EXPECT_EQ(FieldText(r.station_number), PadWithBlanks("", 8 - std::min<std::size_t>(8, t.Get(row, "wmo_id").size())) + t.Get(row, "wmo_id")) << where;
        EXPECT_EQ(r.latitude, t.Value(row, "lat_deg_min")) << where;
        EXPECT_EQ(r.longitude, t.Value(row, "lon_deg_min")) << where;
        EXPECT_EQ(r.elevation_m, static_cast<std::int32_t>(std::lround(t.Value(row, "elevation_m")))) << where;
        std::string first = one_period ? "normal_first_year" : "precip_first_year";
        std::string last = one_period ? "normal_last_year" : "precip_last_year";
        EXPECT_EQ(r.precip_years, std::atoi(t.Get(row, last).c_str()) - std::atoi(t.Get(row, first).c_str()) + 1);
    }
    bool southern = r.latitude < 0.0f;
    for (int m = 1; m <= 12; ++m) {
        int slot = Slot(m, southern);
        EXPECT_EQ(r.precip_mm[slot], t.Value(row, Table::Month("precip", m))) << where << " month " << m;
        EXPECT_EQ(r.temp_c[slot], t.Value(row, Table::Month("temp_mean", m))) << where << " month " << m;
        EXPECT_EQ(r.temp_min_c[slot], t.Value(row, Table::Month("temp_min", m))) << where << " month " << m;
        EXPECT_EQ(r.temp_max_c[slot], t.Value(row, Table::Month("temp_max", m))) << where << " month " << m;
    }
}

std::string ShippedDir() { return SourceDir() + "/data/database"; }

// Every record of a station file by its list text (name and number).
std::map<std::string, std::string> RecordsByListText(const std::string& path) {
    std::map<std::string, std::string> records;
    ScanStationRecords(path, [&](const StationRecordBytes& r) {
        std::string_view h = r.Header(db_layout::kImportHeaderBytes);
        records.emplace(StationListText(h.substr(db_layout::kNameOffset, db_layout::kNameWidth),
                                        h.substr(db_layout::kNumberOffset, db_layout::kNumberWidth)),
                        std::string(h.substr(db_layout::kCodeOffset, db_layout::kCountryCodeWidth)));
        return false;
    });
    return records;
}

TEST(ShippedDatabase, StationsWithBothRecordsInEveryCountryOfTheList) {
    ASSERT_TRUE(CheckDatabaseFiles(ShippedDir()).ok);
    CountryTable countries;
    ASSERT_EQ(LoadCountryTable(ShippedDir(), countries), DataFileStatus::ok);
    std::map<std::string, std::string> precip = RecordsByListText(ShippedDir() + "/PRECIP.DAT");
    std::map<std::string, std::string> temp = RecordsByListText(ShippedDir() + "/TEMP.DAT");
    std::set<std::string> countries_with_both, countries_with_any;
    std::size_t both = 0;
    for (const auto& [text, code] : precip) {
        countries_with_any.insert(code);
        if (!temp.count(text)) continue;
        ++both;
        countries_with_both.insert(code);
    }
    for (const auto& entry : temp) countries_with_any.insert(entry.second);
    EXPECT_GE(both, 2350u);
    EXPECT_GE(countries_with_both.size(), 160u);
    // The country list holds exactly the countries that have a station.
    CountryListTexts list = ReadCountryListTexts(ShippedDir());
    EXPECT_EQ(list.texts.size(), countries_with_any.size());
    for (const std::string& text : list.texts) {
        EXPECT_TRUE(countries_with_any.count(CountryCodeOfListText(countries, text))) << text;
    }
    for (const std::string& code : countries_with_any) EXPECT_NE(FindCountryByCode(countries, code), nullptr) << code;
    // The list tells the two GUNNARN apart.
    StationListFill sweden = FillStationList(ShippedDir(), "752");
    EXPECT_EQ(std::count(sweden.texts.begin(), sweden.texts.end(), "GUNNARN\t02126"), 1);
    EXPECT_EQ(std::count(sweden.texts.begin(), sweden.texts.end(), "GUNNARN\t02128"), 1);
}

TEST(ShippedDatabase, NewestNormalsOfKnownStations) {
    CountryTable countries;
    LoadCountryTable(ShippedDir(), countries);
    struct Case {
        std::int32_t number;
        const char* name;
        float annual_precip_mm;
        std::int32_t precip_years;
    };
    for (const Case& c : {Case{42515, "CHERRAPUNJI", 10166.0f, 30}, Case{82331, "MANAUS", 2381.0f, 30},
                          Case{43057, "MUMBAI/COLABA", 2251.0f, 30}, Case{94767, "SYDNEY AIRPORT", 993.0f, 30},
                          Case{2126, "GUNNARN", 531.0f, 30}, Case{2128, "GUNNARN", 605.7f, 30}}) {
        StationData s;
        s.record = MakeStartupRecord();
        StationImport result = ImportPickedStation(ShippedDir(), countries, NumberPick(c.number), s);
        EXPECT_TRUE(result.messages.empty()) << c.name;
        EXPECT_EQ(TrimTrailingBlanks(FieldText(s.record.station_name)), c.name);
        EXPECT_NEAR(s.annual_precip_mm, c.annual_precip_mm, 0.6f) << c.name;
        EXPECT_EQ(s.record.precip_years, c.precip_years) << c.name;
        EXPECT_EQ(s.record.temp_years, c.precip_years) << c.name;
    }
}

class ClimatNormals : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        db_ = new TestDatabase;
        std::string error;
        NormalsDatabase content;
        ASSERT_TRUE(ReadNormalsTable(ShippedDir() + "/climat/normals.csv", content, &error)) << error;
        DatabaseWriter writer;
        ASSERT_TRUE(writer.Open(db_->dir(), &error)) << error;
        for (const CountryRow& c : content.countries) writer.AddCountry(c);
        for (const StationRow& s : content.precip) writer.AddPrecip(s);
        for (const StationRow& s : content.temp) writer.AddTemp(s);
        ASSERT_TRUE(writer.Close(&error)) << error;
        table_ = new Table(ReadTable(ShippedDir() + "/climat/normals.csv"));
    }
    static void TearDownTestSuite() {
        delete db_;
        delete table_;
        db_ = nullptr;
        table_ = nullptr;
    }
    void SetUp() override {
        LoadCountryTable(db_->dir(), countries_);
    }
    static TestDatabase* db_;
    static Table* table_;
    CountryTable countries_;
};
TestDatabase* ClimatNormals::db_ = nullptr;
Table* ClimatNormals::table_ = nullptr;

TEST_F(ClimatNormals, ImportsMatchTheTableIncludingEmptyCells) {
    ASSERT_GT(table_->rows.size(), 1000u);
    std::set<std::string> seen;
    int checked = 0;
    for (std::size_t i = 0; i < table_->rows.size(); ++i) {
        const Row& row = table_->rows[i];
        std::string name = table_->Get(row, "station_name");
        bool first_of_name = seen.insert(name).second;
        // Every 9th station, the last ones, and every 3rd with empty cells.
        bool empty_cell = false;
        for (int m = 1; m <= 12; ++m) {
            empty_cell = empty_cell || table_->Get(row, Table::Month("precip", m)).empty() ||
                         table_->Get(row, Table::Month("temp_min", m)).empty();
        }
        bool chosen = i % 9 == 0 || i + 3 >= table_->rows.size() || (empty_cell && i % 3 == 0);
        if (!first_of_name || name.empty() || !chosen) continue;
        ExpectImportMatches(db_->dir(), countries_, *table_, row, true);
        ++checked;
    }
    EXPECT_GT(checked, 150);
}

TEST_F(ClimatNormals, StationListsHoldEveryStationOfTheirCountry) {
    std::map<std::string, std::size_t> expected;
    for (const Row& row : table_->rows) {
        if (table_->AnyMonth(row, "precip")) ++expected[table_->Get(row, "country_iso_numeric")];
    }
    CountryListTexts list = ReadCountryListTexts(db_->dir());
    ASSERT_EQ(list.texts.size(), countries_.country_count());
    std::size_t total = 0;
    for (const std::string& text : list.texts) {
        std::string code = CountryCodeOfListText(countries_, text);
        StationListFill fill = FillStationList(db_->dir(), code);
        EXPECT_EQ(fill.names.size(), expected[code]) << text;
        total += fill.names.size();
    }
    EXPECT_GT(total, 1000u);
}

TEST_F(ClimatNormals, SearchFindsEveryNumber) {
    for (std::size_t i = 0; i < table_->rows.size(); i += 37) {
        const Row& row = table_->rows[i];
        if (!table_->AnyMonth(row, "precip")) continue;
        StationSearch s = FindStationByNumber(db_->dir(), countries_, ParseStationNumberText(table_->Get(row, "wmo_id")));
        ASSERT_TRUE(s.found) << table_->Get(row, "wmo_id");
        EXPECT_EQ(TrimTrailingBlanks(s.country_name).substr(0, 10),
                  std::string_view(table_->Get(row, "country_name")).substr(0, 10));
    }
}

TEST(SyntheticDatabase, ListsSearchAndImport) {
    TestDatabase db;
    std::string error;
    ASSERT_TRUE(WriteSyntheticDatabase(db.dir(), 1000, &error)) << error;
    CountryTable countries;
    LoadCountryTable(db.dir(), countries);
    EXPECT_EQ(countries.country_count(), static_cast<std::size_t>(kSyntheticCountries));
    int country = SyntheticStationCountry(999);
    std::size_t expected = 0;
    for (int i = 0; i < 1000; ++i) expected += SyntheticStationCountry(i) == country;
    StationListFill fill = FillStationList(db.dir(), SyntheticCountryCode(country));
    EXPECT_EQ(fill.names.size(), expected);
    EXPECT_EQ(fill.names.back(), PadWithBlanks(SyntheticStationName(999), 24));

    StationSearch s = FindStationByNumber(db.dir(), countries, SyntheticStationNumber(999));
    ASSERT_TRUE(s.found);
    StationData station;
    station.record = MakeStartupRecord();
    EXPECT_TRUE(ImportStationFromDatabase(db.dir(), countries, s.station_name, station).messages.empty());
    EXPECT_EQ(TrimTrailingBlanks(FieldText(station.record.country_name)), SyntheticCountryName(country));
    for (int m = 1; m <= 12; ++m) {
        EXPECT_LE(station.record.temp_min_c[m], station.record.temp_c[m]);
        EXPECT_LE(station.record.temp_c[m], station.record.temp_max_c[m]);
        EXPECT_GE(station.record.precip_mm[m], 0.0f);
        EXPECT_GT(station.record.temp_c[m], -60.0f);
        EXPECT_LT(station.record.temp_c[m], 45.0f);
    }
}

}  // namespace
