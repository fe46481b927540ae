// varnok show FILE.cli: the station record as one JSON object.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "station/climate_class.h"
#include "station/station_file.h"
#include "station/text_encoding.h"
#include "tools/varnok/commands.h"

namespace {

class JsonObject {
public:
    void Text(const char* name, const std::string& cp1252) { Key(name); Quote(Cp1252ToUtf8(cp1252)); }
    void Int(const char* name, long long v) { Key(name); out_ += std::to_string(v); }
    void Real(const char* name, float v) { Key(name); AppendReal(v); }
    void Null(const char* name) { Key(name); out_ += "null"; }
    // A record field by its type: a text field, a number, or a list.
    template <std::size_t N>
    void Field(const char* name, const char (&text)[N]) { Text(name, FieldText(text)); }
    void Field(const char* name, std::int32_t v) { Int(name, v); }
    void Field(const char* name, float v) { Real(name, v); }
    template <typename T, std::size_t N>
    void Field(const char* name, const T (&values)[N]) {
        Key(name);
        out_ += '[';
        for (std::size_t i = 0; i < N; ++i) {
            if (i) out_ += ", ";
            AppendNumber(values[i]);
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
    void AppendNumber(float v) { AppendReal(v); }
    void AppendNumber(std::int32_t v) { out_ += std::to_string(v); }
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
#define VARNOK_JSON_FIELD(name) j.Field(#name, r.name);
    VARNOK_RECORD_FIELDS(VARNOK_JSON_FIELD)
#undef VARNOK_JSON_FIELD
    j.Real("annual_precip_mm", station.annual_precip_mm);
    j.Real("annual_mean_temp_c", station.annual_mean_temp_c);
    if (const auto climate_class = ClassifyClimate(r).climate_class) {
        j.Text("climate_class", std::string(ClimateClassCode(*climate_class)));
    } else {
        j.Null("climate_class");
    }
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
