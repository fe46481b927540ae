#include "station/climate_class.h"

#include "app/logic/climate_facts.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <utility>

namespace {

// Twelve calendar months: `all` everywhere but the listed (month, value)
// pairs, month 0 = January.
struct Months {
    float v[12];
    Months(float all, std::initializer_list<std::pair<int, float>> except = {}) {
        for (float& x : v) x = all;
        for (const auto& [m, x] : except) v[m] = x;
    }
};

StationRecord Record(const Months& t, const Months& p, bool southern = false) {
    StationRecord r = MakeStartupRecord();
    SetFieldText(r.lat_hemisphere, southern ? "S" : "N");
    for (int m = 0; m < 12; ++m) {
        const int slot = (southern ? (m + 6) % 12 : m) + 1;
        r.temp_c[slot] = t.v[m];
        r.precip_mm[slot] = p.v[m];
    }
    return r;
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
// Summer (April-September) 20 degrees, winter 8: C, Thot 20, six months >= 10.
const Months kWarmSummer(8, {{3, 20}, {4, 20}, {5, 20}, {6, 20}, {7, 20}, {8, 20}});

struct Case {
    const char* boundary;
    Months t, p;
    const char* expected;  // "" for no class
    bool southern = false;
};

// Each boundary with one case on each side of it (the first on it where
// the rule includes it).
const Case kCases[] = {
    {"B: MAP = 10 Pthr (360)", 11, 30, "Cfb"},
    {"B: MAP < 10 Pthr", 11, {30, {{0, 29}}}, "BSk"},
    {"BW: MAP = 5 Pthr (180)", 11, 15, "BSk"},
    {"BW: MAP < 5 Pthr", 11, {15, {{0, 14}}}, "BWk"},
    {"h: MAT = 18", 18, 10, "BWh"},
    {"h: MAT < 18", {18, {{0, 17}}}, 10, "BWk"},
    {"A: Tcold = 18", 18, 100, "Af"},
    {"A: Tcold < 18", {18, {{0, 17.5f}}}, 100, "Cfb"},
    {"Af: Pdry = 60", 25, {200, {{0, 60}}}, "Af"},
    {"Af: Pdry < 60", 25, {200, {{0, 59}}}, "Am"},
    {"Am: Pdry = 100 - MAP/25 (40)", 25, {130, {{0, 40}, {11, 160}}}, "Am"},
    {"Am: Pdry < 100 - MAP/25", 25, {130, {{0, 40}, {11, 159}}}, "Aw"},
    {"E: Thot = 10", 10, 50, "ET"},
    {"E: Thot > 10", {10, {{6, 10.5f}}}, 50, "Cfb"},
    {"ET: Thot = 0", 0, 20, "EF"},
    {"ET: Thot > 0", {0, {{6, 0.5f}}}, 20, "ET"},
    {"C: Tcold = 0", {15, {{0, 0}}}, 60, "Dfb"},
    {"C: Tcold > 0", {15, {{0, 0.5f}}}, 60, "Cfb"},
    {"a: Thot = 22", {15, {{6, 22}}}, 60, "Cfa"},
    {"a: Thot < 22", {15, {{6, 21.5f}}}, 60, "Cfb"},
    {"b: four months >= 10", {5, {{5, 12}, {6, 12}, {7, 12}, {8, 10}}}, 60, "Cfb"},
    {"b: three months >= 10", {5, {{5, 12}, {6, 12}, {7, 12}, {8, 9.5f}}}, 60, "Cfc"},
    {"d: Tcold = -38", {-10, {{0, -38}, {5, 12}, {6, 15}, {7, 12}}}, 20, "Dfc"},
    {"d: Tcold < -38", {-10, {{0, -38.5f}, {5, 12}, {6, 15}, {7, 12}}}, 20, "Dfd"},
    {"s: Psdry < 40", kWarmSummer, {120, {{3, 100}, {4, 100}, {5, 100}, {6, 39}, {7, 100}, {8, 100}}}, "Csb"},
    {"s: Psdry = 40", kWarmSummer, {120, {{3, 100}, {4, 100}, {5, 100}, {6, 40}, {7, 100}, {8, 100}}}, "Cfb"},
    {"s: Psdry < Pwwet/3", kWarmSummer, {80, {{0, 91}, {3, 100}, {4, 100}, {5, 100}, {6, 30}, {7, 100}, {8, 100}}}, "Csb"},
    {"s: Psdry = Pwwet/3", kWarmSummer, {80, {{0, 90}, {3, 100}, {4, 100}, {5, 100}, {6, 30}, {7, 100}, {8, 100}}}, "Cfb"},
    {"w: Pwdry < Pswet/10", kWarmSummer, {100, {{0, 19}, {1, 60}, {2, 60}, {9, 60}, {10, 60}, {11, 60}, {6, 200}}}, "Cwb"},
    {"w: Pwdry = Pswet/10", kWarmSummer, {100, {{0, 20}, {1, 60}, {2, 60}, {9, 60}, {10, 60}, {11, 60}, {6, 200}}}, "Cfb"},
    {"s/w: summer sum < winter sum", kWarmSummer,
     {77, {{0, 5}, {1, 78}, {3, 20}, {4, 20}, {5, 20}, {6, 10}, {7, 300}, {8, 20}}}, "Csb"},
    {"s/w: summer sum = winter sum", kWarmSummer,
     {77, {{0, 5}, {3, 20}, {4, 20}, {5, 20}, {6, 10}, {7, 300}, {8, 20}}}, "Cwb"},
    // Winter 210 of 300 mm: Pthr 2 MAT = 22; 209 of 299: 2 MAT + 14 = 36.
    {"Pthr: winter = 70 %", 11, {35, {{3, 15}, {4, 15}, {5, 15}, {6, 15}, {7, 15}, {8, 15}}}, "Cfb"},
    {"Pthr: winter < 70 %", 11, {35, {{0, 34}, {3, 15}, {4, 15}, {5, 15}, {6, 15}, {7, 15}, {8, 15}}}, "BSk"},
    // Summer 343 of 490 mm: Pthr 2 MAT + 28 = 50; 342 of 489: 36.
    {"Pthr: summer = 70 %", 11, {24.5f, {{3, 57}, {4, 57}, {5, 57}, {6, 57}, {7, 57}, {8, 58}}}, "BSk"},
    {"Pthr: summer < 70 %", 11, {24.5f, {{3, 57}, {4, 57}, {5, 57}, {6, 57}, {7, 57}, {8, 57}}}, "Cfb"},
    // Equal halves make April-September summer: the dry calendar months
    // April-September only when the southern record is turned back.
    {"southern, dry April-September", 15, {100, {{3, 20}, {4, 20}, {5, 20}, {6, 20}, {7, 20}, {8, 20}}}, "Csb", true},
    {"southern, wet April-September", 15, {20, {{3, 100}, {4, 100}, {5, 100}, {6, 100}, {7, 100}, {8, 100}}}, "Cfb", true},
    {"none: a temperature NaN", {15, {{4, kNaN}}}, 60, ""},
    {"none: a precipitation infinite", 15, {60, {{4, kInf}}}, ""},
    {"none: a precipitation negative", 15, {60, {{4, -1}}}, ""},
    {"none: all 24 zero", 0, 0, ""},
    {"class: zero precipitation only", -5, 0, "EF"},
};

TEST(ClimateClass, BoundaryTable) {
    for (const Case& c : kCases) {
        const ClimateFacts f = ClassifyClimate(Record(c.t, c.p, c.southern));
        const std::string_view got = f.climate_class ? ClimateClassCode(*f.climate_class) : "";
        EXPECT_EQ(got, c.expected) << c.boundary;
    }
}

TEST(ClimateClass, StartRecordAndSouthernMonths) {
    EXPECT_FALSE(ClassifyClimate(MakeStartupRecord()).climate_class);
    // January is the warmest and wettest calendar month of this southern record.
    const ClimateFacts f = ClassifyClimate(Record({20, {{0, 25}}}, {50, {{0, 90}}}, true));
    EXPECT_EQ(f.warmest_month, 0);
    EXPECT_EQ(f.wettest_month, 0);
    EXPECT_DOUBLE_EQ(f.annual_precip_mm, 640);
}

TEST(ClimateClass, CodesNamesAndColoursRoundTrip) {
    for (int i = 0; i < kClimateClassCount; ++i) {
        const auto c = static_cast<ClimateClass>(i);
        EXPECT_EQ(ClimateClassFromCode(ClimateClassCode(c)), c);
    }
    EXPECT_EQ(ClimateClassName(ClimateClass::Dwd), "Cold, dry winter, very cold winter");
    EXPECT_EQ(ClimateClassColour(ClimateClass::BSh).g, 165);
    EXPECT_FALSE(ClimateClassFromCode("bwh"));
}

// The answer key: the values a class reads off the diagram, and the
// sentences that decided the group, for an arid and a temperate station.
TEST(ClimateFactsText, ValuesAndDecidingSentences) {
    const std::string berlin = ClimateFactsText(ClassifyClimate(Record(11, 30)));
    for (const char* line : {"K\xC3\xB6ppen\xE2\x80\x93Geiger: Cfb (Temperate, no dry season, warm summer)\r\n",
                             "Annual precipitation: 360 mm\r\n", "Pthreshold: 36.0 mm\r\n",
                             "not arid: 360 mm \xE2\x89\xA5 10 \xC3\x97 36.0 mm\r\n",
                             "temperate: coldest month 11.0 \xC2\xB0" "C > 0 \xC2\xB0" "C\r\n",
                             "Humid months (P > 2T): 12\r\n"}) {
        EXPECT_NE(berlin.find(line), std::string::npos) << line << "\n" << berlin;
    }
    const std::string desert = ClimateFactsText(ClassifyClimate(Record({18, {{6, 30}}}, {10, {{0, 2}}})));
    EXPECT_NE(desert.find("Driest month: January, 2 mm\r\n"), std::string::npos) << desert;
    EXPECT_NE(desert.find("Warmest month: July, 30.0 \xC2\xB0" "C\r\n"), std::string::npos) << desert;
    EXPECT_NE(desert.find("Arid months (P < 2T): 12\r\n"), std::string::npos) << desert;
    EXPECT_EQ(desert.substr(desert.size() - 2), "\r\n");
    EXPECT_NE(desert.find("\r\narid: "), std::string::npos) << desert;
    EXPECT_EQ(desert.find("not arid"), std::string::npos);
    EXPECT_EQ(ClimateFactsText(ClassifyClimate(MakeStartupRecord())).rfind("No climate class", 0), 0u);
}

}  // namespace
