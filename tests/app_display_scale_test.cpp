// Sizes at the window's DPI, the toolbar strip per DPI and the zoom of the
// diagram window.
#include <gtest/gtest.h>

#include "app/logic/app_state.h"
#include "app/logic/commands.h"
#include "app/logic/display_scale.h"
#include "app/logic/window_layout.h"
#include "app_fake_shell.h"
#include "resources/resource_ids.h"

namespace {

TEST(DisplayScale, ScalesNinetySixDpiUnitsRoundingAsMulDiv) {
    struct Case {
        int units, dpi, pixels;
    } cases[] = {{400, 96, 400}, {400, 144, 600}, {590, 192, 1180}, {10, 120, 13},  // 12.5 up
                 {-10, 120, -13}, {48, 144, 72},  {7, 0, 7},        {7, -5, 7}};    // no DPI: 96
    for (const Case& c : cases) EXPECT_EQ(ScaleToDpi(c.units, c.dpi), c.pixels) << c.units << " at " << c.dpi;
    EXPECT_EQ(UnitsAtDpi(570, 144), 380);
    EXPECT_EQ(UnitsAtDpi(1021, 192), 511);  // 510.5 rounds up
    EXPECT_EQ(ScaleToDpi(1 << 30, 192), INT32_MAX);
}

TEST(DisplayScale, StartAndDiagramWindowScaleWithTheDpi) {
    WindowPlacement start = StartupMainWindowPlacement(1920, 0, 144);
    EXPECT_EQ(start.width, 600);
    EXPECT_EQ(start.height, 885);
    EXPECT_EQ(start.x, 660);
    WindowPlacement diagram = DiagramWindowPlacement(600, 885, 144);
    EXPECT_EQ(diagram.x, 15);
    EXPECT_EQ(diagram.y, 72);
    EXPECT_EQ(diagram.width, 570);
    EXPECT_EQ(diagram.height, 765);  // 885 - 72 - 48
}

TEST(DisplayScale, ToolbarTakesTheSmallestStripAtOrAboveTheScaledImage) {
    struct Case {
        int dpi, size, bitmap;
    } cases[] = {{96, 24, IDB_TOOLBAR},    {72, 24, IDB_TOOLBAR},    {60, 16, IDB_TOOLBAR_16},
                 {120, 32, IDB_TOOLBAR_32}, {144, 36, IDB_TOOLBAR_36}, {168, 48, IDB_TOOLBAR_48},
                 {192, 48, IDB_TOOLBAR_48}, {288, 48, IDB_TOOLBAR_48}};  // beyond the largest: the largest
    for (const Case& c : cases) {
        ToolbarStrip strip = ToolbarStripForDpi(c.dpi);
        EXPECT_EQ(strip.image_size, c.size) << c.dpi;
        EXPECT_EQ(strip.bitmap_id, c.bitmap) << c.dpi;
    }
}

TEST(DisplayScale, FontHeightsMoveBetweenDpis) {
    FontSpec font;
    font.height = -13;
    font.width = 6;
    FontSpec at_144 = FontAtDpi(font, 96, 144);
    EXPECT_EQ(at_144.height, -20);  // -19.5 away from zero
    EXPECT_EQ(at_144.width, 9);
    EXPECT_EQ(FontAtDpi(at_144, 144, 96).height, -13);
    EXPECT_EQ(FontAtDpi(font, 96, 96).height, -13);
}

TEST(WindowZoom, FixedZoomsEnlargeByZoomTimesDpi) {
    const PictureExtent diagram = DiagramExtent();
    EXPECT_EQ(diagram.width, 380);
    EXPECT_EQ(diagram.height, 510);
    struct Case {
        int width, height, dpi, zoom;
        double factor;
        int area_w, area_h;
    } cases[] = {
        {380, 510, 96, 100, 1.0, 380, 510}, {570, 765, 144, 100, 1.5, 380, 510},
        {760, 1020, 192, 100, 2.0, 380, 510}, {760, 1020, 96, 200, 2.0, 380, 510},
        {570, 765, 144, 200, 3.0, 190, 255}, {1140, 1530, 96, 300, 3.0, 380, 510},
        {380, 510, 96, 150, 1.5, 253, 340},  // 253.33 and 340 rounded
        {0, 0, 144, 100, 1.5, 0, 0},
    };
    for (const Case& c : cases) {
        WindowView view = ComputeWindowView(c.width, c.height, c.dpi, c.zoom, diagram);
        EXPECT_DOUBLE_EQ(view.factor, c.factor) << c.width << " " << c.dpi << " " << c.zoom;
        EXPECT_EQ(view.area.right, c.area_w) << c.width << " " << c.dpi << " " << c.zoom;
        EXPECT_EQ(view.area.bottom, c.area_h) << c.width << " " << c.dpi << " " << c.zoom;
    }
    EXPECT_EQ(ViewUnits(ComputeWindowView(570, 765, 144, 100, diagram), 764), 509);
}

TEST(WindowZoom, FitToWindowTakesTheLargestZoomAtWhichThePictureFits) {
    const PictureExtent diagram = DiagramExtent();
    // A maximised 1920 x 1080 window: the diagram window is about 1900 x 950.
    WindowView full_hd = ComputeWindowView(1900, 950, 96, kZoomFitToWindow, diagram);
    EXPECT_GE(full_hd.factor, 1.8);
    EXPECT_DOUBLE_EQ(full_hd.factor, 950.0 / 510);
    EXPECT_EQ(full_hd.area.bottom, 510);
    EXPECT_GE(full_hd.area.right, 380);
    // The same window at 192 DPI: the same pixels, the same picture.
    EXPECT_DOUBLE_EQ(ComputeWindowView(1900, 950, 192, kZoomFitToWindow, diagram).factor, full_hd.factor);
    // A wide, low window fits the width; a tiny one keeps the smallest zoom.
    EXPECT_DOUBLE_EQ(ComputeWindowView(760, 5000, 96, kZoomFitToWindow, diagram).factor, 2.0);
    EXPECT_DOUBLE_EQ(ComputeWindowView(10, 10, 96, kZoomFitToWindow, diagram).factor, kFitZoomMin);
    EXPECT_DOUBLE_EQ(ComputeWindowView(0, 0, 144, kZoomFitToWindow, diagram).factor, 1.5);
    // The table fits by its grid and texts at the measured metrics.
    const PictureExtent table = TableExtent(8, 16);
    EXPECT_EQ(table.width, 915);
    EXPECT_EQ(table.height, 266);
    EXPECT_DOUBLE_EQ(ComputeWindowView(1830, 2000, 96, kZoomFitToWindow, table).factor, 2.0);
}

}  // namespace

namespace {

TEST(WindowZoom, ZoomCommandsSetTheZoomAndRepaint) {
    struct Case {
        int command, zoom;
    } cases[] = {{IDM_ZOOM_150, 150}, {IDM_ZOOM_200, 200}, {IDM_ZOOM_300, 300},
                 {IDM_ZOOM_FIT, kZoomFitToWindow}, {IDM_ZOOM_100, 100}};
    AppState state = MakeStartupState(kDefaultDpi);
    EXPECT_EQ(state.zoom, 100);
    for (const Case& c : cases) {
        FakeShell shell;
        ASSERT_TRUE(RunCommand(state, shell, c.command));
        EXPECT_EQ(state.zoom, c.zoom) << c.command;
        EXPECT_EQ(shell.calls, (std::vector<std::string>{"menu", "invalidate diagram erase"})) << c.command;
    }
}

}  // namespace

namespace {

TEST(WindowZoom, MenuChecksTheZoomChosen) {
    AppState state = MakeStartupState(kDefaultDpi);
    const int items[] = {IDM_ZOOM_100, IDM_ZOOM_150, IDM_ZOOM_200, IDM_ZOOM_300, IDM_ZOOM_FIT};
    for (int chosen : items) {
        FakeShell shell;
        RunCommand(state, shell, chosen);
        for (int item : items) EXPECT_EQ(IsCheckedAndEnabled(shell.menu, item), item == chosen) << chosen << " " << item;
    }
}

}  // namespace
