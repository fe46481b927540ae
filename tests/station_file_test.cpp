#include "station/station_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>
#include <filesystem>

#include "station/file_io.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif
#include "tests/test_support.h"

namespace {

StationRecord SampleRecord() {
    StationRecord r = MakeStartupRecord();
    SetFieldText(r.station_name, "POTSDAM");
    SetFieldText(r.station_number, "10379");
    SetFieldText(r.country_name, "GERMANY");
    SetFieldText(r.lat_hemisphere, "S");  // contradicts the latitude below
    SetFieldText(r.lon_hemisphere, "E");
    r.latitude = 52.23f;
    r.longitude = 13.04f;
    r.elevation_m = 81;
    for (int i = 1; i <= 12; ++i) {
        r.temp_c[i] = static_cast<float>(i) - 2.5f;
        r.precip_mm[i] = 40.0f + static_cast<float>(i);
    }
    r.diagram_mode = 0;
    r.month_labels = 1;
    return r;
}

TEST(StationFile, SaveAndOpenGiveBackTheSameBytes) {
    ScratchDir dir;
    StationRecord saved = SampleRecord();
    ASSERT_EQ(WriteStationFile(dir.File("a.cli"), saved), StationFileResult::ok);
    EXPECT_EQ(ReadBytes(dir.File("a.cli")).size(), 660u);

    StationData opened;
    opened.record = MakeStartupRecord();
    ASSERT_EQ(ReadStationFile(dir.File("a.cli"), opened.record), StationFileResult::ok);
    EXPECT_EQ(ImageOf(opened.record), ImageOf(saved));

    FinishOpenedStation(opened);
    EXPECT_EQ(FieldText(opened.record.lat_hemisphere), "N");  // recomputed from the sign
    EXPECT_EQ(opened.record.diagram_mode, 0);
    EXPECT_EQ(opened.annual_precip_mm, 558.0f);
}

TEST(StationFile, StartupRecordReadsBackAsNoDataset) {
    ScratchDir dir;
    ASSERT_EQ(WriteStationFile(dir.File("start.cli"), MakeStartupRecord()), StationFileResult::ok);
    StationData s;
    s.record = SampleRecord();
    ASSERT_EQ(ReadStationFile(dir.File("start.cli"), s.record), StationFileResult::ok);
    FinishOpenedStation(s);
    EXPECT_EQ(FieldText(s.record.station_name), "NO DATASET");
    EXPECT_EQ(FieldText(s.record.lat_hemisphere), "N");
    EXPECT_EQ(FieldText(s.record.lon_hemisphere), "E");
}

TEST(StationFile, AnyNonzeroDiagramModeOpensAsDiagram) {
    StationData s;
    s.record = SampleRecord();
    s.record.diagram_mode = 7;
    FinishOpenedStation(s);
    EXPECT_EQ(s.record.diagram_mode, 1);
}

TEST(StationFile, ShortAndEmptyFilesLeaveTheRecordExactlyAsItWas) {
    ScratchDir dir;
    StationRecord r = SampleRecord();
    const RecordImage before = ImageOf(r);
    for (std::size_t size : {0u, 1u, 100u, 659u}) {
        WriteBytes(dir.File("short.cli"), std::vector<std::uint8_t>(size, 0x41));
        EXPECT_EQ(ReadStationFile(dir.File("short.cli"), r), StationFileResult::too_short) << size;
        EXPECT_EQ(ImageOf(r), before) << size;
    }
    std::string message = DescribeStationFileResult(StationFileResult::too_short, "x/short.cli");
    EXPECT_NE(message.find("x/short.cli"), std::string::npos);
}

TEST(StationFile, LongerFileGivesItsFirst660Bytes) {
    ScratchDir dir;
    RecordImage image = ImageOf(SampleRecord());
    std::vector<std::uint8_t> bytes(image.begin(), image.end());
    bytes.resize(2000, 0xEE);
    WriteBytes(dir.File("long.cli"), bytes);
    StationRecord r = MakeStartupRecord();
    ASSERT_EQ(ReadStationFile(dir.File("long.cli"), r), StationFileResult::ok);
    EXPECT_EQ(ImageOf(r), image);
}

TEST(StationFile, MissingFileCannotBeOpened) {
    ScratchDir dir;
    StationRecord r = SampleRecord();
    const RecordImage before = ImageOf(r);
    EXPECT_EQ(ReadStationFile(dir.File("none.cli"), r), StationFileResult::cannot_open);
    EXPECT_EQ(ImageOf(r), before);
}

TEST(StationFile, NameWithoutExtensionIsKeptAsTyped) {
    ScratchDir dir;
    ASSERT_EQ(WriteStationFile(dir.File("plain"), SampleRecord()), StationFileResult::ok);
    EXPECT_TRUE(std::filesystem::exists(dir.File("plain")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("plain.cli")));
}

TEST(StationFile, UncreatableFileIsReported) {
    ScratchDir dir;
    EXPECT_EQ(WriteStationFile(dir.File("no/such/folder/x.cli"), SampleRecord()),
              StationFileResult::cannot_create);
}

// Failures a real disk does not produce on demand, through the file seam.
class FailingWrites : public ::testing::Test {
protected:
    void TearDown() override { SetFileOps(nullptr); }
    static std::size_t ShortWrite(const void* b, std::size_t n, std::FILE* f) {
        return DefaultFileOps().write(b, n / 2, f);
    }
    static int FailingClose(std::FILE* f) {
        DefaultFileOps().close(f);
        return -1;  // as when the final flush finds the disk full
    }
};

TEST_F(FailingWrites, ShortWriteIsReported) {
    ScratchDir dir;
    FileOps ops = DefaultFileOps();
    ops.write = &ShortWrite;
    SetFileOps(&ops);
    EXPECT_EQ(WriteStationFile(dir.File("a.cli"), SampleRecord()), StationFileResult::write_failed);
}

TEST_F(FailingWrites, FailedCloseIsReported) {
    ScratchDir dir;
    FileOps ops = DefaultFileOps();
    ops.close = &FailingClose;
    SetFileOps(&ops);
    EXPECT_EQ(WriteStationFile(dir.File("a.cli"), SampleRecord()), StationFileResult::write_failed);
}

// A save that fails at any point leaves the file that was there byte for
// byte and no temporary file beside it; each failure point is provoked
// through the seam, the first save of a new file too.
class AtomicSave : public ::testing::Test {
protected:
    void TearDown() override { SetFileOps(nullptr); }

    // Opening for writing fails; reading (the name checks) still works.
    static std::FILE* NoCreate(const char* path, const char* mode) {
        if (mode[0] == 'w') return nullptr;
        return DefaultFileOps().open(path, mode);
    }
    static std::FILE* NoUpdate(const char* path, const char* mode) {
        if (std::string(mode) == "r+b") return nullptr;
        return DefaultFileOps().open(path, mode);
    }
    static std::size_t ShortWrite(const void* b, std::size_t n, std::FILE* f) {
        return DefaultFileOps().write(b, n - 1, f);
    }
    static int FailingFlush(std::FILE*) { return -1; }
    static int FailingClose(std::FILE* f) {
        DefaultFileOps().close(f);
        return -1;
    }
    static int FailingMove(const char*, const char*) { return -1; }

    static std::vector<std::string> FolderContents(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(AtomicSave, EveryFailurePointKeepsTheOldFileAndLeavesNoTemporaryFile) {
    struct Case {
        const char* name;
        void (*provoke)(FileOps& ops);
        StationFileResult expected;      // over an existing file
        StationFileResult expected_new;  // where there was no file yet
    };
    const Case cases[] = {
        {"create", [](FileOps& o) { o.open = &NoCreate; }, StationFileResult::cannot_create,
         StationFileResult::cannot_create},
        {"read-only target", [](FileOps& o) { o.open = &NoUpdate; }, StationFileResult::cannot_create,
         StationFileResult::ok},
        {"short write", [](FileOps& o) { o.write = &ShortWrite; }, StationFileResult::write_failed,
         StationFileResult::write_failed},
        {"flush", [](FileOps& o) { o.flush = &FailingFlush; }, StationFileResult::write_failed,
         StationFileResult::write_failed},
        {"close", [](FileOps& o) { o.close = &FailingClose; }, StationFileResult::write_failed,
         StationFileResult::write_failed},
        {"move", [](FileOps& o) { o.move_over = &FailingMove; }, StationFileResult::write_failed,
         StationFileResult::write_failed},
    };
    for (const Case& c : cases) {
        for (bool existing : {true, false}) {
            ScratchDir dir;
            const std::string target = dir.File("station.cli");
            const std::vector<std::uint8_t> old_bytes = {'o', 'l', 'd', 0, 0xFF};
            if (existing) WriteBytes(target, old_bytes);
            const std::vector<std::string> before = FolderContents(dir.path());
            FileOps ops = DefaultFileOps();
            c.provoke(ops);
            SetFileOps(&ops);
            StationFileResult result = WriteStationFile(target, SampleRecord());
            SetFileOps(nullptr);
            const StationFileResult expected = existing ? c.expected : c.expected_new;
            EXPECT_EQ(result, expected) << c.name << " existing=" << existing;
            if (expected == StationFileResult::ok) continue;
            EXPECT_EQ(FolderContents(dir.path()), before) << c.name << " existing=" << existing;
            if (existing) {
                EXPECT_EQ(ReadBytes(target), old_bytes) << c.name;
            }
        }
    }
}

TEST_F(AtomicSave, ASuccessfulSaveReplacesTheFileAndLeavesNothingElse) {
    ScratchDir dir;
    const std::string target = dir.File("station.cli");
    WriteBytes(target, std::vector<std::uint8_t>(2000, 'x'));  // longer than a record
    WriteBytes(target + ".~1.tmp", {'k', 'e', 'e', 'p'});       // a user's file of that name
    ASSERT_EQ(WriteStationFile(target, SampleRecord()), StationFileResult::ok);
    RecordImage image;
    SerializeRecord(SampleRecord(), image);
    EXPECT_EQ(ReadBytes(target), std::vector<std::uint8_t>(image.begin(), image.end()));
    EXPECT_EQ(ReadBytes(target + ".~1.tmp"), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(FolderContents(dir.path()), (std::vector<std::string>{"station.cli", "station.cli.~1.tmp"}));
}

TEST_F(AtomicSave, AWriterCallbackSavesAnyContent) {
    ScratchDir dir;
    const std::string target = dir.File("picture.emf");
    EXPECT_EQ(SaveFileReplacing(target, [](const FileOps& ops, std::FILE* f) {
                  return ops.write("EMF", 3, f) == 3 && ops.write("!", 1, f) == 1;
              }),
              SaveStatus::ok);
    EXPECT_EQ(ReadBytes(target), (std::vector<std::uint8_t>{'E', 'M', 'F', '!'}));
    EXPECT_EQ(SaveFileReplacing(target, [](const FileOps&, std::FILE*) { return false; }),
              SaveStatus::write_failed);
    EXPECT_EQ(ReadBytes(target), (std::vector<std::uint8_t>{'E', 'M', 'F', '!'}));
    EXPECT_EQ(FolderContents(dir.path()), std::vector<std::string>{"picture.emf"});
}

#ifndef _WIN32
// The temporary file is created exclusively: a link planted under its name
// (to a file of the user's, or dangling) is never written through; the
// replaced file keeps its permissions.
TEST_F(AtomicSave, APlantedLinkIsNeverFollowedAndPermissionsStay) {
    ScratchDir dir;
    const std::string target = dir.File("station.cli");
    const std::string victim = dir.File("victim.txt");
    WriteBytes(victim, {'m', 'i', 'n', 'e'});
    WriteBytes(target, {'o', 'l', 'd'});
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(symlink(victim.c_str(), (target + ".~1.tmp").c_str()), 0);
    ASSERT_EQ(symlink(dir.File("nothing").c_str(), (target + ".~2.tmp").c_str()), 0);
    ASSERT_EQ(WriteStationFile(target, SampleRecord()), StationFileResult::ok);
    EXPECT_EQ(ReadBytes(victim), (std::vector<std::uint8_t>{'m', 'i', 'n', 'e'}));
    EXPECT_EQ(ReadBytes(target).size(), kRecordSize);
    struct stat info;
    ASSERT_EQ(lstat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(FolderContents(dir.path()),
              (std::vector<std::string>{"station.cli", "station.cli.~1.tmp", "station.cli.~2.tmp", "victim.txt"}));
}
#endif

#ifdef _WIN32
// Paths are UTF-8 whatever the ANSI code page; a replaced file keeps its
// attributes (ReplaceFileW).
TEST_F(AtomicSave, AnyScriptInThePathAndTheOldAttributesStay) {
    ScratchDir dir;
    const std::string target = dir.File("\xC5\x81\xC3\xB3" "d\xC5\xBA \xCE\xA9 \xE6\x9D\xB1\xE4\xBA\xAC.cli");
    ASSERT_EQ(WriteStationFile(target, SampleRecord()), StationFileResult::ok);
    StationRecord read;
    ASSERT_EQ(ReadStationFile(target, read), StationFileResult::ok);
    std::wstring wide(MAX_PATH, L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, target.c_str(), -1, &wide[0], static_cast<int>(wide.size())) - 1));
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(WriteStationFile(target, SampleRecord()), StationFileResult::ok);
    // Wine's ReplaceFileW does not carry the attributes over (Windows does).
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    if (!wine) {
        EXPECT_TRUE(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    }
    const std::filesystem::directory_iterator entries(dir.path());
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1);
}
#endif

}  // namespace
