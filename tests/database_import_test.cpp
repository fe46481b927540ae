#include "database/station_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "database/station_search.h"
#include "tests/database_fixture.h"

namespace {

const std::vector<float> kPrecip = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
const std::vector<float> kTemp = {21, 20, 18, 15, 12, 9, 8.5f, 10, 12, 15, 17, 20};

StationColumns Santiago() {
    StationColumns c;
    c.code = "152";
    c.number = "   85574";
    c.name = "SANTIAGO";
    c.latitude = "-33.55";
    c.longitude = " -70.40";
    c.elevation = "  474";
    c.first_year = " 1951";
    c.last_year = " 1980";
    return c;
}

// A PRECIP.DAT record with means 1..12 in block 0, minima in 4, maxima in
// 5, and a decoy in block 1 that no reader may take.
std::string PrecipRecord(const StationColumns& c) {
    std::string r = StationRecordText(c);
    PutBlock(r, 0, kPrecip);
    PutBlock(r, 1, std::vector<float>(12, 666.0f));
    PutBlock(r, 4, std::vector<float>(12, 0.5f));
    PutBlock(r, 5, std::vector<float>(12, 40.0f));
    return r;
}

std::string TempRecord(const StationColumns& c) {
    std::string r = StationRecordText(c);
    PutBlock(r, 0, kTemp);
    PutBlock(r, 4, {15, 14, 12, 9, 6, 3, 2, 4, 6, 9, 11, 14});
    PutBlock(r, 5, {29, 28, 26, 22, 18, 15, 14.5f, 17, 19, 22, 25, 28});
    return r;
}

// A station that was on screen before, with values everywhere.
StationData PreviousStation() {
    StationData s;
    s.record = MakeStartupRecord();
    SetFieldText(s.record.station_name, "PREVIOUS");
    SetFieldText(s.record.station_number, "11111");
    SetFieldText(s.record.country_name, "PREVIOUS COUNTRY");
    s.record.country_code = 42;
    s.record.elevation_m = 999;
    s.record.temp_years = s.record.precip_years = 77;
    s.record.latitude = 12.5f;
    for (int i = 0; i < kMonthSlots; ++i) {
        s.record.precip_mm[i] = s.record.temp_c[i] = s.record.temp_min_c[i] = 55.0f;
        s.record.temp_max_c[i] = s.record.precip_min_mm[i] = s.record.precip_max_mm[i] = 55.0f;
    }
    for (std::int32_t& f : s.record.frost_flags) f = 2;
    s.record.abs_min_c = -40.0f;
    s.record.abs_max_c = 45.0f;
    s.record.diagram_mode = 0;
    s.record.month_labels = 1;
    return s;
}

class Import : public ::testing::Test {
protected:
    void SetUp() override {
        db.WriteCountries({CountryRecord("276", "GERMANY"), CountryRecord("152", "CHILE")});
        LoadCountryTable(db.dir(), table);
    }
    StationImport Run(const std::string& name, StationData& s) {
        return ImportStationFromDatabase(db.dir(), table, PadWithBlanks(name, 24), s);
    }
    TestDatabase db;
    CountryTable table;
};

TEST_F(Import, SouthernStation) {
    StationColumns t = Santiago();
    t.first_year = " 1961";
    t.last_year = " 1990";
    db.WritePrecip({PrecipRecord(Santiago())});
    db.WriteTemp({TempRecord(t)});
    StationData s = PreviousStation();
    StationImport result = Run("SANTIAGO", s);
    EXPECT_TRUE(result.imported);
    EXPECT_TRUE(result.messages.empty());

    const StationRecord& r = s.record;
    EXPECT_EQ(FieldText(r.station_name), "SANTIAGO                ");  // trailing blanks kept
    EXPECT_EQ(FieldText(r.station_number), "   85574");
    EXPECT_EQ(FieldText(r.country_name), PadWithBlanks("CHILE", 31));
    EXPECT_EQ(r.country_code, 152);
    EXPECT_EQ(r.elevation_m, 474);
    EXPECT_EQ(r.latitude, -33.55f);
    EXPECT_EQ(r.lat_degrees, 33);
    EXPECT_EQ(r.lat_minutes, 55);
    EXPECT_EQ(r.longitude, -70.4f);
    EXPECT_EQ(r.lon_degrees, 70);
    EXPECT_EQ(r.lon_minutes, 40);
    EXPECT_EQ(FieldText(r.lat_hemisphere), "S");
    EXPECT_EQ(FieldText(r.lon_hemisphere), "W");
    EXPECT_EQ(r.precip_years, 30);
    EXPECT_EQ(r.temp_years, 30);

    // All six arrays run from July.
    EXPECT_EQ(r.temp_c[1], 8.5f);
    EXPECT_EQ(r.temp_c[12], 9.0f);
    EXPECT_EQ(r.precip_mm[1], 7.0f);
    EXPECT_EQ(r.precip_mm[7], 1.0f);
    EXPECT_EQ(r.temp_min_c[1], 2.0f);
    EXPECT_EQ(r.temp_max_c[1], 14.5f);
    EXPECT_EQ(r.precip_min_mm[1], 0.5f);
    EXPECT_EQ(r.precip_max_mm[1], 40.0f);

    EXPECT_EQ(s.annual_precip_mm, 78.0f);
    EXPECT_EQ(r.coldest_month_min_c, 2.0f);
    EXPECT_EQ(r.warmest_month_max_c, 29.0f);
    EXPECT_EQ(r.abs_min_c, -999.0f);
    EXPECT_EQ(r.abs_max_c, -999.0f);
    EXPECT_EQ(r.show_abs_min + r.show_abs_max + r.show_coldest_min + r.show_warmest_max, 0);
    for (std::int32_t f : r.frost_flags) EXPECT_EQ(f, 0);
    EXPECT_EQ(r.diagram_mode, 0);  // presentation settings stay
    EXPECT_EQ(r.month_labels, 1);
}

TEST_F(Import, NorthernStationKeepsJanuaryFirst) {
    StationColumns c;
    c.code = "276";
    c.name = "POTSDAM";
    c.latitude = " 52.31";
    c.longitude = "  13.04";
    c.first_year = " 1951";
    c.last_year = " 1990";
    db.WritePrecip({PrecipRecord(c)});
    db.WriteTemp({TempRecord(c)});
    StationData s = PreviousStation();
    Run("POTSDAM", s);
    EXPECT_EQ(s.record.precip_mm[1], 1.0f);
    EXPECT_EQ(s.record.temp_c[1], 21.0f);
    EXPECT_EQ(s.record.latitude, 52.31f);
    EXPECT_EQ(FieldText(s.record.lat_hemisphere), "N");
    EXPECT_EQ(FieldText(s.record.lon_hemisphere), "E");
    EXPECT_EQ(s.record.precip_years, 40);
    EXPECT_EQ(FieldText(s.record.country_name), PadWithBlanks("GERMANY", 31));
}

TEST_F(Import, LatitudeJustSouthOfTheEquator) {
    StationColumns c = Santiago();
    c.latitude = " -0.30";
    db.WritePrecip({PrecipRecord(c)});
    db.WriteTemp({TempRecord(c)});
    StationData s = PreviousStation();
    Run("SANTIAGO", s);
    EXPECT_EQ(s.record.latitude, -0.3f);
    EXPECT_EQ(s.record.lat_degrees, 0);
    EXPECT_EQ(s.record.lat_minutes, 30);
    EXPECT_EQ(FieldText(s.record.lat_hemisphere), "S");
    EXPECT_EQ(s.record.precip_mm[1], 7.0f);
}

TEST_F(Import, TheFirstRecordOfANameWinsInEachFile) {
    StationColumns first = Santiago();
    StationColumns second = Santiago();
    second.code = "276";
    second.number = "   99999";
    second.elevation = "    1";
    std::string other_temp = TempRecord(second);
    PutBlock(other_temp, 0, std::vector<float>(12, -5.0f));
    StationColumns unrelated = Santiago();
    unrelated.name = "OTHER";
    db.WritePrecip({PrecipRecord(unrelated), PrecipRecord(first), PrecipRecord(second)});
    db.WriteTemp({TempRecord(first), other_temp});
    StationData s = PreviousStation();
    Run("SANTIAGO", s);
    EXPECT_EQ(FieldText(s.record.station_number), "   85574");
    EXPECT_EQ(s.record.elevation_m, 474);
    EXPECT_EQ(s.record.temp_c[1], 8.5f);
}

TEST_F(Import, NoPrecipitationRecordClearsWhatItWouldHaveGiven) {
    db.WritePrecip({});
    db.WriteTemp({TempRecord(Santiago())});
    StationData s = PreviousStation();
    StationImport result = Run("SANTIAGO", s);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].text, "No precipitation entry for this station in database!");
    EXPECT_EQ(result.messages[0].caption, "Error reading Datafile.");
    const StationRecord& r = s.record;
    EXPECT_EQ(FieldText(r.station_name), "SANTIAGO                ");
    EXPECT_EQ(FieldText(r.station_number), "");
    EXPECT_EQ(FieldText(r.country_name), "");
    EXPECT_EQ(r.country_code, 0);
    EXPECT_EQ(r.elevation_m, 0);
    EXPECT_EQ(r.precip_years, 0);
    EXPECT_EQ(r.latitude, 0.0f);
    EXPECT_EQ(FieldText(r.lat_hemisphere), "N");
    for (int i = 1; i <= 13; ++i) {
        EXPECT_EQ(r.precip_mm[i], 0.0f) << i;
        EXPECT_EQ(r.precip_max_mm[i], 0.0f) << i;
    }
    EXPECT_EQ(r.temp_c[1], 21.0f);  // the temperature record is still read
    EXPECT_EQ(r.temp_years, 30);
}

TEST_F(Import, NoTemperatureRecordClearsTheTemperatures) {
    db.WritePrecip({PrecipRecord(Santiago())});
    db.WriteTemp({});
    StationData s = PreviousStation();
    StationImport result = Run("SANTIAGO", s);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].text, "No temperature entry for this station in database!");
    EXPECT_EQ(s.record.temp_years, 0);
    for (int i = 1; i <= 13; ++i) {
        EXPECT_EQ(s.record.temp_c[i], 0.0f) << i;
        EXPECT_EQ(s.record.temp_min_c[i], 0.0f) << i;
        EXPECT_EQ(s.record.temp_max_c[i], 0.0f) << i;
    }
    EXPECT_EQ(s.annual_mean_temp_c, 0.0f);
    EXPECT_EQ(s.record.precip_mm[1], 7.0f);
}

TEST_F(Import, AnUnknownCountryCodeKeepsTheCountry) {
    StationColumns c = Santiago();
    c.code = "999";
    db.WritePrecip({PrecipRecord(c)});
    db.WriteTemp({TempRecord(c)});
    StationData s = PreviousStation();
    Run("SANTIAGO", s);
    EXPECT_EQ(FieldText(s.record.country_name), "PREVIOUS COUNTRY");
    EXPECT_EQ(s.record.country_code, 42);
    EXPECT_EQ(FieldText(s.record.station_number), "   85574");
}

TEST_F(Import, NothingChosenChangesNothing) {
    db.WritePrecip({PrecipRecord(Santiago())});
    db.WriteTemp({TempRecord(Santiago())});
    StationData s = PreviousStation();
    RecordImage before, after;
    SerializeRecord(s.record, before);
    StationImport result = ImportStationFromDatabase(db.dir(), table, "", s);
    SerializeRecord(s.record, after);
    EXPECT_FALSE(result.imported);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(before, after);
}

TEST_F(Import, NamesCompareOverTwentyFourCharacters) {
    StationColumns c = Santiago();
    c.name = "A STATION NAME OF 24 CHR";
    db.WritePrecip({PrecipRecord(c)});
    db.WriteTemp({TempRecord(c)});
    StationData s = PreviousStation();
    // The list text may be longer (up to 64 characters): only 24 count.
    EXPECT_TRUE(ImportStationFromDatabase(db.dir(), table, "A STATION NAME OF 24 CHR and more", s).messages.empty());
    // A name without its padding is another name.
    EXPECT_EQ(ImportStationFromDatabase(db.dir(), table, "SANTIAGO", s).messages.size(), 2u);
}

TEST_F(Import, FilesThatVanishedAfterTheCheck) {
    db.WritePrecip({PrecipRecord(Santiago())});
    StationData s = PreviousStation();
    StationImport result = Run("SANTIAGO", s);  // TEMP.DAT is not there
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].text, "Datafile 'TEMP.DAT' could not be opened!");
    EXPECT_EQ(s.record.temp_c[3], 0.0f);
    EXPECT_EQ(s.record.precip_mm[1], 7.0f);
}

}  // namespace

namespace {

// Two stations of one name, each with its own number, elevation and
// values; `second_code` puts the second in another country or the same.
struct Namesakes {
    StationColumns first = Santiago();
    StationColumns second = Santiago();
    explicit Namesakes(const std::string& second_code) {
        second.code = second_code;
        second.number = "   85580";
        second.elevation = "    9";
    }
    static std::string Precip(const StationColumns& c, float value) {
        std::string r = PrecipRecord(c);
        PutBlock(r, 0, std::vector<float>(12, value));
        return r;
    }
    static std::string Temp(const StationColumns& c, float value) {
        std::string r = TempRecord(c);
        PutBlock(r, 0, std::vector<float>(12, value));
        return r;
    }
};

// The list entry of the station that `fill` lists with that number.
std::string EntryWithNumber(const StationListFill& fill, const std::string& number) {
    for (const std::string& text : fill.texts) {
        if (text.substr(text.find('\t') + 1) == number) return text;
    }
    return std::string();
}

}  // namespace

TEST_F(Import, EachNamesakeIsImportedFromTheListAndByNumber) {
    for (const char* second_code : {"152", "276"}) {
        Namesakes n(second_code);
        db.WritePrecip({Namesakes::Precip(n.first, 10.0f), Namesakes::Precip(n.second, 20.0f)});
        db.WriteTemp({Namesakes::Temp(n.first, 1.0f), Namesakes::Temp(n.second, 2.0f)});
        struct Case {
            const char* number;
            std::int32_t elevation;
            float precip, temp;
        };
        for (const Case& c : {Case{"85574", 474, 10.0f, 1.0f}, Case{"85580", 9, 20.0f, 2.0f}}) {
            std::string where = std::string(second_code) + " " + c.number;
            StationListFill fill = FillStationList(db.dir(), std::stoi(c.number) == 85574 ? "152" : second_code);
            std::string entry = EntryWithNumber(fill, c.number);
            EXPECT_EQ(entry, std::string("SANTIAGO\t") + c.number) << where;
            StationSearch search = FindStationByNumber(db.dir(), table, ParseStationNumberText(c.number));
            EXPECT_EQ(search.list_text, entry) << where;
            for (const std::string& chosen : {entry, search.list_text}) {
                StationData s = PreviousStation();
                StationImport result = ImportStationFromDatabase(db.dir(), table, chosen, s);
                EXPECT_TRUE(result.messages.empty()) << where;
                EXPECT_EQ(FieldText(s.record.station_number), std::string("   ") + c.number) << where;
                EXPECT_EQ(s.record.elevation_m, c.elevation) << where;
                EXPECT_EQ(s.record.precip_mm[1], c.precip) << where;
                EXPECT_EQ(s.record.temp_c[1], c.temp) << where;
            }
            StationData by_number = PreviousStation();
            ImportPickedStation(db.dir(), table, NumberPick(ParseStationNumberText(c.number)), by_number);
            EXPECT_EQ(by_number.record.elevation_m, c.elevation) << where;
            EXPECT_EQ(by_number.record.temp_c[1], c.temp) << where;
        }
    }
}

TEST_F(Import, TemperatureRecordOfThePickedNumberOrElseOfTheName) {
    Namesakes n("152");
    StationColumns temp_only = n.second;
    temp_only.number = "   70000";
    struct Case {
        const char* what;
        std::vector<std::string> temps;
        float expected;  // 0: no temperature record
    };
    const Case cases[] = {
        // The number has no TEMP.DAT record: the first of the name.
        {"other number", {Namesakes::Temp(temp_only, 3.0f)}, 3.0f},
        {"own number after another", {Namesakes::Temp(temp_only, 3.0f), Namesakes::Temp(n.second, 2.0f)}, 2.0f},
        // The number is there under another name: not this station's.
        {"number of another name", {Namesakes::Temp([&] { StationColumns o = n.second; o.name = "ELSEWHERE"; return o; }(), 4.0f)}, 0.0f},
    };
    db.WritePrecip({Namesakes::Precip(n.first, 10.0f), Namesakes::Precip(n.second, 20.0f)});
    for (const Case& c : cases) {
        db.WriteTemp(c.temps);
        StationData s = PreviousStation();
        StationImport result = ImportStationFromDatabase(db.dir(), table, "SANTIAGO\t85580", s);
        EXPECT_EQ(s.record.elevation_m, 9) << c.what;
        EXPECT_EQ(s.record.temp_c[1], c.expected) << c.what;
        EXPECT_EQ(result.messages.size(), c.expected == 0.0f ? 1u : 0u) << c.what;
    }
}

// Pairing whole files (the atlas) takes, for every PRECIP.DAT record, the
// TEMP.DAT record that picking the record in the station list imports:
// numbers shared by several names, a number TEMP.DAT lacks, names cut by
// a NUL or padded with blanks, a blank name, a number without digits,
// tabs in a name or a number.
TEST_F(Import, PairingWholeFilesTakesWhatEachPickImports) {
    auto columns = [](const std::string& name, const std::string& number) {
        StationColumns c;
        c.code = "276";
        c.name = name;
        c.number = number;
        c.latitude = " 50.00";
        return c;
    };
    const StationColumns precips[] = {
        columns("ALPHA", "   10001"), columns("ALPHA", "   10002"), columns("BETA", "   10003"),
        columns("GAMMA", "   10004"), columns("", "   10005"),      columns("DELTA", "    ----"),
        columns("EPS", "   10007"),   columns("ZETA", "   10009"),
        columns("TAB\tIN", "   10010"), columns("KAPPA", "   10\t11"),  // the pick splits at the last tab
    };
    const StationColumns temps[] = {
        columns("OTHER", "   10002"), columns("ALPHA", "   10001"), columns("BETA", "   99999"),
        columns("BETA", "   10008"),  columns(std::string("GAMMA\0junk", 10), "   10004"),
        columns("X", "   10005"),     columns("DELTA", "   55555"), columns("EPS2", "   10007"),
        columns("EPS", "   10007"),   columns("TAB\tIN", "   10010"), columns("KAPPA\t10", "      11"),
    };
    const std::int64_t expected[] = {1, -1, 2, 4, 5, 6, 8, -1, 9, 10};
    std::vector<std::string> precip_records, temp_records;
    for (const StationColumns& c : precips) precip_records.push_back(PrecipRecord(c));
    for (std::size_t t = 0; t < std::size(temps); ++t) {
        std::string r = StationRecordText(temps[t]);
        PutBlock(r, 0, std::vector<float>(12, static_cast<float>(t + 1)));  // January tells the record
        temp_records.push_back(r);
    }
    db.WritePrecip(precip_records);
    db.WriteTemp(temp_records);
    std::string precip_bytes, temp_bytes;
    for (const std::string& r : precip_records) precip_bytes += r;
    for (const std::string& r : temp_records) temp_bytes += r;

    const std::vector<std::int64_t> pairs = PairTemperatureRecords(precip_bytes.data(), precip_records.size(),
                                                                   temp_bytes.data(), temp_records.size());
    ASSERT_EQ(pairs.size(), std::size(precips));
    // An index made in parts, in any order, pairs alike.
    for (int parts : {2, 3, 9}) {
        TemperaturePairing pairing(temp_bytes.data(), temp_records.size(), db_layout::kStationRecordSize, parts);
        for (int p = parts - 1; p >= 0; --p) pairing.MakePart(p);
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            EXPECT_EQ(pairing.PairOf(precip_records[i].data()), pairs[i]) << parts << " parts, record " << i;
        }
    }
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        EXPECT_EQ(pairs[i], expected[i]) << i;
        StationData s = PreviousStation();
        ImportStationFromDatabase(db.dir(), table, RecordListText(precip_records[i]), s);
        EXPECT_EQ(s.record.temp_c[1], static_cast<float>(pairs[i] + 1)) << "record " << i << " as picked";
    }
}

TEST(StationPick, ListTextsAndPicks) {
    EXPECT_EQ(StationListText(PadWithBlanks("GUNNARN", 24), "   02126"), "GUNNARN\t02126");
    EXPECT_EQ(StationListText(std::string("AB\0CD", 5), "        "), "AB\t");
    StationPick bare = ParseStationPick(PadWithBlanks("GUNNARN", 24));
    EXPECT_TRUE(bare.bare_name);
    EXPECT_FALSE(bare.by_number);
    StationPick picked = ParseStationPick("GUNNARN\t02128");
    EXPECT_FALSE(picked.bare_name);
    EXPECT_TRUE(picked.by_number);
    EXPECT_EQ(picked.name, "GUNNARN");
    EXPECT_EQ(picked.number, 2128);
    StationPick tab_in_name = ParseStationPick("A\tB\t123");
    EXPECT_EQ(tab_in_name.name, "A\tB");
    EXPECT_EQ(tab_in_name.number, 123);
    StationPick no_number = ParseStationPick("MEDELLIN\t");
    EXPECT_FALSE(no_number.by_number);
    EXPECT_EQ(no_number.name, "MEDELLIN");
}
