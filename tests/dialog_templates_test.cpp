// The dialog templates GETSTATION and GETMANUALDATA as written in
// resources/dialogs.rc: every control with its kind, id, text, rectangle
// and the style words that decide how it behaves. The .rc text is read and
// its control lines are taken apart here, so no resource compiler is needed.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/test_support.h"

namespace {

struct Control {
    std::string kind;   // EDITTEXT, LTEXT, CONTROL ...
    std::string text;   // without quotes; "" for an edit field
    int id = 0;
    std::string window_class;  // CONTROL lines only
    int x = 0, y = 0, w = 0, h = 0;
    std::string style;  // the remaining words, as written
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::map<std::string, int> ReadIds() {
    std::map<std::string, int> ids = {{"IDOK", 1}, {"IDCANCEL", 2}};
    std::istringstream in(ReadFile(SourceDir() + "/resources/dialog_ids.h"));
    std::string word, name;
    int value = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        if (fields >> word >> name >> value && word == "#define") ids[name] = value;
    }
    return ids;
}

std::string Trim(const std::string& s) {
    std::size_t a = s.find_first_not_of(" \t\r");
    std::size_t b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

// Comma-separated arguments; commas inside quotes do not count.
std::vector<std::string> SplitArguments(const std::string& text) {
    std::vector<std::string> parts(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    for (std::string& p : parts) p = Trim(p);
    return parts;
}

int Resolve(const std::map<std::string, int>& ids, const std::string& expression) {
    std::istringstream in(expression);
    std::string name, plus;
    int offset = 0;
    in >> name >> plus >> offset;
    if (ids.count(name)) return ids.at(name) + offset;
    return std::stoi(name);
}

std::string Unquote(const std::string& s) {
    return s.size() >= 2 && s.front() == '"' ? s.substr(1, s.size() - 2) : s;
}

std::vector<Control> ReadDialog(const std::string& name) {
    const std::map<std::string, int> ids = ReadIds();
    std::istringstream in(ReadFile(SourceDir() + "/resources/dialogs.rc"));
    std::vector<Control> controls;
    bool inside = false, begun = false;
    for (std::string line; std::getline(in, line);) {
        line = Trim(line);
        if (line.rfind(name + " DIALOGEX", 0) == 0) inside = true;
        if (!inside) continue;
        if (line == "BEGIN") {
            begun = true;
            continue;
        }
        if (line == "END") break;
        if (!begun || line.empty()) continue;
        std::size_t space = line.find_first_of(" \t");
        Control c;
        c.kind = line.substr(0, space);
        std::vector<std::string> a = SplitArguments(line.substr(space + 1));
        std::size_t at = 0;
        if (c.kind != "EDITTEXT") c.text = Unquote(a[at++]);
        c.id = Resolve(ids, a[at++]);
        if (c.kind == "CONTROL") {
            c.window_class = Unquote(a[at++]);
            c.style = a[at++];
        }
        c.x = std::stoi(a[at++]);
        c.y = std::stoi(a[at++]);
        c.w = std::stoi(a[at++]);
        c.h = std::stoi(a[at++]);
        for (; at < a.size(); ++at) c.style += (c.style.empty() ? "" : ", ") + a[at];
        controls.push_back(c);
    }
    return controls;
}

std::string Describe(const Control& c) {
    std::ostringstream s;
    s << c.kind << " \"" << c.text << "\" " << c.id << " " << c.window_class << " " << c.x << "," << c.y << ","
      << c.w << "," << c.h << " [" << c.style << "]";
    return s.str();
}

// The one control of the list that has this kind, text and rectangle (and
// id, unless it is -1), or nullptr.
const Control* FindControl(const std::vector<Control>& controls, const std::string& kind, const std::string& text,
                           int id, int x, int y, int w, int h) {
    for (const Control& c : controls) {
        if (c.kind == kind && c.text == text && c.id == id && c.x == x && c.y == y && c.w == w && c.h == h) return &c;
    }
    return nullptr;
}

bool Has(const std::string& style, const std::string& word) { return style.find(word) != std::string::npos; }

struct Expected {
    const char* kind;
    const char* text;
    int id;
    int x, y, w, h;
};

void ExpectControls(const std::vector<Control>& controls, const std::vector<Expected>& expected) {
    for (const Expected& e : expected) {
        EXPECT_TRUE(FindControl(controls, e.kind, e.text, e.id, e.x, e.y, e.w, e.h))
            << e.kind << " \"" << e.text << "\" " << e.id << " at " << e.x << "," << e.y << "," << e.w << "," << e.h;
    }
    EXPECT_EQ(controls.size(), expected.size());
}

TEST(DialogTemplates, StationSearchControlsInTemplateOrder) {
    const std::vector<Control> controls = ReadDialog("GETSTATION");
    const std::vector<Expected> expected = {
        {"DEFPUSHBUTTON", "OK", 1, 8, 202, 48, 14},
        {"PUSHBUTTON", "Cancel", 2, 72, 202, 48, 14},
        {"EDITTEXT", "", 1026, 59, 12, 61, 12},
        {"PUSHBUTTON", "Search", 1027, 135, 11, 49, 13},
        {"CONTROL", "", 186, 8, 44, 112, 122},
        {"CONTROL", "", 200, 135, 44, 137, 122},
        {"LTEXT", "Country:", -1, 9, 32, 28, 10},
        {"LTEXT", "Station:", -1, 137, 32, 26, 10},
        {"CONTROL", "", 201, 8, 184, 264, 9},
        {"LTEXT", "Stationnumber:", -1, 10, 13, 46, 12},
        {"GROUPBOX", "", -1, 7, 4, 265, 23},
        {"LTEXT", " Stations available:", 1033, 135, 169, 137, 10},
        {"LTEXT", " Countries:", 1034, 8, 169, 112, 10},
    };
    ASSERT_EQ(controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Expected& e = expected[i];
        const Control& c = controls[i];
        EXPECT_TRUE(c.kind == e.kind && c.text == e.text && c.id == e.id && c.x == e.x && c.y == e.y &&
                    c.w == e.w && c.h == e.h)
            << i << ": " << Describe(c);
    }
    EXPECT_TRUE(Has(controls[2].style, "ES_NUMBER") && Has(controls[2].style, "WS_BORDER"));
    EXPECT_EQ(controls[4].window_class, "ListBox");
    EXPECT_TRUE(Has(controls[4].style, "LBS_SORT") && Has(controls[4].style, "LBS_NOTIFY") &&
                Has(controls[4].style, "WS_VSCROLL"));
    EXPECT_EQ(controls[5].window_class, "ListBox");
    for (const char* word : {"LBS_SORT", "LBS_NOTIFY", "LBS_HASSTRINGS", "LBS_USETABSTOPS", "WS_VSCROLL"}) {
        EXPECT_TRUE(Has(controls[5].style, word)) << word;
    }
    EXPECT_EQ(controls[8].window_class, "msctls_progress32");
    EXPECT_TRUE(Has(controls[8].style, "WS_BORDER"));
    for (int tab_stop : {0, 1, 2, 3, 4, 5}) EXPECT_TRUE(Has(controls[tab_stop].style, "WS_TABSTOP")) << tab_stop;
}

TEST(DialogTemplates, ManualEntryControls) {
    const std::vector<Control> controls = ReadDialog("GETMANUALDATA");
    std::vector<Expected> expected = {
        {"LTEXT", "Stationname:", -1, 16, 8, 44, 9},
        {"EDITTEXT", "", 180, 16, 18, 148, 10},
        {"LTEXT", "Number:", -1, 169, 8, 30, 8},
        {"EDITTEXT", "", 1032, 169, 18, 40, 10},
        {"LTEXT", "Country:", -1, 214, 8, 28, 8},
        {"EDITTEXT", "", 184, 213, 18, 107, 10},
        {"LTEXT", "Code:", -1, 325, 8, 24, 9},
        {"EDITTEXT", "", 185, 324, 18, 24, 10},
        {"RTEXT", "Latitude:", -1, 11, 34, 30, 10},
        {"EDITTEXT", "", 182, 46, 32, 36, 10},
        {"AUTORADIOBUTTON", "N", 196, 46, 44, 16, 9},
        {"AUTORADIOBUTTON", "S", 197, 67, 44, 16, 9},
        {"RTEXT", "Longitude:", -1, 89, 34, 34, 10},
        {"EDITTEXT", "", 183, 128, 32, 36, 10},
        {"AUTORADIOBUTTON", "E", 190, 128, 44, 16, 9},
        {"AUTORADIOBUTTON", "W", 191, 148, 44, 18, 9},
        {"RTEXT", "Elevation [m]:", -1, 168, 34, 42, 10},
        {"EDITTEXT", "", 181, 213, 32, 32, 10},
        {"GROUPBOX", "Precipitation [mm]", -1, 8, 60, 348, 50},
        {"RTEXT", "Years:", -1, 16, 97, 22, 8},
        {"EDITTEXT", "", 100, 44, 93, 24, 10},
        {"GROUPBOX", "Temperature [\xB0" "C ]", -1, 8, 121, 348, 94},
        {"RTEXT", "Years:", -1, 16, 183, 22, 8},
        {"EDITTEXT", "", 113, 44, 181, 24, 10},
        {"RTEXT", "Hottest month:", -1, 76, 183, 46, 10},
        {"EDITTEXT", "", 132, 128, 181, 24, 10},
        {"AUTOCHECKBOX", "", 195, 156, 182, 8, 8},
        {"RTEXT", "Coldest month:", -1, 72, 197, 50, 10},
        {"EDITTEXT", "", 133, 128, 195, 24, 10},
        {"AUTOCHECKBOX", "", 194, 156, 196, 8, 9},
        {"RTEXT", "Absolute maximum:", -1, 172, 183, 64, 10},
        {"EDITTEXT", "", 130, 240, 181, 24, 10},
        {"AUTOCHECKBOX", "", 193, 268, 182, 8, 10},
        {"RTEXT", "Absolut minimum:", -1, 180, 199, 56, 10},
        {"EDITTEXT", "", 131, 240, 197, 24, 10},
        {"AUTOCHECKBOX", "", 192, 268, 198, 8, 10},
        {"PUSHBUTTON", "OK", 1, 8, 222, 45, 15},
        {"PUSHBUTTON", "Cancel", 2, 65, 222, 45, 15},
    };
    static const char* const heads[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int column_x[12] = {16, 44, 72, 100, 128, 156, 184, 213, 240, 268, 296, 324};
    const int head_x[12] = {17, 45, 73, 102, 129, 158, 186, 213, 240, 269, 297, 325};
    const int grey_x[12] = {27, 55, 84, 112, 140, 168, 195, 224, 252, 280, 308, 336};
    for (int i = 0; i < 12; ++i) {
        const int white_x = i == 3 ? 111 : i == 4 ? 139 : grey_x[i];
        expected.push_back({"LTEXT", heads[i], 1001 + i, head_x[i], 69, 20, 8});
        expected.push_back({"EDITTEXT", "", 101 + i, column_x[i], 79, 24, 10});
        expected.push_back({"LTEXT", heads[i], 1101 + i, head_x[i], 131, 20, 8});
        expected.push_back({"EDITTEXT", "", 114 + i, column_x[i], 141, 24, 10});
        expected.push_back({"AUTOCHECKBOX", "", 140 + i, column_x[i], 154, 8, 8});
        expected.push_back({"CONTROL", "", -1, grey_x[i], 157, 12, 4});
        expected.push_back({"AUTOCHECKBOX", "", 160 + i, column_x[i], 166, 8, 8});
        expected.push_back({"CONTROL", "", -1, white_x, 168, 12, 4});
    }
    ExpectControls(controls, expected);

    for (const Control& c : controls) {
        if (c.kind == "EDITTEXT") {
            // A thin sunken edge instead of the border, and no horizontal
            // scrolling: a field takes only what fits its width.
            EXPECT_TRUE(Has(c.style, "NOT WS_BORDER") && Has(c.style, "WS_EX_STATICEDGE")) << Describe(c);
            EXPECT_FALSE(Has(c.style, "ES_AUTOHSCROLL")) << Describe(c);
        }
        if (c.kind == "CONTROL") {
            EXPECT_TRUE(c.y == 157 ? Has(c.style, "SS_GRAYRECT") : Has(c.style, "SS_WHITERECT")) << Describe(c);
        }
        if (c.id == 196 || c.id == 190) {
            EXPECT_TRUE(Has(c.style, "WS_GROUP")) << Describe(c);
        }
        if (c.id == 197 || c.id == 191) {
            EXPECT_FALSE(Has(c.style, "WS_GROUP")) << Describe(c);
        }
    }
}

TEST(DialogTemplates, FramesCaptionsAndFonts) {
    const std::string rc = ReadFile(SourceDir() + "/resources/dialogs.rc");
    const char* const expected[] = {
        "GETSTATION DIALOGEX 0, 0, 279, 225\n"
        "STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU\n"
        "CAPTION \"Open station from CD database\"\n"
        "FONT 8, \"MS Sans Serif\"\n",
        "GETMANUALDATA DIALOGEX 1, 1, 366, 247\n"
        "STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU\n"
        "CAPTION \"Enter data manually\"\n"
        "FONT 8, \"MS Sans Serif\"\n",
    };
    for (const char* head : expected) EXPECT_NE(rc.find(head), std::string::npos) << head;
}

}  // namespace
