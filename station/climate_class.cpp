#include "station/climate_class.h"

#include <cmath>

namespace {

struct ClassEntry {
    std::string_view code;
    std::string_view name;
    ClassColour colour;
};

// In the order of ClimateClass.
constexpr ClassEntry kClasses[kClimateClassCount] = {
    {"Af", "Tropical, rainforest", {0, 0, 255}},
    {"Am", "Tropical, monsoon", {0, 120, 255}},
    {"Aw", "Tropical, savannah", {70, 170, 250}},
    {"BWh", "Arid, desert, hot", {255, 0, 0}},
    {"BWk", "Arid, desert, cold", {255, 150, 150}},
    {"BSh", "Arid, steppe, hot", {245, 165, 0}},
    {"BSk", "Arid, steppe, cold", {255, 220, 100}},
    {"Csa", "Temperate, dry summer, hot summer", {255, 255, 0}},
    {"Csb", "Temperate, dry summer, warm summer", {200, 200, 0}},
    {"Csc", "Temperate, dry summer, cold summer", {150, 150, 0}},
    {"Cwa", "Temperate, dry winter, hot summer", {150, 255, 150}},
    {"Cwb", "Temperate, dry winter, warm summer", {100, 200, 100}},
    {"Cwc", "Temperate, dry winter, cold summer", {50, 150, 50}},
    {"Cfa", "Temperate, no dry season, hot summer", {200, 255, 80}},
    {"Cfb", "Temperate, no dry season, warm summer", {100, 255, 80}},
    {"Cfc", "Temperate, no dry season, cold summer", {50, 200, 0}},
    {"Dsa", "Cold, dry summer, hot summer", {255, 0, 255}},
    {"Dsb", "Cold, dry summer, warm summer", {200, 0, 200}},
    {"Dsc", "Cold, dry summer, cold summer", {150, 50, 150}},
    {"Dsd", "Cold, dry summer, very cold winter", {150, 100, 150}},
    {"Dwa", "Cold, dry winter, hot summer", {170, 175, 255}},
    {"Dwb", "Cold, dry winter, warm summer", {90, 120, 220}},
    {"Dwc", "Cold, dry winter, cold summer", {75, 80, 180}},
    {"Dwd", "Cold, dry winter, very cold winter", {50, 0, 135}},
    {"Dfa", "Cold, no dry season, hot summer", {0, 255, 255}},
    {"Dfb", "Cold, no dry season, warm summer", {55, 200, 255}},
    {"Dfc", "Cold, no dry season, cold summer", {0, 125, 125}},
    {"Dfd", "Cold, no dry season, very cold winter", {0, 70, 95}},
    {"ET", "Polar, tundra", {178, 178, 178}},
    {"EF", "Polar, frost", {102, 102, 102}},
};

const ClassEntry& Entry(ClimateClass c) { return kClasses[static_cast<int>(c)]; }

ClimateClass ClassAt(ClimateClass first, int offset) {
    return static_cast<ClimateClass>(static_cast<int>(first) + offset);
}

bool HasClass(const ClimateFacts& f) {
    bool all_zero = true;
    for (int m = 0; m < 12; ++m) {
        const double t = f.temp_c[m];
        const double p = f.precip_mm[m];
        if (!std::isfinite(t) || !std::isfinite(p) || p < 0) return false;
        if (t != 0 || p != 0) all_zero = false;
    }
    return !all_zero;
}

// The extremes are kept as values beside their months, and every count
// is a sum of comparisons, all in locals: no branch waits on a month's
// value and no store on another (the tool classifies every station of a
// database).
void ComputeYear(ClimateFacts& f) {
    double temp_sum = 0, precip_sum = 0;
    double hot = f.temp_c[0], cold = f.temp_c[0], dry = f.precip_mm[0], wet = f.precip_mm[0];
    int warmest = 0, coldest = 0, driest = 0, wettest = 0, at_least_10 = 0, humid = 0, arid = 0;
    for (int m = 0; m < 12; ++m) {
        const double t = f.temp_c[m];
        const double p = f.precip_mm[m];
        temp_sum += t;
        precip_sum += p;
        // The first month of each extreme; a month that is not a number
        // (no class then) never becomes one.
        warmest = t > hot ? m : warmest;
        hot = t > hot ? t : hot;
        coldest = t < cold ? m : coldest;
        cold = t < cold ? t : cold;
        driest = p < dry ? m : driest;
        dry = p < dry ? p : dry;
        wettest = p > wet ? m : wettest;
        wet = p > wet ? p : wet;
        at_least_10 += t >= 10;
        humid += p > 2 * t;
        arid += p < 2 * t;
    }
    f.warmest_month = warmest;
    f.coldest_month = coldest;
    f.driest_month = driest;
    f.wettest_month = wettest;
    f.months_at_least_10 = at_least_10;
    f.humid_months = humid;
    f.arid_months = arid;
    f.annual_mean_temp_c = temp_sum / 12;
    f.annual_precip_mm = precip_sum;
    f.temp_hot_c = hot;
    f.temp_cold_c = cold;
    f.precip_dry_mm = dry;
    f.precip_wet_mm = wet;
}

// One half year's precipitation: the sum in calendar order, the lowest and
// the highest month.
struct HalfYear {
    double sum = 0, dry = 0, wet = 0;
};
HalfYear PrecipOfHalf(const std::array<double, 12>& precip, const int (&months)[6]) {
    HalfYear half;
    half.dry = half.wet = precip[months[0]];
    for (int month : months) {
        const double p = precip[month];
        half.sum += p;
        half.dry = p < half.dry ? p : half.dry;
        half.wet = p > half.wet ? p : half.wet;
    }
    return half;
}

// Summer is the half of April-September and October-March with the higher
// temperature sum (April-September on a tie).
void ComputeSeasons(ClimateFacts& f) {
    static const int kAprilSeptember[6] = {3, 4, 5, 6, 7, 8};
    static const int kOctoberMarch[6] = {0, 1, 2, 9, 10, 11};  // in calendar order, as summed
    double apr_sep_temp = 0, oct_mar_temp = 0;
    for (int m : kAprilSeptember) apr_sep_temp += f.temp_c[m];
    for (int m : kOctoberMarch) oct_mar_temp += f.temp_c[m];
    f.summer_april_september = apr_sep_temp >= oct_mar_temp;
    const HalfYear apr_sep = PrecipOfHalf(f.precip_mm, kAprilSeptember);
    const HalfYear oct_mar = PrecipOfHalf(f.precip_mm, kOctoberMarch);
    const HalfYear& summer = f.summer_april_september ? apr_sep : oct_mar;
    const HalfYear& winter = f.summer_april_september ? oct_mar : apr_sep;
    f.summer_precip_mm = summer.sum;
    f.summer_dry_mm = summer.dry;
    f.summer_wet_mm = summer.wet;
    f.winter_precip_mm = winter.sum;
    f.winter_dry_mm = winter.dry;
    f.winter_wet_mm = winter.wet;
    // At least 70 % of MAP, compared as 10 x part >= 7 x MAP.
    const double base = 2 * f.annual_mean_temp_c;
    if (10 * f.winter_precip_mm >= 7 * f.annual_precip_mm) {
        f.precip_threshold_mm = base;
    } else if (10 * f.summer_precip_mm >= 7 * f.annual_precip_mm) {
        f.precip_threshold_mm = base + 28;
    } else {
        f.precip_threshold_mm = base + 14;
    }
}

// The second letter of C and D, as an offset: s 0, w 3, f 6.
int SeasonOffset(const ClimateFacts& f) {
    const bool dry_summer = f.summer_dry_mm < 40 && 3 * f.summer_dry_mm < f.winter_wet_mm;
    const bool dry_winter = 10 * f.winter_dry_mm < f.summer_wet_mm;
    if (dry_summer && dry_winter) return f.summer_precip_mm < f.winter_precip_mm ? 0 : 3;
    if (dry_summer) return 0;
    if (dry_winter) return 3;
    return 6;
}

ClimateClass Classify(ClimateFacts& f) {
    const double mat = f.annual_mean_temp_c;
    const double map = f.annual_precip_mm;
    const double threshold = f.precip_threshold_mm;
    if (map < 10 * threshold) {
        f.group_rule = ClimateGroupRule::arid;
        const ClimateClass base = map < 5 * threshold ? ClimateClass::BWh : ClimateClass::BSh;
        return ClassAt(base, mat >= 18 ? 0 : 1);
    }
    if (f.temp_cold_c >= 18) {
        f.group_rule = ClimateGroupRule::tropical;
        if (f.precip_dry_mm >= 60) return ClimateClass::Af;
        // Pdry >= 100 - MAP/25, compared as 25 x Pdry >= 2500 - MAP.
        return 25 * f.precip_dry_mm >= 2500 - map ? ClimateClass::Am : ClimateClass::Aw;
    }
    if (f.temp_hot_c <= 10) {
        f.group_rule = ClimateGroupRule::polar;
        return f.temp_hot_c > 0 ? ClimateClass::ET : ClimateClass::EF;
    }
    const bool temperate = f.temp_cold_c > 0;
    f.group_rule = temperate ? ClimateGroupRule::temperate : ClimateGroupRule::cold;
    const int season = SeasonOffset(f);
    int summer = 2;  // c
    if (f.temp_hot_c >= 22) {
        summer = 0;
    } else if (f.months_at_least_10 >= 4) {
        summer = 1;
    } else if (!temperate && f.temp_cold_c < -38) {
        summer = 3;
    }
    if (temperate) return ClassAt(ClimateClass::Csa, season + summer);
    return ClassAt(ClimateClass::Dsa, season / 3 * 4 + summer);
}

}  // namespace

std::string_view ClimateClassCode(ClimateClass c) { return Entry(c).code; }
std::string_view ClimateClassName(ClimateClass c) { return Entry(c).name; }
ClassColour ClimateClassColour(ClimateClass c) { return Entry(c).colour; }

std::string ClimateClassLine(ClimateClass c) {
    std::string line = "K\xF6ppen\x96Geiger: ";
    line.append(ClimateClassCode(c)).append(" (").append(ClimateClassName(c)).append(")");
    return line;
}

std::optional<ClimateClass> ClimateClassFromCode(std::string_view code) {
    for (int i = 0; i < kClimateClassCount; ++i) {
        if (kClasses[i].code == code) return static_cast<ClimateClass>(i);
    }
    return std::nullopt;
}

ClimateFacts ClassifyClimateMonths(const float temp_c[12], const float precip_mm[12]) {
    ClimateFacts f;
    for (int m = 0; m < 12; ++m) {
        f.temp_c[m] = temp_c[m];
        f.precip_mm[m] = precip_mm[m];
    }
    ComputeYear(f);
    ComputeSeasons(f);
    if (HasClass(f)) f.climate_class = Classify(f);
    return f;
}

// A southern record holds July first: its months are turned back.
ClimateFacts ClassifyClimate(const StationRecord& record) {
    float temp[12], precip[12];
    const bool southern = IsSouthernStation(record);
    for (int m = 0; m < 12; ++m) {
        const int slot = (southern ? (m + 6) % 12 : m) + 1;
        temp[m] = record.temp_c[slot];
        precip[m] = record.precip_mm[slot];
    }
    return ClassifyClimateMonths(temp, precip);
}
