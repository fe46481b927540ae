// Start-up of the program: the folder of the station database, and the
// station file named on the command line, opened as command 10 opens the
// one chosen in its dialog.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/logic/commands.h"
#include "app/logic/database_folder.h"
#include "app_fake_shell.h"
#include "resources/resource_ids.h"
#include "station/station_file.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

TEST(DatabaseFolder, FolderOfPath) {
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"C:\\Program Files\\Varnok 32\\Varnok32.exe", "C:\\Program Files\\Varnok 32\\"},
        {"Z:/tmp/a b/Varnok32.exe", "Z:/tmp/a b/"},
        {"C:\\mixed/sep\\x.exe", "C:\\mixed/sep\\"},
        {"Varnok32.exe", ""},
        {"", ""},
        {"\\Varnok32.exe", "\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(FolderOfPath(c.path), c.folder) << c.path;
}

// Runs the choice with `start` as the working folder, as the program does
// before its window opens.
struct DatabaseFolderTest : ::testing::Test {
    ScratchDir start;
    ScratchDir program;
    fs::path saved = fs::current_path();

    void TearDown() override { fs::current_path(saved); }
    std::string Choose(const std::string& exe, bool station_file_given = false) {
        fs::current_path(start.path());
        return ChooseDatabaseFolder(exe, station_file_given);
    }
    std::string Exe() const { return program.File("Varnok32.exe"); }
    static void PutDatabase(const ScratchDir& dir, const char* country = "COUNTRY.DAT") {
        for (const char* name : {country, "PRECIP.DAT", "TEMP.DAT"}) WriteText(dir.File(name), "x");
    }
    std::string StartFolder() const {
        fs::current_path(start.path());
        return fs::current_path().u8string() + static_cast<char>(fs::path::preferred_separator);
    }
};

TEST_F(DatabaseFolderTest, TheWorkingFolderWinsWhenItHoldsTheDatabase) {
    for (const char* name : {"COUNTRY.DAT", "country.dat"}) {
        PutDatabase(start, name);
        PutDatabase(program);
        // Absolute: a file dialog that changes the working folder does not move it.
        EXPECT_EQ(Choose(Exe()), StartFolder()) << name;
        fs::remove(start.File(name));
    }
}

TEST_F(DatabaseFolderTest, OtherwiseTheExecutablesFolder) {
    // A station file double-clicked in another folder: the program starts there.
    PutDatabase(program, "Country.Dat");
    EXPECT_EQ(Choose(Exe()), program.path() + "/");
    // A folder counts only with all three files.
    WriteText(start.File("COUNTRY.DAT"), "x");
    WriteText(start.File("TEMP.DAT"), "x");
    EXPECT_EQ(Choose(Exe()), program.path() + "/");
}

TEST_F(DatabaseFolderTest, WithAStationFileOnlyTheExecutablesFolder) {
    // A COUNTRY.DAT planted beside a double-clicked station file is not read.
    PutDatabase(start);
    PutDatabase(program);
    EXPECT_EQ(Choose(Exe(), true), program.path() + "/");
    // Even when the executable's folder lacks a file: the start-up check names it there.
    fs::remove(program.File("TEMP.DAT"));
    EXPECT_EQ(Choose(Exe(), true), program.path() + "/");
}

TEST_F(DatabaseFolderTest, NeitherHoldsItTheWorkingFolderStays) {
    WriteText(program.File("COUNTRY.DAT"), "x");
    EXPECT_EQ(Choose(Exe()), StartFolder());
    EXPECT_EQ(Choose(""), StartFolder());
    EXPECT_EQ(Choose("Varnok32.exe"), StartFolder());
}

TEST(DatabaseFolder, StartNamesLieInTheGivenFolder) {
    const struct {
        const char* name;
        const char* folder;
        const char* placed;
    } cases[] = {
        {"Own station.cli", "C:\\Users\\Ann\\Documents", "C:\\Users\\Ann\\Documents\\Own station.cli"},
        {"Climate station.emf", "C:\\Users\\Ann\\Documents\\", "C:\\Users\\Ann\\Documents\\Climate station.emf"},
        {"Own station.cli", "", "Own station.cli"},
        {"D:\\Data\\Own station.cli", "C:\\Docs", "D:\\Data\\Own station.cli"},
        {"D:x.cli", "C:\\Docs", "D:x.cli"},
    };
    for (const auto& c : cases) EXPECT_EQ(PlaceInFolder(c.name, c.folder), c.placed) << c.name;
}

TEST(StationFileArgument, OnlyASingleArgumentIsAStationFile) {
    using Args = std::vector<std::string>;
    EXPECT_EQ(StationFileArgument(Args{}), "");
    EXPECT_EQ(StationFileArgument(Args{"Varnok32.exe"}), "");
    EXPECT_EQ(StationFileArgument(Args{"Varnok32.exe", "C:\\My Files\\Berlin.cli"}), "C:\\My Files\\Berlin.cli");
    EXPECT_EQ(StationFileArgument(Args{"Varnok32.exe", "a.cli", "b.cli"}), "");
}

// The command-line open and command 10 after a choice in the dialog give
// the same station, the same messages and the same window calls.
TEST(OpenStationFileAt, DoesWhatTheOpenCommandDoesAfterItsDialog) {
    ScratchDir dir;
    StationRecord table = MakeStartupRecord();
    SetFieldText(table.station_name, "TABLE STATION");
    table.diagram_mode = 0;
    ASSERT_EQ(WriteStationFile(dir.File("table.cli"), table), StationFileResult::ok);
    StationRecord diagram = table;
    SetFieldText(diagram.station_name, "DIAGRAM STATION");
    diagram.diagram_mode = 1;
    ASSERT_EQ(WriteStationFile(dir.File("diagram station.cli"), diagram), StationFileResult::ok);
    WriteBytes(dir.File("short.cli"), std::vector<std::uint8_t>(659, 0x41));

    const struct {
        const char* name;
        const char* station;  // the station shown afterwards
        bool reported;
    } cases[] = {
        {"table.cli", "TABLE STATION", false},
        {"diagram station.cli", "DIAGRAM STATION", false},
        {"short.cli", "NO DATASET", true},
        {"missing.cli", "NO DATASET", true},
    };
    for (const auto& c : cases) {
        std::string path = dir.File(c.name);
        AppState by_dialog = MakeStartupState(96);
        FakeShell dialog_shell;
        dialog_shell.file_choice = path;
        ASSERT_TRUE(RunCommand(by_dialog, dialog_shell, IDM_OPEN_STATION_FILE));

        AppState by_argument = MakeStartupState(96);
        FakeShell argument_shell;
        OpenStationFileAt(by_argument, argument_shell, path);

        EXPECT_EQ(FieldText(by_argument.station.record.station_name), c.station) << c.name;
        EXPECT_EQ(by_argument.station.record.diagram_mode, by_dialog.station.record.diagram_mode) << c.name;
        EXPECT_EQ(by_argument.station_file_name, path) << c.name;
        EXPECT_EQ(argument_shell.messages, dialog_shell.messages) << c.name;
        EXPECT_EQ(argument_shell.messages.size(), c.reported ? 1u : 0u) << c.name;
        // The same calls, less the dialog.
        std::vector<std::string> expected(dialog_shell.calls.begin() + 1, dialog_shell.calls.end());
        EXPECT_EQ(argument_shell.calls, expected) << c.name;
        EXPECT_EQ(argument_shell.status_text, dialog_shell.status_text) << c.name;
    }
}

}  // namespace
