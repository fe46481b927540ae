#include "app/logic/climate_facts.h"

#include <cstdarg>
#include <cstdio>

#include "station/text_encoding.h"

namespace {

const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

// U+00B0, U+2265, U+2264, U+00D7 in UTF-8.
#define DEG "\xC2\xB0"
#define GE "\xE2\x89\xA5"
#define LE "\xE2\x89\xA4"
#define TIMES "\xC3\x97"

void Line(std::string& out, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

void Line(std::string& out, const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    out.append(buffer).append("\r\n");
}

// The rules in the order they are tried, each with the values it compared,
// up to the one that decided the group.
void GroupSentences(std::string& out, const ClimateFacts& f) {
    const double map = f.annual_precip_mm;
    const double threshold = f.precip_threshold_mm;
    if (f.group_rule == ClimateGroupRule::arid) {
        Line(out, "arid: %.0f mm < 10 " TIMES " %.1f mm", map, threshold);
        return;
    }
    Line(out, "not arid: %.0f mm " GE " 10 " TIMES " %.1f mm", map, threshold);
    if (f.group_rule == ClimateGroupRule::tropical) {
        Line(out, "tropical: coldest month %.1f " DEG "C " GE " 18 " DEG "C", f.temp_cold_c);
        return;
    }
    Line(out, "not tropical: coldest month %.1f " DEG "C < 18 " DEG "C", f.temp_cold_c);
    if (f.group_rule == ClimateGroupRule::polar) {
        Line(out, "polar: warmest month %.1f " DEG "C " LE " 10 " DEG "C", f.temp_hot_c);
        return;
    }
    Line(out, "not polar: warmest month %.1f " DEG "C > 10 " DEG "C", f.temp_hot_c);
    if (f.group_rule == ClimateGroupRule::temperate) {
        Line(out, "temperate: coldest month %.1f " DEG "C > 0 " DEG "C", f.temp_cold_c);
    } else {
        Line(out, "cold: coldest month %.1f " DEG "C " LE " 0 " DEG "C", f.temp_cold_c);
    }
}

}  // namespace

std::string ClimateFactsText(const ClimateFacts& f) {
    std::string out;
    if (!f.climate_class) {
        Line(out, "No climate class: the station has no complete twelve months of temperature and precipitation.");
        return out;
    }
    out = Cp1252ToUtf8(ClimateClassLine(*f.climate_class)) + "\r\n\r\n";
    Line(out, "Annual mean temperature: %.1f " DEG "C", f.annual_mean_temp_c);
    Line(out, "Annual range: %.1f " DEG "C", f.temp_hot_c - f.temp_cold_c);
    Line(out, "Coldest month: %s, %.1f " DEG "C", kMonthNames[f.coldest_month], f.temp_cold_c);
    Line(out, "Warmest month: %s, %.1f " DEG "C", kMonthNames[f.warmest_month], f.temp_hot_c);
    Line(out, "Months at or above 10 " DEG "C: %d", f.months_at_least_10);
    Line(out, "Annual precipitation: %.0f mm", f.annual_precip_mm);
    Line(out, "Driest month: %s, %.0f mm", kMonthNames[f.driest_month], f.precip_dry_mm);
    Line(out, "Wettest month: %s, %.0f mm", kMonthNames[f.wettest_month], f.precip_wet_mm);
    Line(out, "Humid months (P > 2T): %d", f.humid_months);
    Line(out, "Arid months (P < 2T): %d", f.arid_months);
    Line(out, "Pthreshold: %.1f mm", f.precip_threshold_mm);
    GroupSentences(out, f);
    return out;
}
