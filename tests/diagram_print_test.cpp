// The printed page and the shared window content.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "diagram/diagram_drawing.h"
#include "diagram/print_page.h"
#include "tests/recording_surface.h"

namespace {

StationData StartStation() {
    StationData st;
    st.record = MakeStartupRecord();
    return st;
}

FontSpec Arial(int height) {
    FontSpec f;
    f.height = height;
    f.weight = 700;
    std::strcpy(f.face_name, "Arial");
    return f;
}

TEST(PrintPage, PrintFontHeight) {
    struct Case {
        int height, width, s, print_height, print_width;
    };
    const Case cases[] = {{-13, 0, 3, -33, 0}, {-13, 0, 1, -11, 0}, {-13, 6, 6, -66, 30}, {20, 7, 2, 34, 11}};
    for (const Case& c : cases) {
        FontSpec display = Arial(c.height);
        display.width = c.width;
        display.out_precision = 3;
        display.quality = 2;
        FontSpec p = MakePrintFont(display, c.s);
        EXPECT_EQ(p.height, c.print_height) << c.height << " " << c.s;
        EXPECT_EQ(p.width, c.print_width);
        EXPECT_EQ(p.out_precision, 7);
        EXPECT_EQ(p.quality, 1);
        EXPECT_EQ(p.weight, 700);
        EXPECT_STREQ(p.face_name, "Arial");
    }
}

TEST(PrintPage, DiagramAreaAndPens) {
    EXPECT_EQ(PrintArea(20, 450, 380, 3).left, 140);
    DrawArea a = PrintArea(20, 450, 380, 3);
    EXPECT_EQ(a.top, 0);
    EXPECT_EQ(a.right, 1280);
    EXPECT_EQ(a.bottom, 1350);

    StationData st = StartStation();
    st.record.temp_c[1] = 10.0f;
    RecordingSurface s({20, 40});
    DrawingState state;
    state.display_font = Arial(-13);
    state.monochrome = false;
    DrawPrintPage(s, state, st, 450, 380, PageView::diagram, 3);
    EXPECT_EQ(s.calls().front().kind, DrawCall::select_font);
    EXPECT_EQ(s.calls().front().font.height, -33);
    EXPECT_EQ(ComputeDiagramCurves(st.record, PrintArea(20, 450, 380, 3), 3).plot_width, 840);
    EXPECT_EQ(state.char_width, 20);
    EXPECT_EQ(state.line_height, 40);
    // xL = 290, y0 = 1350 - 300; head lines 10 units below the top.
    EXPECT_EQ(s.TextsEqualTo("NO DATASET").front().x, 310);
    EXPECT_EQ(s.TextsEqualTo("NO DATASET").front().y, 10);
    int thick = 0, thin_curve = 0;
    for (const DrawnLine& l : s.Lines()) {
        EXPECT_NE(l.pen, PenId::precip);
        EXPECT_NE(l.pen, PenId::temp);
        thick += l.pen == PenId::thick;
        thin_curve += l.pen == PenId::thin && l.x1 == 290 && l.y1 == 1050 && l.x2 == 290 + 35;
    }
    EXPECT_EQ(thick, 13);
    EXPECT_EQ(thin_curve, 1);  // first precipitation segment, flat on the axis
}

TEST(PrintPage, TheViewChoosesDiagramOrTable) {
    struct Case {
        PageView view;
        bool table;
        bool diagram;
    };
    const Case cases[] = {{PageView::table, true, false}, {PageView::diagram, false, true}};
    for (const Case& c : cases) {
        StationData st = StartStation();
        st.record.diagram_mode = 1;  // printing follows the menu, not the record
        RecordingSurface s({20, 40});
        DrawingState state;
        state.display_font = Arial(-13);
        DrawPrintPage(s, state, st, 450, 380, c.view, 3);
        EXPECT_EQ(!s.TextsEqualTo("Countrycode: 0").empty(), c.table);
        EXPECT_EQ(!s.TextsEqualTo("[  ]   +0.0\xB0" "C       0mm").empty(), c.diagram);
        if (c.table) {
            ASSERT_FALSE(s.TextsEqualTo("Mean precipitation").empty());
            EXPECT_EQ(s.TextsEqualTo("Mean precipitation").front().y, 10 * 40);
        }
    }
}

TEST(WindowContent, DiagramModeChoosesTheView) {
    for (int mode : {1, 0, 5}) {
        StationData st = StartStation();
        st.record.diagram_mode = mode;
        st.annual_precip_mm = 12.0f;
        RecordingSurface s({7, 15});
        DrawingState state;
        state.display_font = Arial(-13);
        DrawWindowContent(s, state, st, {0, 0, 380, 510});
        EXPECT_EQ(s.calls().front().kind, DrawCall::select_font);
        EXPECT_EQ(s.calls().front().font.height, -13);
        EXPECT_EQ(state.char_width, 7);
        EXPECT_EQ(state.line_height, 15);
        EXPECT_EQ(s.TextsEqualTo("Countrycode: 0").empty(), mode != 0);
        EXPECT_EQ(st.record.precip_mm[13], mode != 0 ? 0.0f : 12.0f);
    }
}

TEST(PrintPage, ScaleOutsideOneToSixStaysDefined) {
    for (int scale : {0, -3, 1000}) {
        StationData st = StartStation();
        st.record.temp_c[5] = 30.0f;
        RecordingSurface s({20, 40});
        DrawingState state;
        state.display_font = Arial(-13);
        DrawPrintPage(s, state, st, 100, 100, PageView::diagram, scale);
        EXPECT_FALSE(s.calls().empty());
    }
}

}  // namespace

namespace {

// The print font as a printer measures it: the display font's 8 x 16
// metrics times s times 0.85.
TextMetrics PrinterMetrics(int s) {
    return TextMetrics{static_cast<int>(s * 8 * 0.85), static_cast<int>(s * 16 * 0.85)};
}

TEST(PrintPage, FitToPageTakesTheLargestScaleThatFitsThePrintableArea) {
    struct Case {
        const char* page;
        int printable_width, printable_height;
        int diagram_scale, table_scale;
    };
    // HORZRES x VERTRES of A4 and Letter with the usual unprintable margins.
    const Case cases[] = {
        {"A4 300 dpi", 2380, 3408, 5, 3},
        {"A4 600 dpi", 4760, 6816, 10, 6},
        {"Letter 300 dpi", 2400, 3150, 5, 3},
        {"Letter 600 dpi", 4800, 6300, 10, 6},
        {"tiny page", 300, 200, 1, 1},
        {"nothing printable", 0, 0, 1, 1},
        {"huge page", 1 << 30, 1 << 30, kMaxScale, kMaxScale},
    };
    const int width = 380;
    const int height = 460;
    for (const Case& c : cases) {
        for (PageView view : {PageView::diagram, PageView::table}) {
            const int s = FitToPageScale(view, height, width, c.printable_width, c.printable_height,
                                         PrinterMetrics);
            const int expected = view == PageView::diagram ? c.diagram_scale : c.table_scale;
            EXPECT_EQ(s, expected) << c.page;
            if (s > 1 && s < kMaxScale) {
                // The page is filled: the scale fits, the next one does not.
                const PageExtent fits = PrintPageExtent(view, PrinterMetrics(s), height, width, s);
                const PageExtent next = PrintPageExtent(view, PrinterMetrics(s + 1), height, width, s + 1);
                EXPECT_LE(fits.width, c.printable_width) << c.page;
                EXPECT_LE(fits.height, c.printable_height) << c.page;
                EXPECT_TRUE(next.width > c.printable_width || next.height > c.printable_height) << c.page;
            }
        }
    }
}

TEST(PrintPage, PageExtentIsTheDiagramWithBothMarginsOrTheTable) {
    const PageExtent diagram = PrintPageExtent(PageView::diagram, TextMetrics{20, 40}, 460, 380, 3);
    EXPECT_EQ(diagram.width, 7 * 20 + 380 * 3 + 7 * 20);
    EXPECT_EQ(diagram.height, 460 * 3);
    const PageExtent table = PrintPageExtent(PageView::table, TextMetrics{20, 40}, 460, 380, 3);
    EXPECT_EQ(table.width, 119 * 20);
    EXPECT_EQ(table.height, 17 * 40);
}

TEST(PrintPage, ScaledWindowContentFillsTheEnlargedWindowWithColouredCurves) {
    StationData st = StartStation();
    st.record.diagram_mode = 1;
    DrawingState state;
    state.display_font = Arial(-13);
    RecordingSurface surface(TextMetrics{20, 40});
    DrawWindowContentScaled(surface, state, st, 460, 380, 3);
    int right = 0;
    int bottom = 0;
    bool precip = false;
    bool temp = false;
    for (const DrawnLine& line : surface.Lines()) {
        right = std::max({right, line.x1, line.x2});
        bottom = std::max({bottom, line.y1, line.y2});
        precip = precip || line.pen == PenId::precip;
        temp = temp || line.pen == PenId::temp;
    }
    EXPECT_TRUE(precip);
    EXPECT_TRUE(temp);
    EXPECT_LE(right, 380 * 3);
    EXPECT_LE(bottom, 460 * 3);
    EXPECT_GT(right, 380 * 3 * 3 / 4);  // the diagram spans most of the enlarged width
    EXPECT_EQ(state.char_width, 20);     // the print font's metrics stay for the caller
}

}  // namespace

namespace {

// The PNG's drawing is the window enlarged: the display font three times
// as high (not the print font's 0.85), each arid dot a 3 x 3 block.
TEST(PrintPage, ScaledWindowContentEnlargesTheFontAndTheDots) {
    StationData st = StartStation();
    st.record.diagram_mode = 1;
    for (int i = 1; i <= 12; ++i) {
        st.record.temp_c[i] = 30;
        st.record.precip_mm[i] = 5;
    }
    DrawingState state;
    state.display_font = Arial(-13);
    RecordingSurface surface(TextMetrics{20, 40});
    DrawWindowContentScaled(surface, state, st, 460, 380, 3);
    EXPECT_EQ(surface.calls().front().kind, DrawCall::select_font);
    EXPECT_EQ(surface.calls().front().font.height, -39);
    std::vector<DrawnPixel> dots = surface.Pixels();
    ASSERT_FALSE(dots.empty());
    std::sort(dots.begin(), dots.end());
    const DrawnPixel& corner = dots.front();  // the top-left pixel of the leftmost dot
    for (int dx = 0; dx < 3; ++dx) {
        for (int dy = 0; dy < 3; ++dy) {
            EXPECT_TRUE(std::binary_search(dots.begin(), dots.end(), DrawnPixel{corner.x + dx, corner.y + dy, kBlack}));
        }
    }
    EXPECT_EQ(dots.size() % 9, 0u);
    EXPECT_FALSE(state.full_size_dots);  // only for this drawing
}

}  // namespace
