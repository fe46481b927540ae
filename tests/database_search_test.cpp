#include "database/station_search.h"

#include <gtest/gtest.h>

#include "database/station_import.h"
#include "station/file_io.h"
#include "tests/database_fixture.h"

namespace {

std::string Station(const std::string& code, const std::string& number, const std::string& name) {
    StationColumns c;
    c.code = code;
    c.number = number;
    c.name = name;
    return StationRecordText(c);
}

CountryTable LoadedTable(const TestDatabase& db) {
    CountryTable table;
    LoadCountryTable(db.dir(), table);
    return table;
}

TEST(CountryList, SixtyCharacterTextsInFileOrder) {
    TestDatabase db;
    db.WriteCountries({CountryRecord("276", "GERMANY"), CountryRecord("152", "CHILE"), "short"});
    CountryListTexts list = ReadCountryListTexts(db.dir());
    EXPECT_EQ(list.status, DataFileStatus::ok);
    ASSERT_EQ(list.texts.size(), 2u);
    EXPECT_EQ(list.texts[0], PadWithBlanks("GERMANY", 60));
    EXPECT_EQ(list.texts[1], PadWithBlanks("CHILE", 60));
    EXPECT_EQ(CountriesCountText(list.texts.size()), " Countries: 2");
    EXPECT_EQ(ReadCountryListTexts(db.dir() + "/none").status, DataFileStatus::cannot_open);
}

TEST(StationList, AHundredAndTwentyRecords) {
    TestDatabase db;
    db.WriteCountries({CountryRecord("152", "CHILE"), CountryRecord("276", "GERMANY")});
    std::vector<std::string> records;
    for (int i = 0; i < 120; ++i) {
        bool chile = i % 40 == 7;
        records.push_back(Station(chile ? "152" : "276", "   " + std::to_string(10000 + i),
                                  chile ? "CHILE " + std::to_string(i) : "DE " + std::to_string(i)));
    }
    records.push_back(Station("152", "       1", "DUPLICATE"));  // a name twice: both listed
    records.push_back(Station("152", "       2", "DUPLICATE"));
    db.WritePrecip(records);
    CountryTable table = LoadedTable(db);

    std::string code = CountryCodeOfListText(table, PadWithBlanks("CHILE", 60));
    EXPECT_EQ(code, "152");
    StationListFill fill = FillStationList(db.dir(), code);
    EXPECT_EQ(fill.status, DataFileStatus::ok);
    EXPECT_EQ(fill.record_count, 122);
    std::vector<std::string> expected = {PadWithBlanks("CHILE 7", 24), PadWithBlanks("CHILE 47", 24),
                                         PadWithBlanks("CHILE 87", 24), PadWithBlanks("DUPLICATE", 24),
                                         PadWithBlanks("DUPLICATE", 24)};
    EXPECT_EQ(fill.names, expected);
    EXPECT_EQ(StationsAvailableText(fill.names.size()), " Stations available: 5");
}

// What a fill told its progress: the record count Start got (-1: none) and
// the counts of every Advance.
struct RecordedProgress final : FillProgress {
    int starts = 0;
    std::int64_t total = -1;
    std::vector<std::int64_t> positions;
    void Start(std::int64_t record_count) override {
        ++starts;
        total = record_count;
        EXPECT_TRUE(positions.empty()) << "Start after an Advance";
    }
    void Advance(std::int64_t records_read) override { positions.push_back(records_read); }
};

TEST(StationList, ProgressMovesDuringTheScanInAtMostAHundredSteps) {
    struct Case {
        std::int64_t records;
        std::string tail;  // bytes after the whole records
        std::size_t updates;
    };
    const Case cases[] = {{0, "", 1}, {0, "partial", 1}, {1, "", 1},         {99, "", 99},
                          {100, "", 100}, {101, "x", 51}, {122, "", 61}, {12345, "", 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.records);
        TestDatabase db;
        std::vector<std::string> records(static_cast<std::size_t>(c.records), Station("276", "   10000", "DE"));
        if (c.records > 0) records[records.size() / 2] = Station("152", "   85574", "SANTIAGO");
        records.push_back(c.tail);
        db.WritePrecip(records);

        RecordedProgress progress;
        StationListFill fill = FillStationList(db.dir(), "152", &progress);
        EXPECT_EQ(fill.status, DataFileStatus::ok);
        EXPECT_EQ(fill.record_count, c.records);
        EXPECT_EQ(fill.names.size(), c.records > 0 ? 1u : 0u);
        EXPECT_EQ(progress.starts, 1);
        EXPECT_EQ(progress.total, c.records);
        ASSERT_FALSE(progress.positions.empty());
        EXPECT_EQ(progress.positions.size(), c.updates);
        EXPECT_LE(progress.positions.size(), static_cast<std::size_t>(kFillProgressUpdates));
        EXPECT_EQ(progress.positions.back(), c.records);  // the bar ends full
        for (std::size_t i = 1; i < progress.positions.size(); ++i) {
            EXPECT_LT(progress.positions[i - 1], progress.positions[i]);
        }
    }
}

// The reads of PRECIP.DAT so far, and a limit after which they give nothing
// more (a medium taken out).
std::size_t reads_done = 0;
std::size_t bytes_left = 0;
std::size_t CountedRead(void* buffer, std::size_t size, std::FILE* file) {
    ++reads_done;
    std::size_t got = DefaultFileOps().read(buffer, size < bytes_left ? size : bytes_left, file);
    bytes_left -= got;
    return got;
}

class FillProgressReads : public ::testing::Test {
protected:
    void SetUp() override {
        reads_done = 0;
        ops_ = DefaultFileOps();
        ops_.read = &CountedRead;
        SetFileOps(&ops_);
        db_.WritePrecip(std::vector<std::string>(20000, Station("276", "   10000", "DE")));
    }
    void TearDown() override { SetFileOps(nullptr); }

    // Records the reads done at each Advance.
    struct ReadsAtAdvance final : FillProgress {
        std::vector<std::int64_t> positions;
        std::vector<std::size_t> reads;
        void Start(std::int64_t) override {}
        void Advance(std::int64_t records_read) override {
            positions.push_back(records_read);
            reads.push_back(reads_done);
        }
    };

    FileOps ops_;
    TestDatabase db_;
};

TEST_F(FillProgressReads, TheBarMovesBeforeTheFileIsRead) {
    bytes_left = static_cast<std::size_t>(-1);
    ReadsAtAdvance progress;
    StationListFill fill = FillStationList(db_.dir(), "276", &progress);
    EXPECT_EQ(fill.names.size(), 20000u);
    ASSERT_EQ(progress.positions.size(), 100u);
    EXPECT_EQ(progress.positions.front(), 200);
    EXPECT_EQ(progress.reads.front(), 1u);  // after the first buffer, not at the end
    EXPECT_LT(progress.reads[progress.reads.size() / 2], reads_done);
    EXPECT_EQ(progress.positions.back(), 20000);
}

TEST_F(FillProgressReads, AFillCutShortEndsWhereTheReadsStopped) {
    bytes_left = 5000 * 1338 + 10;
    ReadsAtAdvance progress;
    StationListFill fill = FillStationList(db_.dir(), "276", &progress);
    EXPECT_EQ(fill.status, DataFileStatus::read_failed);
    EXPECT_EQ(fill.names.size(), 5000u);
    ASSERT_FALSE(progress.positions.empty());
    EXPECT_EQ(progress.positions.back(), 5000);
    EXPECT_EQ(progress.positions.size(), 25u);
}

TEST(StationList, ACountryWithoutASlotListsNothing) {
    TestDatabase db;
    db.WriteCountries({CountryRecord("152", "CHILE")});
    db.WritePrecip({Station("152", "   85574", "SANTIAGO"), Station("   ", "       0", "NO CODE")});
    CountryTable table = LoadedTable(db);
    std::string code = CountryCodeOfListText(table, PadWithBlanks("ATLANTIS", 60));
    EXPECT_EQ(code, "");
    StationListFill fill = FillStationList(db.dir(), code);
    EXPECT_TRUE(fill.names.empty());
    EXPECT_EQ(fill.record_count, 2);
}

TEST(StationList, UnreadableFile) {
    TestDatabase db;
    StationListFill fill = FillStationList(db.dir(), "152");
    EXPECT_EQ(fill.status, DataFileStatus::cannot_open);
    EXPECT_TRUE(fill.names.empty());
    EXPECT_EQ(fill.record_count, 0);
}

TEST(NumberSearch, TypedNumbers) {
    EXPECT_EQ(ParseStationNumberText(""), 0);
    EXPECT_EQ(ParseStationNumberText("1234"), 1234);
    EXPECT_EQ(ParseStationNumberText("000000000000000123"), 0);  // only 15 characters are read
    EXPECT_EQ(ParseStationNumberText("99999999999"), 2147483647);
}

TEST(NumberSearch, FindsTheFirstRecordWithTheNumber) {
    TestDatabase db;
    db.WriteCountries({CountryRecord("152", "CHILE"), CountryRecord("276", "GERMANY")});
    db.WritePrecip({
        Station("276", "   10379", "POTSDAM"),
        Station("152", "   01234", "FIRST"),
        Station("276", "    1234", "SECOND"),
        Station("999", "   55555", "NO COUNTRY"),
        Station("276", "12345678", "9 DIGIT NAME"),  // the number reads on into the name
    });
    CountryTable table = LoadedTable(db);

    StationSearch s = FindStationByNumber(db.dir(), table, ParseStationNumberText("1234"));
    ASSERT_TRUE(s.found);
    EXPECT_EQ(s.station_name, PadWithBlanks("FIRST", 24));
    EXPECT_EQ(s.country_code, "152");
    EXPECT_EQ(s.country_name, PadWithBlanks("CHILE", 31));

    s = FindStationByNumber(db.dir(), table, 55555);
    ASSERT_TRUE(s.found);
    EXPECT_EQ(s.country_name, "");

    EXPECT_TRUE(FindStationByNumber(db.dir(), table, 123456789).found);
    s = FindStationByNumber(db.dir(), table, 12345678);
    EXPECT_FALSE(s.found);
    EXPECT_EQ(s.message.text, "WMO-stationnumber not found in database");
    EXPECT_EQ(s.message.caption, "Info");
    EXPECT_FALSE(FindStationByNumber(db.dir(), table, 0).found);  // an empty field
}

TEST(NumberSearch, UnreadableFileGivesItsOwnMessage) {
    TestDatabase db;
    StationSearch s = FindStationByNumber(db.dir(), CountryTable{}, 1);
    EXPECT_FALSE(s.found);
    EXPECT_EQ(s.status, DataFileStatus::cannot_open);
    EXPECT_EQ(s.message.text, "Datafile 'PRECIP.DAT' could not be opened!");
}

}  // namespace

namespace {

// Files of random bytes, digit runs and NULs: every reader gives some
// result and stays inside its buffers (the sanitizer build checks that).
TEST(MalformedDatabase, RandomBytesGiveDefinedResults) {
    std::uint32_t state = 12345;
    auto next = [&] { return state = state * 1664525u + 1013904223u; };
    const std::string alphabet = std::string("0123456789999999-+.eE ") + '\0' + "\t\xB0XYZ";
    for (int round = 0; round < 20; ++round) {
        TestDatabase db;
        std::string country, precip, temp;
        for (int i = 0; i < 79 * 3 + round; ++i) country += alphabet[next() % alphabet.size()];
        for (int i = 0; i < 1338 * 4 + round * 7; ++i) precip += alphabet[next() % alphabet.size()];
        temp = precip.substr(static_cast<std::size_t>(round));
        db.WriteCountries({country});
        db.WritePrecip({precip});
        db.WriteTemp({temp});

        CountryTable table;
        EXPECT_EQ(LoadCountryTable(db.dir(), table), DataFileStatus::ok);
        EXPECT_EQ(table.country_count(), 3u);
        for (const std::string& text : ReadCountryListTexts(db.dir()).texts) {
            StationListFill fill = FillStationList(db.dir(), CountryCodeOfListText(table, text));
            EXPECT_EQ(fill.record_count, 4);
        }
        StationSearch s = FindStationByNumber(db.dir(), table, 9999);
        StationData station;
        station.record = MakeStartupRecord();
        std::string name = s.found ? s.station_name : precip.substr(1338 + 12, 24);
        StationImport result = ImportStationFromDatabase(db.dir(), table, name, station);
        EXPECT_EQ(station.record.abs_min_c, result.imported ? -999.0f : 0.0f);
        EXPECT_EQ(station.record.lat_degrees >= 0, true);
        EXPECT_EQ(station.record.lon_degrees >= 0, true);
    }
}

}  // namespace
