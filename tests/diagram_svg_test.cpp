// varnok render's SVG: the contract of the surface, and golden pictures of
// a few stations compared byte for byte with reviewed files.
//
// After a deliberate change of the drawing, rewrite the pictures with
// VARNOK_UPDATE_GOLDEN=1 and review them (rsvg-convert makes PNGs).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "diagram/svg_surface.h"
#include "station/station_file.h"
#include "tests/recording_surface.h"
#include "tests/test_support.h"
#include "tools/varnok/render_svg.h"

namespace {

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(SvgSurface, ElementsOfTheContract) {
    SvgSurface s(100, 50, {8, 16}, false);
    s.MoveTo(1, 2);
    s.LineTo(3, 4);
    s.SelectPen(PenId::dotted);
    s.LineTo(5, 6);
    s.SelectPen(PenId::thick);
    s.MoveTo(0, 0);
    s.LineTo(7, 8);
    s.SelectPen(PenId::precip);
    s.LineTo(9, 9);
    s.SetPixel(-3, 4, kBlack);  // outside the canvas
    s.SetPixel(3, 4, kBlack);
    s.SetTextAlign(TextAlign::right_top);
    s.SetTextColour(kRed);
    s.TextOut(10, 20, "+1.5\xB0" "C <&>");
    s.SetTextAlign(TextAlign::center_top);
    s.TextOut(11, 21, std::string("a\x01" "b\x81", 4));
    std::string svg(s.Finish());
    std::size_t background = svg.find("<rect x=\"0\" y=\"0\" width=\"100\" height=\"50\" fill=\"#ffffff\"/>");
    ASSERT_NE(background, std::string::npos);
    EXPECT_LT(background, svg.find("<line"));
    EXPECT_NE(svg.find("<line x1=\"1\" y1=\"2\" x2=\"3\" y2=\"4\" stroke=\"#000000\"/>"), std::string::npos);
    s.TextOut(1, 2, "");  // no element
    EXPECT_NE(svg.find("<line x1=\"3\" y1=\"4\" x2=\"5\" y2=\"6\" stroke=\"#000000\" stroke-dasharray="),
              std::string::npos);
    EXPECT_NE(svg.find("<line x1=\"0\" y1=\"0\" x2=\"7\" y2=\"8\" stroke=\"#000000\" stroke-width=\"2\"/>"),
              std::string::npos);
    EXPECT_NE(svg.find("<line x1=\"7\" y1=\"8\" x2=\"9\" y2=\"9\" stroke=\"#0000ff\"/>"), std::string::npos);
    EXPECT_EQ(svg.find("<rect x=\"-3\""), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"3\" y=\"4\" width=\"1\" height=\"1\" fill=\"#000000\"/>"), std::string::npos);
    // The baseline: y plus the ascent of a 13-pixel Arial (11.77, truncated).
    const std::string kept = " xml:space=\"preserve\" style=\"white-space:pre\"";
    EXPECT_NE(svg.find("<text x=\"10\" y=\"31\" text-anchor=\"end\"" + kept +
                       " fill=\"#ff0000\">+1.5\xC2\xB0" "C &lt;&amp;&gt;</text>"),
              std::string::npos);
    EXPECT_NE(svg.find("text-anchor=\"middle\"" + kept + " fill=\"#ff0000\">a\xEF\xBF\xBD" "b"
                       "\xEF\xBF\xBD</text>"),
              std::string::npos);
    EXPECT_EQ(Count(svg, "<text"), 2);
    EXPECT_EQ(svg.find("dominant-baseline"), std::string::npos);
    EXPECT_EQ(svg.find("<?xml"), 0u);
}

// Coordinates are written as decimal text by the surface's own formatter:
// every digit count, both signs and the ends of the 32-bit range read as
// std::to_string writes them (a text's x: texts are not cut at the sides).
TEST(SvgSurface, CoordinatesOfEveryLengthAndSign) {
    const int values[] = {0,     1,      9,      10,      11,       99,       100,     101,    999,
                          1000,  1001,   9999,   10000,   65536,    99999,    100000,  999999, 1234567,
                          -1,    -9,     -10,    -99,     -100,     -999,     -1000,   -9999,  -10000,
                          -54321, 2147483647, -2147483647 - 1, 1000000000, -1000000000};
    for (int x : values) {
        SvgSurface s(10, 10, {8, 16, 4}, false);
        s.TextOut(x, 0, "a");
        std::string svg(s.Finish());
        const std::string expected = "<text x=\"" + std::to_string(x) + "\" y=\"4\"";
        EXPECT_NE(svg.find(expected), std::string::npos) << x;
    }
}

TEST(SvgSurface, ADocumentBeyondTheFirstBufferKeepsEveryElement) {
    for (int pixels : {0, 1, 3000, 20000}) {  // the last two outgrow the first buffer once and several times
        SvgSurface s(200, 200, {8, 16}, false);
        for (int i = 0; i < pixels; ++i) s.SetPixel(i % 200, i / 200, kBlack);
        std::string svg(s.Finish());
        EXPECT_EQ(Count(svg, "<rect"), pixels + 1) << pixels;  // and the background
        EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
        EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
        if (pixels > 0) {
            const std::string last = "<rect x=\"" + std::to_string((pixels - 1) % 200) + "\" y=\"" +
                                     std::to_string((pixels - 1) / 200) + "\"";
            EXPECT_NE(svg.find(last), std::string::npos) << pixels;
        }
    }
}

TEST(SvgSurface, MonochromeCurvePensAreBlack) {
    SvgSurface s(10, 10, {8, 16}, true);
    s.SelectPen(PenId::temp);
    s.LineTo(1, 1);
    s.SelectPen(PenId::precip);
    s.LineTo(2, 2);
    std::string svg(s.Finish());
    EXPECT_EQ(Count(svg, "stroke=\"#000000\""), 2);
}

struct Golden {
    const char* station;
    const char* picture;
    RenderOptions options;
};

RenderOptions Options(int axis_offset, RenderView view, int print_scale, bool mono = false) {
    RenderOptions o;
    o.axis_offset = axis_offset;
    o.view = view;
    o.print_scale = print_scale;
    o.monochrome = mono;
    return o;
}

const Golden kGoldens[] = {
    {"berlin", "berlin.svg", Options(100, RenderView::record, 0)},
    {"buenos_aires", "buenos_aires.svg", Options(100, RenderView::record, 0)},
    {"cherrapunji", "cherrapunji.svg", Options(100, RenderView::record, 0)},
    {"verkhoyansk", "verkhoyansk.svg", Options(275, RenderView::record, 0, true)},
    {"in_salah", "in_salah.svg", Options(100, RenderView::record, 0)},
    {"berlin", "berlin_table.svg", Options(100, RenderView::table, 0)},
    {"buenos_aires", "buenos_aires_print2.svg", Options(100, RenderView::record, 2)},
};

TEST(SvgGolden, StationsDrawAsReviewed) {
    const std::string dir = SourceDir() + "/tests/golden/";
    const bool update = std::getenv("VARNOK_UPDATE_GOLDEN") != nullptr;
    for (const Golden& g : kGoldens) {
        StationData station;
        station.record = MakeStartupRecord();
        ASSERT_EQ(ReadStationFile(dir + g.station + ".cli", station.record), StationFileResult::ok) << g.station;
        FinishOpenedStation(station);
        std::string svg = RenderSvg(g.options, station);
        if (update) WriteText(dir + g.picture, svg);
        std::vector<std::uint8_t> bytes = ReadBytes(dir + g.picture);
        EXPECT_TRUE(svg == std::string(bytes.begin(), bytes.end())) << g.picture << " differs";
    }
}

TEST(SvgGolden, TableAndPageCanvases) {
    StationData station;
    station.record = MakeStartupRecord();
    RenderOptions table = Options(100, RenderView::table, 0);
    std::string svg = RenderSvg(table, station);
    EXPECT_NE(svg.find("width=\"932\" height=\"388\""), std::string::npos);
    RenderOptions page = Options(100, RenderView::diagram, 3);
    page.char_width = 20;
    svg = RenderSvg(page, station);
    // Area (140, 0, 1280, 1530), with the left margin repeated on the right.
    EXPECT_NE(svg.find("width=\"1420\" height=\"1530\""), std::string::npos);
}

}  // namespace

namespace {

// One surface kept over many drawings (as the atlas keeps it) writes what a
// fresh surface writes for each, whether its buffer grows or shrinks.
TEST(SvgSurface, ReusedSurfaceWritesWhatAFreshOneWrites) {
    const std::string dir = SourceDir() + "/tests/golden/";
    SvgSurface reused;
    for (const char* name : {"in_salah", "berlin", "cherrapunji", "berlin", "buenos_aires"}) {
        for (RenderView mode : {RenderView::diagram, RenderView::table}) {
            StationData station;
            station.record = MakeStartupRecord();
            ASSERT_EQ(ReadStationFile(dir + name + ".cli", station.record), StationFileResult::ok) << name;
            FinishOpenedStation(station);
            StationData copy = station;
            RenderOptions o = Options(100, mode, 0);
            std::string fresh = RenderSvg(o, station);
            EXPECT_EQ(std::string(RenderSvg(o, copy, reused)), fresh) << name << " mode " << static_cast<int>(mode);
        }
    }
    EXPECT_EQ(reused.Finish(), reused.Finish());
}

std::string FontFamilyOf(const std::string& svg) {
    std::size_t at = svg.find("font-family=\"") + 13;
    return svg.substr(at, svg.find('"', at) - at);
}

TEST(SvgSurface, FaceNamesAndLongTextsEscaped) {
    struct Case {
        std::string face;
        std::string family;
    };
    std::string amps;
    for (int i = 0; i < 32; ++i) amps += "&amp;";
    const Case cases[] = {
        {"", "Arial, Helvetica, sans-serif"},
        {"Arial", "Arial, Helvetica, sans-serif"},
        {"Times \"New\" <R>", "Times 'New' &lt;R&gt;, Arial, Helvetica, sans-serif"},
        {"Caf\xE9\x80", "Caf\xC3\xA9\xE2\x82\xAC, Arial, Helvetica, sans-serif"},
        {std::string(32, '&'), amps + ", Arial, Helvetica, sans-serif"},  // no NUL in the 32 bytes
    };
    for (const Case& c : cases) {
        SvgSurface s(10, 10, {8, 16}, false);
        FontSpec font;
        std::memcpy(font.face_name, c.face.data(), c.face.size());
        s.SelectFont(font);
        EXPECT_EQ(FontFamilyOf(std::string(s.Finish())), c.family) << c.face;
    }
    SvgSurface s(10, 10, {8, 16}, false);
    s.TextOut(0, 0, std::string(100000, '&'));
    std::string svg(s.Finish());
    EXPECT_EQ(Count(svg, "&amp;"), 100000);
    EXPECT_EQ(svg.substr(svg.size() - 15), "</text>\n</svg>\n");
}

}  // namespace

namespace {

// The elements a batch becomes, and what is cut at the canvas (100 x 50):
// each case's batch, then the elements expected in the document, in order.
TEST(SvgSurface, BatchesAsFewElementsCutAtTheCanvas) {
    struct Case {
        const char* name;
        void (*draw)(SvgSurface&);
        std::vector<std::string> elements;
    };
    const Case cases[] = {
        {"a column of 2x2 dots, the top one cut",
         [](SvgSurface& s) {
             std::vector<SurfacePoint> px;
             for (int y = 39; y >= -1; y -= 10) {
                 for (int c = 9; c <= 10; ++c) px.push_back({c, y}), px.push_back({c, y + 1});
             }
             s.SetPixels(px.data(), px.size(), kBlack);
         },
         {"<g stroke=\"#000000\" stroke-width=\"2\" stroke-dasharray=\"2 8\">",
          "<path d=\"M10 0V41\" stroke-dashoffset=\"1\"/>", "</g>"}},
        {"a month's dashes, one above the canvas",
         [](SvgSurface& s) {
             const HorizontalStroke dashes[] = {{20, 24, 45}, {20, 24, 35}, {20, 24, 25}, {20, 24, -5}};
             s.SelectPen(PenId::thin);
             s.DrawHorizontalStrokes(dashes, 4, kBlack);
         },
         {"<g stroke=\"#000000\" stroke-width=\"5\" stroke-dasharray=\"1 9\">", "<path d=\"M22.5 25V46\"/>", "</g>"}},
        {"a frost bar", [](SvgSurface& s) {
             const LineSegment bar[] = {{30, 45, 30, 40}, {31, 45, 31, 40}, {32, 45, 32, 40}};
             s.DrawLines(bar, 3);
         },
         {"<rect x=\"30\" y=\"40\" width=\"3\" height=\"5\" fill=\"#000000\"/>"}},
        {"lines through pixel centres, cut at the canvas, or left out", [](SvgSurface& s) {
             s.MoveTo(-10, 5);
             s.LineTo(200, 5);
             s.MoveTo(7, 60);
             s.LineTo(7, 40);
             s.MoveTo(0, 10);
             s.LineTo(20, -10);
             s.MoveTo(-5, -5);
             s.LineTo(-1, -9);
         },
         {"<line x1=\"0\" y1=\"5.5\" x2=\"100\" y2=\"5.5\" stroke=\"#000000\"/>",
          "<line x1=\"7.5\" y1=\"50\" x2=\"7.5\" y2=\"40\" stroke=\"#000000\"/>",
          "<line x1=\"0\" y1=\"10\" x2=\"10\" y2=\"0\" stroke=\"#000000\"/>"}},
        {"groups, and texts off the canvas left out", [](SvgSurface& s) {
             s.BeginGroup("head");
             s.TextOut(5, 50, "below");
             s.TextOut(5, -16, "above");
             s.BeginGroup("axes");
             s.TextOut(5, -15, "cut");
         },
         {"<g id=\"head\">", "</g>", "<g id=\"axes\">",
          "<text x=\"5\" y=\"-4\" text-anchor=\"start\" xml:space=\"preserve\" style=\"white-space:pre\" "
          "fill=\"#000000\">cut</text>",
          "</g>"}},
    };
    for (const Case& c : cases) {
        SvgSurface s(100, 50, {8, 16}, false);
        c.draw(s);
        std::string svg(s.Finish());
        const std::size_t body = svg.find('\n', svg.find("<rect x=\"0\" y=\"0\"")) + 1;
        std::vector<std::string> elements;
        for (std::size_t at = body; at < svg.size(); at = svg.find('\n', at) + 1) {
            elements.push_back(svg.substr(at, svg.find('\n', at) - at));
        }
        elements.pop_back();  // </svg>
        EXPECT_EQ(elements, c.elements) << c.name;
    }
}

}  // namespace
