#include "database/data_files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdio>
#include <filesystem>
#include <string>

#include "database/country_table.h"
#include "station/file_io.h"
#include "tests/database_fixture.h"

namespace {

std::string TwoRecordFile() {
    std::string first = StationRecordText({});
    std::string second = StationRecordText({});
    PutValue(first, 5, 1, "1.5");
    PutValue(second, 5, 1, "-12.5");
    PutValue(second, 5, 12, "7");
    return first + second;
}

TEST(MonthlyBlock, ValueFieldsAndTheLastByte) {
    std::string block(97, ' ');
    block.replace(0, 8, "   -12.5");
    block.replace(8, 8, "    12,5");
    block.replace(24, 8, "12345678");  // a full field needs no separator
    block.replace(88, 8, "     3.5");
    block[96] = '7';
    MonthArray m;
    for (float& v : m) v = 99.0f;
    ParseMonthlyBlock(block.data(), block.size(), m);
    EXPECT_EQ(m[0], 99.0f);  // slot 0 is not touched
    EXPECT_EQ(m[1], -12.5f);
    EXPECT_EQ(m[2], 12.0f);
    EXPECT_EQ(m[3], 0.0f);  // blanks
    EXPECT_EQ(m[4], 12345678.0f);
    EXPECT_EQ(m[12], 3.5f);
    EXPECT_EQ(m[13], 7.0f);  // the year column comes from the last byte alone

    block[96] = '\n';
    ParseMonthlyBlock(block.data(), block.size(), m);
    EXPECT_EQ(m[13], 0.0f);
}

TEST(MonthlyBlock, BytesNotAvailableReadAsZero) {
    std::string block(97, ' ');
    block.replace(0, 8, "     1.0");
    block.replace(8, 8, "    22.0");
    MonthArray m = {};
    ParseMonthlyBlock(block.data(), 12, m);  // cuts January's neighbour short
    EXPECT_EQ(m[1], 1.0f);
    EXPECT_EQ(m[2], 0.0f);
}

// A block of a file's bytes at `offset`, parsed as the import parses the
// blocks of a record it has read: what lies beyond the end reads as 0.
void ParseBlockAt(const std::string& bytes, std::size_t offset, MonthArray& m) {
    const std::size_t available = offset < bytes.size() ? bytes.size() - offset : 0;
    ParseMonthlyBlock(bytes.data() + std::min(offset, bytes.size()), available, m);
}

TEST(MonthlyBlock, ReadAtAFileOffset) {
    const std::string file = TwoRecordFile();
    MonthArray m = {};
    ParseBlockAt(file, 1338 + 562, m);  // block 5 of the second record begins at byte 1900
    EXPECT_EQ(m[1], -12.5f);
    EXPECT_EQ(m[12], 7.0f);
    ParseBlockAt(file, 562, m);
    EXPECT_EQ(m[1], 1.5f);
    EXPECT_EQ(m[12], 0.0f);

    MonthArray beyond;
    for (float& v : beyond) v = 5.0f;
    ParseBlockAt(file, 2 * 1338 + 10, beyond);  // wholly beyond the end
    for (int i = 1; i <= 13; ++i) EXPECT_EQ(beyond[i], 0.0f) << i;
}

TEST(MonthlyBlock, PartlyBeyondTheEnd) {
    std::string bytes(20, ' ');
    bytes.replace(0, 8, "     4.5");
    MonthArray m;
    for (float& v : m) v = 5.0f;
    ParseBlockAt(bytes, 0, m);
    EXPECT_EQ(m[1], 4.5f);
    for (int i = 2; i <= 13; ++i) EXPECT_EQ(m[i], 0.0f) << i;
}

TEST(CountryTable, EmptyFileGivesNoCountries) {
    TestDatabase db;
    db.WriteCountries({});
    CountryTable table;
    table.entries.push_back({"XXX", "OLD"});
    EXPECT_EQ(LoadCountryTable(db.dir(), table), DataFileStatus::ok);
    EXPECT_EQ(table.country_count(), 0u);
    EXPECT_EQ(FindCountryByCode(table, "XXX"), nullptr);
    EXPECT_EQ(FindCountryByName(table, ""), nullptr);
}

TEST(CountryTable, LongNamesDuplicatesAndNoLimitOnTheCount) {
    TestDatabase db;
    std::string long_name = "UNITED KINGDOM OF GREAT BRITAIN AND NORTHERN IRELAND";
    std::vector<std::string> records = {
        CountryRecord("826", long_name),
        CountryRecord("152", "CHILE"),
        CountryRecord("999", long_name.substr(0, 31) + " (SECOND)"),  // same first 31 characters
        CountryRecord("152", "CHILE AGAIN"),                      // same code
    };
    for (int i = 0; i < 300; ++i) records.push_back(CountryRecord(std::to_string(1000 + i).substr(1), "LAND " + std::to_string(i)));
    records.push_back("partial");  // not a whole record: ignored
    db.WriteCountries(records);

    CountryTable table;
    ASSERT_EQ(LoadCountryTable(db.dir(), table), DataFileStatus::ok);
    ASSERT_EQ(table.country_count(), 304u);
    EXPECT_EQ(std::string(table.entries[0].name), long_name.substr(0, 31));
    EXPECT_EQ(std::string(table.entries[0].code), "826");
    EXPECT_EQ(std::string(table.entries[1].name), "CHILE" + std::string(26, ' '));

    // The list's 60-character text finds its slot: only 31 characters count.
    std::string list_text = long_name + std::string(60 - long_name.size(), ' ');
    EXPECT_EQ(FindCountryByName(table, list_text), &table.entries[0]);
    EXPECT_EQ(FindCountryByName(table, list_text.substr(0, 31) + " (SECOND)"), &table.entries[0]);
    EXPECT_EQ(FindCountryByCode(table, "152"), &table.entries[1]);
    EXPECT_EQ(FindCountryByCode(table, "152 rest ignored"), &table.entries[1]);
    EXPECT_EQ(FindCountryByCode(table, "15"), nullptr);
    // Countries after the 256th are there too.
    EXPECT_EQ(FindCountryByCode(table, "299"), &table.entries[303]);
    EXPECT_EQ(std::string(FindCountryByName(table, "LAND 299" + std::string(52, ' '))->code), "299");
}

TEST(CountryTable, ANulInTheFileEndsACopy) {
    TestDatabase db;
    std::string record = CountryRecord("0X7", "AB");
    record[13] = '\0';
    record[18] = '\0';
    db.WriteCountries({record});
    CountryTable table;
    LoadCountryTable(db.dir(), table);
    ASSERT_EQ(table.country_count(), 1u);
    EXPECT_EQ(std::string(table.entries[0].name), "A");
    EXPECT_EQ(std::string(table.entries[0].code), "0");
}

TEST(CountryTable, MissingFile) {
    TestDatabase db;
    CountryTable table;
    EXPECT_EQ(LoadCountryTable(db.dir(), table), DataFileStatus::cannot_open);
    EXPECT_EQ(table.country_count(), 0u);
}

TEST(DatabaseCheck, ReportsTheFirstMissingFile) {
    struct Case {
        bool country, precip, temp;
        const char* text;
        const char* caption;
    } cases[] = {
        {false, false, false, "Error: Datafile 'COUNTRY.DAT' could not be found!", "Varnok 32: Terminating application"},
        {true, false, false, "Error: Datafile 'PRECIP.DAT' could not be found!", "Varnok 32: Terminating application"},
        {true, true, false, "Error: Datafile 'TEMP.DAT' could not be found!", "Varnok 32: Terminating application."},
        {false, true, true, "Error: Datafile 'COUNTRY.DAT' could not be found!", "Varnok 32: Terminating application"},
    };
    for (const Case& c : cases) {
        TestDatabase db;
        if (c.country) db.WriteCountries({});
        if (c.precip) db.WritePrecip({});
        if (c.temp) db.WriteTemp({});
        DatabaseCheck check = CheckDatabaseFiles(db.dir());
        EXPECT_FALSE(check.ok);
        EXPECT_EQ(check.message.text, c.text);
        EXPECT_EQ(check.message.caption, c.caption);
    }
    TestDatabase db;
    db.WriteCountries({});
    db.WritePrecip({});
    db.WriteTemp({});
    EXPECT_TRUE(CheckDatabaseFiles(db.dir()).ok);
}

TEST(DatabaseFiles, FoundWhateverTheCaseOfTheirNames) {
    TestDatabase db;
    db.WriteCountries({CountryRecord("152", "CHILE")}, "country.dat");
    db.WritePrecip({StationRecordText({})}, "Precip.Dat");
    db.WriteTemp({}, "temp.DAT");
    EXPECT_TRUE(CheckDatabaseFiles(db.dir()).ok);
    CountryTable table;
    EXPECT_EQ(LoadCountryTable(db.dir(), table), DataFileStatus::ok);
    EXPECT_EQ(table.country_count(), 1u);
#ifndef _WIN32
    // Where names differ by case the path names the file as it is spelled;
    // Windows finds it under any spelling.
    EXPECT_EQ(DataFilePath(db.dir(), DataFile::precip), db.File("Precip.Dat"));
    // The usual spelling wins over another.
    db.WritePrecip({}, "PRECIP.DAT");
    EXPECT_EQ(DataFilePath(db.dir(), DataFile::precip), db.File("PRECIP.DAT"));
    EXPECT_EQ(DataFilePath(db.dir(), DataFile::temp), db.File("temp.DAT"));
#endif
}

TEST(RecordScan, WholeRecordsOnlyInFileOrder) {
    TestDatabase db;
    std::vector<std::string> records;
    for (int i = 0; i < 300; ++i) {
        StationColumns c;
        c.name = "S" + std::to_string(i);
        records.push_back(StationRecordText(c));
    }
    records.push_back(std::string(1337, 'X'));  // one byte short of a record
    db.WritePrecip(records);
    std::int64_t count = -1;
    std::vector<std::int64_t> seen;
    DataFileStatus status = ScanStationRecords(db.File("PRECIP.DAT"), [&](const StationRecordBytes& r) {
        EXPECT_EQ(r.Header(36).substr(12, 24), PadWithBlanks("S" + std::to_string(r.index), 24));
        seen.push_back(r.index);
        return r.index == 250;
    }, &count);
    EXPECT_EQ(status, DataFileStatus::ok);
    EXPECT_EQ(count, 300);
    ASSERT_EQ(seen.size(), 251u);
    EXPECT_EQ(seen.back(), 250);

    seen.clear();
    ScanStationRecords(db.File("PRECIP.DAT"), [&](const StationRecordBytes& r) {
        seen.push_back(r.index);
        return false;
    });
    EXPECT_EQ(seen.size(), 300u);
}

class FailingReads : public ::testing::Test {
protected:
    void TearDown() override { SetFileOps(nullptr); }
    // Reads stop after 400 records' worth of bytes, as when a medium is taken out.
    static std::size_t ShortRead(void* b, std::size_t n, std::FILE* f) {
        static std::size_t total = 0;
        if (std::ftell(f) == 0) total = 0;
        std::size_t allowed = 400 * 1338 > total ? 400 * 1338 - total : 0;
        std::size_t got = DefaultFileOps().read(b, n < allowed ? n : allowed, f);
        total += got;
        return got;
    }
};

TEST_F(FailingReads, AScanThatCannotReadOnEndsWithAStatus) {
    TestDatabase db;
    db.WritePrecip(std::vector<std::string>(1000, StationRecordText({})));
    FileOps ops = DefaultFileOps();
    ops.read = &ShortRead;
    SetFileOps(&ops);
    std::int64_t visited = 0;
    DataFileStatus status = ScanStationRecords(db.File("PRECIP.DAT"), [&](const StationRecordBytes&) {
        ++visited;
        return false;
    });
    EXPECT_EQ(status, DataFileStatus::read_failed);
    EXPECT_EQ(visited, 400);
    UserMessage m = DataFileProblemMessage(DataFile::precip, status);
    EXPECT_EQ(m.text, "Datafile 'PRECIP.DAT' could not be read completely!");
    EXPECT_EQ(m.caption, "Error reading Datafile.");

    EXPECT_EQ(ScanStationRecords(db.File("NONE.DAT"), [](const StationRecordBytes&) { return false; }),
              DataFileStatus::cannot_open);
    EXPECT_EQ(DataFileProblemMessage(DataFile::temp, DataFileStatus::cannot_open).text,
              "Datafile 'TEMP.DAT' could not be opened!");
}

}  // namespace
