// The command logic with a fake shell: view modes, colours, the x-axis,
// month labels, print scale, font, station files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <sstream>

#include "app/logic/commands.h"
#include "app/logic/menu_state.h"
#include "app_fake_shell.h"
#include "resources/resource_ids.h"
#include "station/station_file.h"
#include "test_support.h"

namespace {

struct CommandsTest : ::testing::Test {
    AppState state = MakeStartupState(96);
    FakeShell shell;

    void SetUp() override {
        state.drawing.char_width = 8;
        state.drawing.line_height = 16;
        state.diagram_rect = {0, 0, 380, 465};
    }
    void Run(int command) { ASSERT_TRUE(RunCommand(state, shell, command)) << command; }
    unsigned Flags(int command) const;
};

constexpr unsigned kChecked = 1;
constexpr unsigned kGrayed = 2;

// The item's state as the shell was last told it; 0 for an item not in the list.
unsigned CommandsTest::Flags(int command) const {
    for (const MenuItemState& item : shell.menu) {
        if (item.command == command) return (item.checked ? kChecked : 0u) | (item.grayed ? kGrayed : 0u);
    }
    return 0;
}

TEST_F(CommandsTest, ModeCommandsSetChecksGrayItemsStatusAndSize) {
    Run(IDM_SHOW_TABLE);
    EXPECT_EQ(state.station.record.diagram_mode, 0);
    EXPECT_EQ(Flags(IDM_SHOW_TABLE), kChecked);
    EXPECT_EQ(Flags(IDM_SHOW_DIAGRAM), 0u);
    EXPECT_EQ(Flags(IDM_AXIS_UP), kGrayed);
    EXPECT_EQ(Flags(IDM_AXIS_DOWN), kGrayed);
    EXPECT_EQ(Flags(IDM_MONTH_LABELS), kGrayed);
    EXPECT_EQ(shell.status_text, "Varnok 32 - data table");
    EXPECT_EQ(shell.calls.back(), "resize 952x468");  // 119 x char_width
    EXPECT_EQ(shell.calls[shell.calls.size() - 2], "invalidate diagram erase");

    shell.calls.clear();
    Run(IDM_SHOW_DIAGRAM);
    EXPECT_EQ(state.station.record.diagram_mode, 1);
    EXPECT_EQ(Flags(IDM_SHOW_DIAGRAM), kChecked);
    EXPECT_EQ(Flags(IDM_SHOW_TABLE), 0u);
    EXPECT_EQ(Flags(IDM_AXIS_UP), 0u);
    EXPECT_EQ(Flags(IDM_MONTH_LABELS), 0u);
    EXPECT_EQ(shell.status_text, "Varnok 32 - climate diagram");
    // Invalidated before the resize: the size change's repaint covers it,
    // and a main window that already has the size is repainted all the same.
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"menu", "status Varnok 32 - climate diagram",
                                                     "invalidate diagram erase", "resize 400x590"}));
}

TEST_F(CommandsTest, ColourCommandsReplaceThePensAndRepaintWithoutErase) {
    Run(IDM_MONOCHROME);
    EXPECT_TRUE(state.drawing.monochrome);
    EXPECT_EQ(Flags(IDM_MONOCHROME), kChecked);
    EXPECT_EQ(Flags(IDM_COLOURS), 0u);
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"menu", "pens black", "invalidate diagram"}));
    shell.calls.clear();
    Run(IDM_COLOURS);
    EXPECT_FALSE(state.drawing.monochrome);
    EXPECT_EQ(Flags(IDM_COLOURS), kChecked);
    EXPECT_EQ(Flags(IDM_MONOCHROME), 0u);
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"menu", "pens colour", "invalidate diagram"}));
}

TEST_F(CommandsTest, AxisUpStopsAtTheLimitOfA465PixelWindow) {
    // 465 - offset - 250 >= 4 * 16 allows offsets up to 150.
    const int expected[] = {125, 150, 150, 150};
    for (int offset : expected) {
        Run(IDM_AXIS_UP);
        EXPECT_EQ(state.drawing.axis_offset, offset);
    }
    EXPECT_EQ(shell.calls.back(), "invalidate main erase");
}

TEST_F(CommandsTest, AxisDownNeverGoesBelowFifty) {
    struct Case {
        int before, after;
    } cases[] = {{100, 75}, {75, 50}, {60, 50}, {50, 50}, {20, 50}};
    for (const Case& c : cases) {
        state.drawing.axis_offset = c.before;
        Run(IDM_AXIS_DOWN);
        EXPECT_EQ(state.drawing.axis_offset, c.after) << c.before;
    }
}

TEST_F(CommandsTest, AxisUpInATinyWindowKeepsTheMinimum) {
    state.diagram_rect = {0, 0, 0, 0};
    state.drawing.axis_offset = 50;
    Run(IDM_AXIS_UP);
    EXPECT_EQ(state.drawing.axis_offset, 50);
}

TEST_F(CommandsTest, MonthLabelsMarkShowsTheRecordsFlag) {
    Run(IDM_MONTH_LABELS);
    EXPECT_EQ(state.station.record.month_labels, 1);
    EXPECT_EQ(Flags(IDM_MONTH_LABELS), kChecked);
    EXPECT_EQ(shell.calls.back(), "invalidate diagram erase");
    Run(IDM_MONTH_LABELS);
    EXPECT_EQ(state.station.record.month_labels, 0);
    EXPECT_EQ(Flags(IDM_MONTH_LABELS), 0u);

    // A station file brought labels in: the item shows them checked, and
    // the next toggle takes them off.
    state.station.record.month_labels = 1;
    EXPECT_TRUE(IsCheckedAndEnabled(ComputeMenuState(state), IDM_MONTH_LABELS));
    Run(IDM_MONTH_LABELS);
    EXPECT_EQ(state.station.record.month_labels, 0);
    EXPECT_EQ(Flags(IDM_MONTH_LABELS), 0u);
}

TEST_F(CommandsTest, PrintScaleIsARadioGroup) {
    EXPECT_EQ(state.print_scale, 3);
    for (int command = IDM_PRINT_SCALE_1; command <= IDM_PRINT_SCALE_6; ++command) {
        shell.calls.clear();
        Run(command);
        EXPECT_EQ(state.print_scale, command - 30);
        for (int other = IDM_PRINT_SCALE_1; other <= IDM_PRINT_SCALE_FIT; ++other) {
            EXPECT_EQ(Flags(other), other == command ? kChecked : 0u) << command << " " << other;
        }
        EXPECT_EQ(shell.calls, std::vector<std::string>{"menu"});  // no repaint
    }
}

TEST_F(CommandsTest, FitToPageJoinsTheRadioGroup) {
    Run(IDM_PRINT_SCALE_5);
    shell.calls.clear();
    Run(IDM_PRINT_SCALE_FIT);
    EXPECT_EQ(shell.calls, std::vector<std::string>{"menu"});
    EXPECT_EQ(state.print_scale, kPrintScaleFitToPage);  // the page measures its own scale
    for (int other = IDM_PRINT_SCALE_1; other <= IDM_PRINT_SCALE_FIT; ++other) {
        EXPECT_EQ(Flags(other), other == IDM_PRINT_SCALE_FIT ? kChecked : 0u) << other;
    }
    shell.calls.clear();
    Run(IDM_PRINT);
    EXPECT_EQ(shell.calls, std::vector<std::string>{"print diagram"});
    Run(IDM_PRINT_SCALE_2);
    EXPECT_EQ(state.print_scale, 2);
    EXPECT_EQ(Flags(IDM_PRINT_SCALE_FIT), 0u);
    EXPECT_EQ(Flags(IDM_PRINT_SCALE_2), kChecked);
}

TEST_F(CommandsTest, FontCommandRepaintsWithTheChosenFontEvenAfterCancel) {
    Run(IDM_SELECT_FONT);
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"font dialog", "invalidate diagram erase"}));
    EXPECT_STREQ(state.drawing.display_font.face_name, "Arial");
    FontSpec chosen = state.drawing.display_font;
    std::strcpy(chosen.face_name, "Courier New");
    chosen.underline = 1;
    shell.font_choice = &chosen;
    shell.calls.clear();
    Run(IDM_SELECT_FONT);
    EXPECT_STREQ(state.drawing.display_font.face_name, "Courier New");
    EXPECT_EQ(state.drawing.display_font.underline, 1);
}

TEST_F(CommandsTest, ExitAboutAndForeignCommands) {
    Run(IDM_EXIT);
    EXPECT_EQ(shell.calls.back(), "destroy");
    Run(IDM_ABOUT);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].find("About Varnok 32: Varnok 32bit v.1.0"), 0u);
    shell.calls.clear();
    for (int command : {0, 14, 16, 20, 30, 38, 99}) {
        EXPECT_FALSE(RunCommand(state, shell, command)) << command;
    }
    EXPECT_TRUE(shell.calls.empty());
}

// ------------------------------------------------- dialogs and output

StationData NamedStation(const char* name) {
    StationData station;
    station.record = MakeStartupRecord();
    SetFieldText(station.record.station_name, name);
    return station;
}

TEST_F(CommandsTest, DialogAndOutputCommandsAskTheShellAndRepaintAsTheyNeed) {
    const StationData imported = NamedStation("IMPORTED");
    const StationData typed = NamedStation("TYPED");
    struct Case {
        int command;
        const StationData* imported;  // what the search dialog yields
        const StationData* typed;     // what the manual entry yields
        std::vector<std::string> calls;
        const char* station_after;
    };
    const Case cases[] = {
        // Cancelled search: no new station, nothing repainted.
        {IDM_OPEN_FROM_DATABASE, nullptr, nullptr, {"search dialog"}, "NO DATASET"},
        // A new station brings its status text (its climate class, or the view's text).
        {IDM_OPEN_FROM_DATABASE, &imported, nullptr,
         {"search dialog", "status Varnok 32 - climate diagram", "invalidate diagram erase"}, "IMPORTED"},
        {IDM_OPEN_FROM_MAP, nullptr, nullptr, {"map dialog"}, "NO DATASET"},
        {IDM_OPEN_FROM_MAP, &imported, nullptr,
         {"map dialog", "status Varnok 32 - climate diagram", "invalidate diagram erase"}, "IMPORTED"},
        // The manual entry repaints before it returns, also after Cancel.
        {IDM_ENTER_DATA_MANUALLY, nullptr, nullptr,
         {"manual entry dialog", "status Varnok 32 - climate diagram", "invalidate diagram erase", "update diagram"},
         "NO DATASET"},
        {IDM_ENTER_DATA_MANUALLY, nullptr, &typed,
         {"manual entry dialog", "status Varnok 32 - climate diagram", "invalidate diagram erase", "update diagram"},
         "TYPED"},
        // Output leaves the screen and the station alone.
        {IDM_SAVE_WINDOW_CONTENT, &imported, &typed, {"window content file"}, "NO DATASET"},
        {IDM_COPY_TO_CLIPBOARD, &imported, &typed, {"metafile clipboard"}, "NO DATASET"},
        {IDM_PRINT, &imported, &typed, {"print diagram"}, "NO DATASET"},
    };
    for (const Case& c : cases) {
        state = MakeStartupState(96);
        shell.calls.clear();
        shell.imported_station = c.imported;
        shell.entered_station = c.typed;
        Run(c.command);
        EXPECT_EQ(shell.calls, c.calls) << c.command;
        EXPECT_EQ(FieldText(state.station.record.station_name), c.station_after) << c.command;
    }
}

TEST_F(CommandsTest, PrintFollowsTheViewTheWindowAndTheMenuShow) {
    Run(IDM_SHOW_TABLE);
    shell.calls.clear();
    Run(IDM_PRINT);
    EXPECT_EQ(shell.calls, std::vector<std::string>{"print table"});
    // The record is the view's one source: the menu's mark is computed from it.
    state.station.record.diagram_mode = 1;
    EXPECT_TRUE(IsCheckedAndEnabled(ComputeMenuState(state), IDM_SHOW_DIAGRAM));
    shell.calls.clear();
    Run(IDM_PRINT);
    EXPECT_EQ(shell.calls, std::vector<std::string>{"print diagram"});
}

// The menu items of resources/varnok32.rc by command, each with the words
// after its id (CHECKED, GRAYED, ...); the ids resolved through
// resources/resource_ids.h.
std::multimap<int, std::string> MenuResourceItems() {
    auto text_of = [](const std::string& path) {
        const std::vector<std::uint8_t> bytes = ReadBytes(path);
        return std::string(bytes.begin(), bytes.end());
    };
    std::map<std::string, int> ids;
    std::istringstream header(text_of(SourceDir() + "/resources/resource_ids.h"));
    for (std::string line; std::getline(header, line);) {
        std::istringstream words(line);
        std::string define, name;
        int value = 0;
        if (words >> define >> name >> value && define == "#define") ids[name] = value;
    }
    std::multimap<int, std::string> items;
    std::istringstream rc(text_of(SourceDir() + "/resources/varnok32.rc"));
    for (std::string line; std::getline(rc, line);) {
        const std::size_t item = line.find("MENUITEM \"");
        const std::size_t quote = line.rfind('"');
        if (item == std::string::npos || quote <= item + 9) continue;
        std::string rest = line.substr(quote + 1);  // ", IDM_NAME[, OPTIONS]"
        std::replace(rest.begin(), rest.end(), ',', ' ');
        std::istringstream words(rest);
        std::string name, options, word;
        words >> name;
        while (words >> word) options += word + " ";
        EXPECT_EQ(ids.count(name), 1u) << name;
        items.emplace(ids[name], options);
    }
    return items;
}

// The class line and the quiz toggle their marks in either view and
// repaint; the climate facts go to the dialog, Copy grayed without a class,
// and stay there in the quiz.
TEST_F(CommandsTest, ClimateClassHideStationAndFacts) {
    Run(IDM_SHOW_TABLE);
    for (int command : {IDM_CLIMATE_CLASS, IDM_HIDE_STATION}) {
        for (unsigned expected : {kChecked, 0u}) {
            shell.calls.clear();
            Run(command);
            EXPECT_EQ(Flags(command), expected) << command;
            EXPECT_EQ(shell.calls, (std::vector<std::string>{"menu", "invalidate diagram erase"})) << command;
        }
    }
    Run(IDM_CLIMATE_FACTS);
    EXPECT_EQ(shell.calls.back(), "climate facts without copy");
    StationData station = NamedStation("BERLIN");
    for (int m = 1; m <= 12; ++m) {
        station.record.temp_c[m] = 11;
        station.record.precip_mm[m] = 30;
    }
    shell.imported_station = &station;
    Run(IDM_OPEN_FROM_DATABASE);
    EXPECT_EQ(shell.status_text, "K\xC3\xB6ppen\xE2\x80\x93Geiger: Cfb (Temperate, no dry season, warm summer)");
    Run(IDM_HIDE_STATION);
    Run(IDM_CLIMATE_FACTS);
    EXPECT_EQ(shell.calls.back(), "climate facts");
    EXPECT_EQ(shell.facts_text.rfind("K\xC3\xB6ppen\xE2\x80\x93Geiger: Cfb", 0), 0u) << shell.facts_text;
    EXPECT_TRUE(state.drawing.hide_station);
}

TEST(MenuState, StartStateMatchesTheMenuResource) {
    const MenuState menu = ComputeMenuState(MakeStartupState(96));
    const std::multimap<int, std::string> resource = MenuResourceItems();
    for (const MenuItemState& item : menu) {
        bool checked = item.command == IDM_SHOW_DIAGRAM || item.command == IDM_COLOURS ||
                       item.command == IDM_PRINT_SCALE_3 || item.command == IDM_ZOOM_100;
        EXPECT_EQ(item.checked, checked) << item.command;
        EXPECT_FALSE(item.grayed) << item.command;
        // Each item the state marks is in the menu once, with no mark of its
        // own: start-up puts the state's marks on it.
        ASSERT_EQ(resource.count(item.command), 1u) << item.command;
        EXPECT_EQ(resource.find(item.command)->second, "") << item.command;
    }
}

// ------------------------------------------------------------ station files

struct StationFileCommandsTest : CommandsTest {
    ScratchDir dir;

    StationRecord SampleStation() {
        StationRecord record = MakeStartupRecord();
        SetFieldText(record.station_name, "SAMPLE STATION");
        SetFieldText(record.lat_hemisphere, "S");  // recomputed from the sign on reading
        record.latitude = 52.05f;
        for (int m = 1; m <= 12; ++m) {
            record.precip_mm[m] = 10.0f * m;
            record.temp_c[m] = static_cast<float>(m);
        }
        return record;
    }
};

TEST_F(StationFileCommandsTest, OpenReadsTheFileAndReappliesItsMode) {
    StationRecord record = SampleStation();
    record.diagram_mode = 0;
    record.month_labels = 1;
    ASSERT_EQ(WriteStationFile(dir.File("table.cli"), record), StationFileResult::ok);
    shell.file_choice = dir.File("table.cli");
    Run(IDM_OPEN_STATION_FILE);
    EXPECT_EQ(FieldText(state.station.record.station_name), "SAMPLE STATION");
    EXPECT_EQ(FieldText(state.station.record.lat_hemisphere), "N");
    EXPECT_FLOAT_EQ(state.station.annual_precip_mm, 780.0f);
    EXPECT_EQ(state.station.record.diagram_mode, 0);
    // The station has a climate class: the status bar names it, in either view.
    EXPECT_EQ(shell.status_text, "K\xC3\xB6ppen\xE2\x80\x93Geiger: Cfc (Temperate, no dry season, cold summer)");
    EXPECT_EQ(Flags(IDM_MONTH_LABELS), kChecked | kGrayed);  // the flag came with the file
    EXPECT_EQ(state.station.record.month_labels, 1);
    EXPECT_EQ(shell.calls.back(), "invalidate main erase");
    EXPECT_EQ(state.station_file_name, dir.File("table.cli"));
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(StationFileCommandsTest, AnyNonzeroModeOpensAsDiagram) {
    StationRecord record = SampleStation();
    record.diagram_mode = 7;
    ASSERT_EQ(WriteStationFile(dir.File("seven.cli"), record), StationFileResult::ok);
    Run(IDM_SHOW_TABLE);
    shell.file_choice = dir.File("seven.cli");
    Run(IDM_OPEN_STATION_FILE);
    EXPECT_EQ(state.station.record.diagram_mode, 1);
    EXPECT_EQ(shell.status_text, "K\xC3\xB6ppen\xE2\x80\x93Geiger: Cfc (Temperate, no dry season, cold summer)");
}

TEST_F(StationFileCommandsTest, CancelledOpenStillReappliesTheMode) {
    Run(IDM_SHOW_TABLE);
    shell.calls.clear();
    Run(IDM_OPEN_STATION_FILE);
    EXPECT_EQ(shell.calls.front(), "open dialog Own station.cli");
    EXPECT_EQ(FieldText(state.station.record.station_name), "NO DATASET");
    EXPECT_NE(std::find(shell.calls.begin(), shell.calls.end(), "resize 952x468"), shell.calls.end());
    EXPECT_EQ(shell.calls.back(), "invalidate main erase");
}

TEST_F(StationFileCommandsTest, ShortOrMissingFilesAreReportedAndChangeNothing) {
    state.station.record = SampleStation();
    WriteBytes(dir.File("short.cli"), std::vector<std::uint8_t>(100, 0x41));
    WriteBytes(dir.File("empty.cli"), {});
    for (const char* name : {"short.cli", "empty.cli", "missing.cli"}) {
        shell.messages.clear();
        shell.file_choice = dir.File(name);
        Run(IDM_OPEN_STATION_FILE);
        EXPECT_EQ(FieldText(state.station.record.station_name), "SAMPLE STATION") << name;
        ASSERT_EQ(shell.messages.size(), 1u) << name;
        EXPECT_NE(shell.messages[0].find(name), std::string::npos) << shell.messages[0];
    }
}

TEST_F(StationFileCommandsTest, SaveWritesTheRecordAndReopensIt) {
    state.station.record = SampleStation();
    shell.file_choice = dir.File("saved");  // no extension is added
    Run(IDM_SAVE_STATION_FILE);
    EXPECT_EQ(ReadBytes(dir.File("saved")).size(), 660u);
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"save dialog Own station.cli", "invalidate diagram erase",
                                                     "update diagram"}));
    // The next dialog proposes the file just saved.
    state.station.record = MakeStartupRecord();
    shell.calls.clear();
    Run(IDM_OPEN_STATION_FILE);
    EXPECT_EQ(shell.calls.front(), "open dialog " + dir.File("saved"));
    EXPECT_EQ(FieldText(state.station.record.station_name), "SAMPLE STATION");
}

TEST_F(StationFileCommandsTest, SaveThatCannotWriteIsReported) {
    shell.file_choice = dir.File("no such folder/x.cli");
    Run(IDM_SAVE_STATION_FILE);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_NE(shell.messages[0].find("x.cli"), std::string::npos);
    EXPECT_EQ(shell.calls.back(), "update diagram");
}

}  // namespace
