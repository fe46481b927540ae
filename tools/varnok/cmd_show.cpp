// varnok show FILE.cli: the station record as one JSON object.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "station/station_file.h"
#include "station/text_encoding.h"
#include "tools/varnok/commands.h"

namespace {

class JsonObject {
public:
    void Text(const char* name, const std::string& cp1252) { Key(name); Quote(Cp1252ToUtf8(cp1252)); }
    void Int(const char* name, long long v) { Key(name); out_ += std::to_string(v); }
    void Real(const char* name, float v) { Key(name); AppendReal(v); }
    void Reals(const char* name, const float* v, int n) {
        Key(name);
        out_ += '[';
        for (int i = 0; i < n; ++i) {
            if (i) out_ += ", ";
            AppendReal(v[i]);
        }
        out_ += ']';
    }
    void Ints(const char* name, const int* v, int n) {
        Key(name);
        out_ += '[';
        for (int i = 0; i < n; ++i) {
            if (i) out_ += ", ";
            out_ += std::to_string(v[i]);
        }
        out_ += ']';
    }
    std::string Finish() { return out_ + "\n}\n"; }

private:
    void Key(const char* name) {
        out_ += out_.empty() ? "{\n  \"" : ",\n  \"";
        out_ += name;
        out_ += "\": ";
    }
    // The shortest decimal text that reads back to the same float32.
    void AppendReal(float v) {
        if (!std::isfinite(v)) {
            out_ += "null";
            return;
        }
        char buf[32];
        auto res = std::to_chars(buf, buf + sizeof buf, v);
        out_.append(buf, res.ptr);
    }
    void Quote(const std::string& s) {
        out_ += '"';
        for (unsigned char c : s) {
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += static_cast<char>(c);
            } else if (c < 0x20) {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\u%04x", c);
                out_ += esc;
            } else {
                out_ += static_cast<char>(c);
            }
        }
        out_ += '"';
    }
    std::string out_;
};

std::string StationJson(const StationData& station) {
    const StationRecord& r = station.record;
    JsonObject j;
    j.Text("station_name", FieldText(r.station_name));
    j.Text("station_number", FieldText(r.station_number));
    j.Text("country_name", FieldText(r.country_name));
    j.Text("lat_hemisphere", FieldText(r.lat_hemisphere));
    j.Text("lon_hemisphere", FieldText(r.lon_hemisphere));
    j.Int("elevation_m", r.elevation_m);
    j.Int("country_code", r.country_code);
    j.Int("temp_years", r.temp_years);
    j.Int("precip_years", r.precip_years);
    j.Real("latitude", r.latitude);
    j.Int("lat_degrees", r.lat_degrees);
    j.Int("lat_minutes", r.lat_minutes);
    j.Real("longitude", r.longitude);
    j.Int("lon_degrees", r.lon_degrees);
    j.Int("lon_minutes", r.lon_minutes);
    j.Reals("precip_mm", r.precip_mm, kMonthSlots);
    j.Reals("temp_c", r.temp_c, kMonthSlots);
    j.Reals("precip_min_mm", r.precip_min_mm, kMonthSlots);
    j.Reals("precip_max_mm", r.precip_max_mm, kMonthSlots);
    j.Reals("temp_min_c", r.temp_min_c, kMonthSlots);
    j.Reals("temp_max_c", r.temp_max_c, kMonthSlots);
    j.Real("abs_min_c", r.abs_min_c);
    j.Real("abs_max_c", r.abs_max_c);
    j.Real("coldest_month_min_c", r.coldest_month_min_c);
    j.Real("warmest_month_max_c", r.warmest_month_max_c);
    int frost[12];
    for (int i = 0; i < 12; ++i) frost[i] = r.frost_flags[i];
    j.Ints("frost_flags", frost, 12);
    j.Int("show_abs_max", r.show_abs_max);
    j.Int("show_abs_min", r.show_abs_min);
    j.Int("show_warmest_max", r.show_warmest_max);
    j.Int("show_coldest_min", r.show_coldest_min);
    j.Int("diagram_mode", r.diagram_mode);
    j.Int("month_labels", r.month_labels);
    j.Real("annual_precip_mm", station.annual_precip_mm);
    j.Real("annual_mean_temp_c", station.annual_mean_temp_c);
    return j.Finish();
}

}  // namespace

bool LoadStationForTool(const std::string& path, StationData& station) {
    station = StationData{};
    station.record = MakeStartupRecord();
    StationFileResult result = ReadStationFile(path, station.record);
    if (result != StationFileResult::ok) {
        std::fprintf(stderr, "varnok: %s\n", DescribeStationFileResult(result, path).c_str());
        return false;
    }
    FinishOpenedStation(station);
    return true;
}

int RunShow(const Args& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: varnok show FILE.cli\n");
        return 1;
    }
    StationData station;
    if (!LoadStationForTool(args[0], station)) return 1;
    std::string json = StationJson(station);
    if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "varnok: could not write the output\n");
        return 1;
    }
    return 0;
}
