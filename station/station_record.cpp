#include "station/station_record.h"

#include <cstdio>
#include <cstring>
#include <limits>

#include "station/byte_image.h"

const char month_names_jan_first[kMonthSlots][6] = {
    "",      "Jan  ", "Feb  ", "Mar  ", "Apr  ", "May  ", "Jun  ",
    "Jul  ", "Aug  ", "Sep  ", "Oct  ", "Nov  ", "Dec  ", "Year"};
const char month_names_jul_first[kMonthSlots][6] = {
    "",      "Jul  ", "Aug  ", "Sep  ", "Oct  ", "Nov  ", "Dec  ",
    "Jan  ", "Feb  ", "Mar  ", "Apr  ", "May  ", "Jun  ", "Year"};

StationRecord MakeStartupRecord() {
    StationRecord record;
    std::memset(&record, 0, sizeof record);
    SetFieldText(record.station_name, "NO DATASET");
    SetFieldText(record.station_number, "0");
    SetFieldText(record.country_name, "NO DATASET");
    SetFieldText(record.lat_hemisphere, "X");
    SetFieldText(record.lon_hemisphere, "X");
    SetWindowCreationFlags(record);
    return record;
}

void SetWindowCreationFlags(StationRecord& record) {
    record.show_abs_max = 1;
    record.show_abs_min = 1;
    record.show_warmest_max = 1;
    record.show_coldest_min = 1;
    record.diagram_mode = 1;
    record.month_labels = 0;
}

namespace {

// One walk over the field list in image order serves both directions, so
// the reader and the writer can never disagree on an offset.
template <typename Io>
void WalkRecord(Io& io) {
#define VARNOK_WALK_FIELD(name) io.Field(record_offset::name, io.r->name);
    VARNOK_RECORD_FIELDS(VARNOK_WALK_FIELD)
#undef VARNOK_WALK_FIELD
}

struct Writer {
    const StationRecord* r;
    std::uint8_t* out;
    template <std::size_t N>
    void Field(std::size_t at, const char (&text)[N]) { std::memcpy(out + at, text, N); }
    void Field(std::size_t at, std::int32_t v) { PutInt32(out + at, v); }
    void Field(std::size_t at, float v) { PutFloat32(out + at, v); }
    template <typename T, std::size_t N>
    void Field(std::size_t at, const T (&values)[N]) {
        for (std::size_t i = 0; i < N; ++i) Field(at + 4 * i, values[i]);
    }
};

struct Reader {
    StationRecord* r;
    const std::uint8_t* in;
    template <std::size_t N>
    void Field(std::size_t at, char (&text)[N]) { std::memcpy(text, in + at, N); }
    void Field(std::size_t at, std::int32_t& v) { v = GetInt32(in + at); }
    void Field(std::size_t at, float& v) { v = GetFloat32(in + at); }
    template <typename T, std::size_t N>
    void Field(std::size_t at, T (&values)[N]) {
        for (std::size_t i = 0; i < N; ++i) Field(at + 4 * i, values[i]);
    }
};

}  // namespace

void SerializeRecord(const StationRecord& record, RecordImage& image) {
    Writer w{&record, image.data()};
    WalkRecord(w);
}

void DeserializeRecord(const RecordImage& image, StationRecord& record) {
    Reader r{&record, image.data()};
    WalkRecord(r);
}

// The plain conversion of a double beyond the float range is undefined in
// C++, and twelve huge floats from a foreign station file get there.
float AnnualSumToFloat(double sum) {
    constexpr double kRoundsToInfinity = 0x1.ffffffp+127;  // FLT_MAX plus half its last step
    if (sum >= kRoundsToInfinity) return std::numeric_limits<float>::infinity();
    if (sum <= -kRoundsToInfinity) return -std::numeric_limits<float>::infinity();
    if (sum > std::numeric_limits<float>::max()) return std::numeric_limits<float>::max();
    if (sum < -std::numeric_limits<float>::max()) return -std::numeric_limits<float>::max();
    return static_cast<float>(sum);  // NaN stays NaN
}

float AnnualMeanOfSum(double temp_sum) {
    constexpr float kTwelfth = 1.0f / 12.0f;  // 0.083333336f
    return AnnualSumToFloat(temp_sum * static_cast<double>(kTwelfth));
}

void UpdateDerivedValues(StationData& station, MonthExtremes extremes) {
    StationRecord& r = station.record;
    double precip_sum = 0.0;
    double temp_sum = 0.0;
    for (int i = 12; i >= 1; --i) {
        precip_sum += r.precip_mm[i];
        temp_sum += r.temp_c[i];
    }
    station.annual_precip_mm = AnnualSumToFloat(precip_sum);
    station.annual_mean_temp_c = AnnualMeanOfSum(temp_sum);

    if (extremes == MonthExtremes::recompute) {
        float coldest = r.temp_min_c[1];
        float warmest = r.temp_max_c[1];
        for (int i = 2; i <= 12; ++i) {
            if (r.temp_min_c[i] < coldest) coldest = r.temp_min_c[i];
            if (r.temp_max_c[i] > warmest) warmest = r.temp_max_c[i];
        }
        r.coldest_month_min_c = coldest;
        r.warmest_month_max_c = warmest;
    }

    // Only the first byte of each hemisphere field is written.
    r.lat_hemisphere[0] = r.latitude < 0.0f ? 'S' : 'N';
    r.lon_hemisphere[0] = r.longitude < 0.0f ? 'W' : 'E';
}

void SwapHalfYears(MonthArray& months) {
    for (int i = 1; i <= 6; ++i) {
        months[0] = months[i];
        months[i] = months[i + 6];
        months[i + 6] = months[0];
    }
}

bool IsSouthernStation(const StationRecord& record) {
    return FieldText(record.lat_hemisphere) == "S" || record.latitude < 0.0f;
}

bool IsEasternStation(const StationRecord& record) {
    return FieldText(record.lon_hemisphere) != "W" && record.longitude >= 0.0f;
}

std::string CoordinateText(std::int32_t degrees, std::int32_t minutes) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%.2d", static_cast<int>(degrees), static_cast<int>(minutes));
    return text;
}

std::string PositionText(const StationRecord& r) {
    return CoordinateText(r.lat_degrees, r.lat_minutes) + "\xB0" + FieldText(r.lat_hemisphere) + " / " +
           CoordinateText(r.lon_degrees, r.lon_minutes) + "\xB0" + FieldText(r.lon_hemisphere);
}

std::string FieldText(const char* field, std::size_t size) {
    std::size_t n = 0;
    while (n < size && field[n] != '\0') ++n;
    return std::string(field, n);
}

void SetFieldText(char* field, std::size_t size, std::string_view text) {
    if (size == 0) return;
    std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(field, text.data(), n);
    field[n] = '\0';  // bytes after the terminator keep what they held
}
