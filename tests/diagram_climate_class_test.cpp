// The climate class line and the hidden station over the recording surface:
// in every view and output, at every font, scale and size.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "diagram/diagram_drawing.h"
#include "diagram/print_page.h"
#include "station/climate_class.h"
#include "station/station_file.h"
#include "tests/recording_surface.h"
#include "tests/test_support.h"

namespace {

StationData Golden(const std::string& name) {
    StationData st;
    st.record = MakeStartupRecord();
    EXPECT_EQ(ReadStationFile(SourceDir() + "/tests/golden/" + name + ".cli", st.record), StationFileResult::ok);
    FinishOpenedStation(st);
    return st;
}

// window: the diagram window; print: the printed page at scale s; picture:
// the window content enlarged by s (PNG, EMF at a scale).
enum class Output { window, print, picture };

struct Drawing {
    std::string station;
    bool diagram;
    Output output;
    int s;
    TextMetrics metrics;
    int width, height;
    int axis_offset;
};

RecordingSurface Draw(const Drawing& d, bool class_line, bool hide_station = false) {
    StationData st = Golden(d.station);
    st.record.diagram_mode = d.diagram ? 1 : 0;
    st.record.month_labels = 1;
    DrawingState state;
    state.axis_offset = d.axis_offset;
    state.climate_class_line = class_line;
    state.hide_station = hide_station;
    RecordingSurface surface(d.metrics);
    switch (d.output) {
        case Output::window: DrawWindowContent(surface, state, st, DrawArea{0, 0, d.width, d.height}); break;
        case Output::print:
            DrawPrintPage(surface, state, st, d.height, d.width, d.diagram ? PageView::diagram : PageView::table, d.s);
            break;
        case Output::picture: DrawWindowContentScaled(surface, state, st, d.height, d.width, d.s); break;
    }
    return surface;
}

std::vector<Drawing> AllDrawings() {
    std::vector<Drawing> all;
    const TextMetrics fonts[] = {{4, 8}, {7, 19}, {8, 16}, {11, 22}, {16, 32}, {24, 48}};
    const std::pair<int, int> sizes[] = {{380, 510}, {220, 300}, {900, 700}};
    const std::tuple<Output, int> outputs[] = {{Output::window, 1}, {Output::print, 1}, {Output::print, 4},
                                               {Output::picture, 2}};
    for (const char* station : {"berlin", "cherrapunji", "buenos_aires"})
        for (bool diagram : {true, false})
            for (const auto& [output, s] : outputs)
                for (TextMetrics m : fonts)
                    for (const auto& [w, h] : sizes)
                        for (int offset : {100, 250}) all.push_back({station, diagram, output, s, m, w, h, offset});
    return all;
}

std::string Describe(const Drawing& d) {
    return d.station + (d.diagram ? " diagram" : " table") + " output " + std::to_string(static_cast<int>(d.output)) +
           " s " + std::to_string(d.s) + " font " + std::to_string(d.metrics.char_width) + "x" +
           std::to_string(d.metrics.line_height) + " size " + std::to_string(d.width) + "x" +
           std::to_string(d.height) + " offset " + std::to_string(d.axis_offset);
}

// The class lines are the texts that the drawing with the line has and the
// one without it lacks; none may overlap another text, and at the window's
// own size and font the whole line is there.
TEST(ClimateClassLine, OverlapsNoTextAtAnyFontScaleOrSize) {
    for (const Drawing& d : AllDrawings()) {
        std::map<std::tuple<long long, long long, std::string>, int> without;
        for (const TextBox& b : Draw(d, false).TextBoxes()) ++without[{b.left, b.top, b.text}];
        std::vector<TextBox> lines, others;
        for (const TextBox& b : Draw(d, true).TextBoxes()) {
            int& left = without[{b.left, b.top, b.text}];
            (left > 0 ? others : lines).push_back(b);
            if (left > 0) --left;
        }
        for (const TextBox& line : lines) {
            for (const TextBox& other : others) {
                ASSERT_FALSE(line.Overlaps(other)) << Describe(d) << ": \"" << line.text << "\" over \"" << other.text << '"';
            }
        }
        const bool own_size = d.output == Output::window && d.width == 380 && d.height == 510 && d.metrics.line_height == 16;
        if (own_size) {
            std::string joined;
            for (const TextBox& line : lines) joined += (joined.empty() ? "" : " ") + line.text;
            EXPECT_EQ(joined, ClimateClassLine(*ClassifyClimate(Golden(d.station).record).climate_class)) << Describe(d);
        }
    }
}

TEST(ClimateClassLine, NoLineWithoutAClass) {
    Drawing d{"berlin", true, Output::window, 1, {8, 16}, 380, 510, 100};
    StationData st;
    st.record = MakeStartupRecord();
    DrawingState state;
    state.climate_class_line = true;
    RecordingSurface with_line, without_line;
    DrawWindowContent(with_line, state, st, DrawArea{0, 0, d.width, d.height});
    state.climate_class_line = false;
    DrawWindowContent(without_line, state, st, DrawArea{0, 0, d.width, d.height});
    EXPECT_EQ(with_line.TextStrings(), without_line.TextStrings());
}

// The quiz: no text of any view or output holds the station's name,
// country, position or numbers; the years and annual values stay.
TEST(HideStation, NoTextNamesTheStation) {
    for (const char* name : {"berlin", "buenos_aires"}) {
        const StationRecord r = Golden(name).record;
        const std::string secrets[] = {FieldText(r.station_name), FieldText(r.country_name), PositionText(r),
                                       "Stationnumber: " + FieldText(r.station_number),
                                       "Countrycode: " + std::to_string(r.country_code)};
        for (bool diagram : {true, false}) {
            for (Output output : {Output::window, Output::print, Output::picture}) {
                const Drawing d{name, diagram, output, 2, {8, 16}, 380, 510, 100};
                const RecordingSurface s = Draw(d, true, true);
                for (const std::string& text : s.TextStrings()) {
                    for (const std::string& secret : secrets) EXPECT_EQ(text.find(secret), std::string::npos) << Describe(d) << ": " << text;
                }
                EXPECT_EQ(s.TextsEqualTo("?").size(), diagram ? 3u : 2u) << Describe(d);
            }
        }
    }
}

}  // namespace
