// The Koeppen-Geiger climate class of a station, from its twelve monthly
// mean temperatures and precipitation sums, after Peel, Finlayson & McMahon
// (2007, Hydrology and Earth System Sciences 11, 1633-1644, Table 1); the
// names as Beck et al. (2018, Scientific Data 5:180214) label the classes.
//
// A pure function of the record: the same record gives the same class on
// every platform (the sums run in double over the float month values, and
// every boundary is compared without a division that could round).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "station/station_record.h"

enum class ClimateClass : std::uint8_t {
    Af, Am, Aw,
    BWh, BWk, BSh, BSk,
    Csa, Csb, Csc, Cwa, Cwb, Cwc, Cfa, Cfb, Cfc,
    Dsa, Dsb, Dsc, Dsd, Dwa, Dwb, Dwc, Dwd, Dfa, Dfb, Dfc, Dfd,
    ET, EF,
};
constexpr int kClimateClassCount = static_cast<int>(ClimateClass::EF) + 1;

struct ClassColour {
    std::uint8_t r, g, b;
};

// "Cfb"; "Temperate, no dry season, warm summer"; the usual map colour.
std::string_view ClimateClassCode(ClimateClass c);
std::string_view ClimateClassName(ClimateClass c);
ClassColour ClimateClassColour(ClimateClass c);
// "K\xF6ppen\x96Geiger: Cfb (Temperate, no dry season, warm summer)", in
// Windows-1252 as every text of the program: the status bar, the class
// line of the diagram and the table, the climate facts.
std::string ClimateClassLine(ClimateClass c);
// The class of a code typed exactly ("BWh"; "bwh" is no code).
std::optional<ClimateClass> ClimateClassFromCode(std::string_view code);

// Which rule decided the main group.
enum class ClimateGroupRule : std::uint8_t {
    arid,          // MAP < 10 x Pthreshold
    tropical,      // not arid, Tcold >= 18
    polar,         // not arid, not tropical, Thot <= 10
    temperate,     // none of those, Tcold > 0
    cold,          // none of those, Tcold <= 0
};

// The class and the values that decided it. Months are calendar months,
// 0 = January, whatever order the record holds them in.
struct ClimateFacts {
    std::optional<ClimateClass> climate_class;  // none: see ClassifyClimate
    std::array<double, 12> temp_c{};             // calendar order
    std::array<double, 12> precip_mm{};
    double annual_mean_temp_c = 0;  // MAT, the mean of the twelve
    double annual_precip_mm = 0;    // MAP, the sum of the twelve
    int warmest_month = 0;          // the first month of the highest T
    int coldest_month = 0;
    double temp_hot_c = 0;          // Thot
    double temp_cold_c = 0;         // Tcold
    int months_at_least_10 = 0;     // Tmon10
    int driest_month = 0;
    int wettest_month = 0;
    double precip_dry_mm = 0;       // Pdry
    double precip_wet_mm = 0;
    bool summer_april_september = true;  // else October-March is summer
    double summer_precip_mm = 0;
    double winter_precip_mm = 0;
    double summer_dry_mm = 0, summer_wet_mm = 0;  // Psdry, Pswet
    double winter_dry_mm = 0, winter_wet_mm = 0;  // Pwdry, Pwwet
    double precip_threshold_mm = 0;               // Pthreshold
    ClimateGroupRule group_rule = ClimateGroupRule::arid;
    int humid_months = 0;  // P > 2T, as the diagram fills them
    int arid_months = 0;   // P < 2T
};

// No class when any of the 24 month values is not finite, any
// precipitation is negative, or all 24 are zero (the start record); the
// values are then computed as far as they are defined.
ClimateFacts ClassifyClimate(const StationRecord& record);
// The same from the twelve months in calendar order, January first.
ClimateFacts ClassifyClimateMonths(const float temp_c[12], const float precip_mm[12]);
