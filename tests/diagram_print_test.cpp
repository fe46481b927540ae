// The printed page and the shared window content.
#include <gtest/gtest.h>

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
    state.print_scale = 3;
    state.monochrome = false;
    DrawPrintPage(s, state, st, 450, 380, PageView::diagram);
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
        DrawPrintPage(s, state, st, 450, 380, c.view);
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
        state.print_scale = scale;
        DrawPrintPage(s, state, st, 100, 100, PageView::diagram);
        EXPECT_FALSE(s.calls().empty());
    }
}

}  // namespace
