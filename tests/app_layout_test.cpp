// Window sizes and positions, the caption, the start-up font, the x-axis
// click rules and the toolbar table.
#include <gtest/gtest.h>

#include "app/logic/app_state.h"
#include "app/logic/axis_offset.h"
#include "app/logic/commands.h"
#include "app/logic/toolbar_buttons.h"
#include "app/logic/window_layout.h"
#include "app_fake_shell.h"
#include "resources/resource_ids.h"

namespace {

TEST(WindowLayout, StartsCentredAtTheTop) {
    WindowPlacement p = StartupMainWindowPlacement(1024, 0);
    EXPECT_EQ(p.x, 312);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(p.width, 400);
    EXPECT_EQ(p.height, 590);
    EXPECT_EQ(StartupMainWindowPlacement(1025, 0).x, 312);  // truncated
}

TEST(WindowLayout, DiagramWindowKeepsItsMarginsAndNeverGoesNegative) {
    struct Case {
        int client_w, client_h, w, h;
    } cases[] = {{400, 590, 380, 510}, {20, 80, 0, 0}, {5, 10, 0, 0}, {0, 0, 0, 0}, {21, 81, 1, 1}};
    for (const Case& c : cases) {
        WindowPlacement p = DiagramWindowPlacement(c.client_w, c.client_h);
        EXPECT_EQ(p.x, 10);
        EXPECT_EQ(p.y, 48);
        EXPECT_EQ(p.width, c.w) << c.client_w;
        EXPECT_EQ(p.height, c.h) << c.client_h;
    }
}

TEST(WindowLayout, SizesPerModeAndCaption) {
    WindowPlacement diagram = MainWindowSizeForMode(true, 9);
    EXPECT_EQ(diagram.width, 400);
    EXPECT_EQ(diagram.height, 590);
    WindowPlacement table = MainWindowSizeForMode(false, 8);
    EXPECT_EQ(table.width, 952);
    EXPECT_EQ(table.height, 468);
    // An absurd font cannot make the width overflow.
    EXPECT_EQ(MainWindowSizeForMode(false, 1 << 30).width, 32767);
    EXPECT_EQ(MainWindowSizeForMode(false, -5).width, 0);
    EXPECT_EQ(SizeCaption(380, 510), "Climate diagram (380 x 510)");
    EXPECT_EQ(SizeCaption(0, 0), "Climate diagram (0 x 0)");
    EXPECT_STREQ(StatusTextForMode(true), "Varnok 32 - climate diagram");
    EXPECT_STREQ(StatusTextForMode(false), "Varnok 32 - data table");
}

TEST(StartupState, DisplayFontIsArialBoldTenPoints) {
    struct Case {
        int dpi, height;
    } cases[] = {{96, -13}, {120, -17}, {72, -10}, {144, -20}};
    for (const Case& c : cases) {
        FontSpec font = StartupDisplayFont(c.dpi);
        EXPECT_EQ(font.height, c.height) << c.dpi;  // 10 * dpi / 72, rounded
        EXPECT_EQ(font.weight, 700);
        EXPECT_STREQ(font.face_name, "Arial");
        EXPECT_EQ(font.italic + font.underline + font.strike_out + font.char_set, 0);
    }
    AppState state = MakeStartupState(96);
    EXPECT_EQ(state.drawing.axis_offset, 100);
    EXPECT_EQ(state.print_scale, 3);
    EXPECT_FALSE(state.drawing.monochrome);
    EXPECT_EQ(state.station.record.diagram_mode, 1);
    EXPECT_EQ(state.station.record.month_labels, 0);
    EXPECT_EQ(state.station.record.show_abs_min, 1);
    EXPECT_EQ(FieldText(state.station.record.lat_hemisphere), "X");
    EXPECT_EQ(state.station_file_name, "Own station.cli");
}

TEST(AxisOffset, LeftClickMovesOneStepTowardsTheClick) {
    // Window 465 high, line height 16: axis at 465 - offset; upper limit 150.
    struct Case {
        int offset, click_y, after;
    } cases[] = {
        {100, 10, 125},   // above the axis: up
        {125, 10, 150},
        {150, 10, 150},   // the step up is taken back at the limit
        {100, 400, 75},   // below the axis: down
        {75, 400, 50},
        {50, 464, 50},    // already at the minimum
        {100, 365, 100},  // exactly on the axis row: no step
        {200, 265, 175},  // on the axis but beyond the limit: the correction still applies
        {200, 10, 200},   // beyond the limit after a resize: a click above changes nothing
        {225, 400, 175},  // below, and still beyond the limit after the step: 50 less
        {20, 445, 50},    // on the axis with an offset below the minimum
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AxisOffsetAfterClick(c.offset, c.click_y, 465, 16), c.after) << c.offset << " " << c.click_y;
    }
}

TEST(AxisOffset, ExtremeValuesStayDefined) {
    EXPECT_EQ(AxisOffsetAfterUp(INT32_MAX, INT32_MAX, INT32_MAX), INT32_MAX);
    EXPECT_EQ(AxisOffsetAfterDown(INT32_MIN), 50);
    EXPECT_EQ(AxisOffsetAfterClick(INT32_MIN, 65535, 0, 16), 50);
    EXPECT_EQ(AxisOffsetAfterClick(100, 65535, INT32_MIN, 16), 50);
}

TEST(AxisOffset, ClickReachesTheStateAndRepaintsWithErase) {
    AppState state = MakeStartupState(96);
    state.diagram_rect = {0, 0, 380, 465};
    state.drawing.line_height = 16;
    FakeShell shell;
    DiagramLeftClick(state, shell, 10);
    EXPECT_EQ(state.drawing.axis_offset, 125);
    EXPECT_EQ(shell.calls, std::vector<std::string>{"invalidate diagram erase"});
    // In table mode the click still moves the axis.
    state.station.record.diagram_mode = 0;
    DiagramLeftClick(state, shell, 464);
    EXPECT_EQ(state.drawing.axis_offset, 100);
}

TEST(Toolbar, SixteenEntriesWithTheirImagesAndCommands) {
    int separators = 0;
    for (int i = 0; i < kToolbarEntryCount; ++i) {
        const ToolbarEntry& e = toolbar_buttons[i];
        if (e.separator) {
            ++separators;
            EXPECT_EQ(e.image, 0);
            EXPECT_EQ(e.command, 0);
        } else {
            EXPECT_GE(e.image, 0);
            EXPECT_LT(e.image, kToolbarImageCount);
        }
    }
    EXPECT_EQ(separators, 6);
    struct Button {
        int index, image, command;
    } buttons[] = {{1, 0, IDM_OPEN_STATION_FILE}, {2, 12, IDM_SAVE_STATION_FILE}, {3, 10, IDM_ENTER_DATA_MANUALLY},
                   {5, 13, IDM_OPEN_FROM_DATABASE}, {6, 14, IDM_OPEN_FROM_MAP}, {8, 1, IDM_PRINT},
                   {10, 11, IDM_SAVE_WINDOW_CONTENT}, {11, 7, IDM_COPY_TO_CLIPBOARD}, {13, 8, IDM_SHOW_DIAGRAM},
                   {14, 9, IDM_SHOW_TABLE}, {16, 3, IDM_SELECT_FONT}};
    for (const Button& b : buttons) {
        EXPECT_FALSE(toolbar_buttons[b.index].separator) << b.index;
        EXPECT_EQ(toolbar_buttons[b.index].image, b.image) << b.index;
        EXPECT_EQ(toolbar_buttons[b.index].command, b.command) << b.index;
    }
    EXPECT_EQ(ToolbarEntryAt(0), &toolbar_buttons[0]);
    EXPECT_EQ(ToolbarEntryAt(16), &toolbar_buttons[16]);
    EXPECT_EQ(ToolbarEntryAt(17), nullptr);
    EXPECT_EQ(ToolbarEntryAt(-1), nullptr);
}

}  // namespace
