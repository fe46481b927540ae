// The station record: the one climate station the program holds, and the
// byte image that is at the same time the station file format (*.cli).
//
// The in-memory struct is never written out as raw memory: SerializeRecord and
// DeserializeRecord move every field to and from its fixed offset in the
// 660-byte little-endian image, so the layout is the same on i686 Windows and
// on 64-bit Linux.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr std::size_t kRecordSize = 660;
constexpr int kMonthSlots = 14;  // slot 0 scratch, 1..12 months in display order, 13 year column

using RecordImage = std::array<std::uint8_t, kRecordSize>;
using MonthArray = float[kMonthSlots];

struct StationRecord {
    char station_name[64];
    char station_number[64];
    char country_name[64];
    char lat_hemisphere[2];
    char lon_hemisphere[2];
    std::int32_t elevation_m;
    std::int32_t country_code;
    std::int32_t temp_years;
    std::int32_t precip_years;
    float latitude;  // signed degrees.minutes; only the sign is read
    std::int32_t lat_degrees;
    std::int32_t lat_minutes;
    float longitude;
    std::int32_t lon_degrees;
    std::int32_t lon_minutes;
    float precip_mm[kMonthSlots];
    float temp_c[kMonthSlots];
    float precip_min_mm[kMonthSlots];
    float precip_max_mm[kMonthSlots];
    float temp_min_c[kMonthSlots];
    float temp_max_c[kMonthSlots];
    float abs_min_c;  // -999.0 marks "not available"
    float abs_max_c;
    float coldest_month_min_c;
    float warmest_month_max_c;
    std::int32_t frost_flags[12];  // index 0 = slot 1: 0 none, 1 filled bar, 2 outline
    std::int32_t show_abs_max;
    std::int32_t show_abs_min;
    std::int32_t show_warmest_max;
    std::int32_t show_coldest_min;
    std::int32_t diagram_mode;  // 1 diagram, 0 table
    std::int32_t month_labels;  // 1 month initials under the diagram
};

// Byte offsets of the fields in the record image.
namespace record_offset {
constexpr std::size_t station_name = 0;
constexpr std::size_t station_number = 64;
constexpr std::size_t country_name = 128;
constexpr std::size_t lat_hemisphere = 192;
constexpr std::size_t lon_hemisphere = 194;
constexpr std::size_t elevation_m = 196;
constexpr std::size_t country_code = 200;
constexpr std::size_t temp_years = 204;
constexpr std::size_t precip_years = 208;
constexpr std::size_t latitude = 212;
constexpr std::size_t lat_degrees = 216;
constexpr std::size_t lat_minutes = 220;
constexpr std::size_t longitude = 224;
constexpr std::size_t lon_degrees = 228;
constexpr std::size_t lon_minutes = 232;
constexpr std::size_t precip_mm = 236;
constexpr std::size_t temp_c = 292;
constexpr std::size_t precip_min_mm = 348;
constexpr std::size_t precip_max_mm = 404;
constexpr std::size_t temp_min_c = 460;
constexpr std::size_t temp_max_c = 516;
constexpr std::size_t abs_min_c = 572;
constexpr std::size_t abs_max_c = 576;
constexpr std::size_t coldest_month_min_c = 580;
constexpr std::size_t warmest_month_max_c = 584;
constexpr std::size_t frost_flags = 588;
constexpr std::size_t show_abs_max = 636;
constexpr std::size_t show_abs_min = 640;
constexpr std::size_t show_warmest_max = 644;
constexpr std::size_t show_coldest_min = 648;
constexpr std::size_t diagram_mode = 652;
constexpr std::size_t month_labels = 656;
}  // namespace record_offset

// The record's fields in image order: the one list that the byte walk of
// SerializeRecord and DeserializeRecord and the JSON of `varnok show` are
// generated from, and that the struct and the offsets are checked against
// at compile time (each field starts where the one before it ends, the
// last ends at kRecordSize).
#define VARNOK_RECORD_FIELDS(X)                                                                             \
    X(station_name) X(station_number) X(country_name) X(lat_hemisphere) X(lon_hemisphere) X(elevation_m)   \
    X(country_code) X(temp_years) X(precip_years) X(latitude) X(lat_degrees) X(lat_minutes) X(longitude)  \
    X(lon_degrees) X(lon_minutes) X(precip_mm) X(temp_c) X(precip_min_mm) X(precip_max_mm) X(temp_min_c) \
    X(temp_max_c) X(abs_min_c) X(abs_max_c) X(coldest_month_min_c) X(warmest_month_max_c) X(frost_flags) \
    X(show_abs_max) X(show_abs_min) X(show_warmest_max) X(show_coldest_min) X(diagram_mode) X(month_labels)

namespace record_layout_check {
#define VARNOK_FIELD_OFFSET(name) record_offset::name,
#define VARNOK_FIELD_SIZE(name) sizeof(StationRecord::name),
constexpr std::size_t kOffsets[] = {VARNOK_RECORD_FIELDS(VARNOK_FIELD_OFFSET)};
constexpr std::size_t kSizes[] = {VARNOK_RECORD_FIELDS(VARNOK_FIELD_SIZE)};
#undef VARNOK_FIELD_OFFSET
#undef VARNOK_FIELD_SIZE
constexpr bool FieldsTileTheImage() {
    constexpr std::size_t n = sizeof kOffsets / sizeof kOffsets[0];
    if (kOffsets[0] != 0) return false;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (kOffsets[i] + kSizes[i] != kOffsets[i + 1]) return false;
    }
    return kOffsets[n - 1] + kSizes[n - 1] == kRecordSize;
}
static_assert(FieldsTileTheImage(), "the record's fields, their offsets and the image size disagree");
}  // namespace record_layout_check

// The current station: the record plus the two derived values that live
// beside it and are never stored in a file.
struct StationData {
    StationRecord record;
    float annual_precip_mm = 0.0f;
    float annual_mean_temp_c = 0.0f;
};

// The record as it is at program start, including the display flags that
// window creation sets (four show flags 1, diagram_mode 1, month_labels 0).
StationRecord MakeStartupRecord();

// What window creation does to the record: show flags on, diagram mode,
// no month labels.
void SetWindowCreationFlags(StationRecord& record);

void SerializeRecord(const StationRecord& record, RecordImage& image);
void DeserializeRecord(const RecordImage& image, StationRecord& record);

// What becomes of the coldest-month minimum and warmest-month maximum when
// the derived values are recomputed: kept as stored (a station file), or
// recomputed from the month arrays (an import).
enum class MonthExtremes { keep, recompute };

// Recomputes annual_precip_mm, annual_mean_temp_c and the hemisphere
// letters, and the two month extremes when asked.
void UpdateDerivedValues(StationData& station, MonthExtremes extremes);

// A month sum (accumulated in double) as the float that holds it: rounded to
// nearest, infinite past the float range, NaN kept. The manual entry stores
// its annual values through it too, so both ways of loading agree.
float AnnualSumToFloat(double sum);

// Exchanges slots 1..6 with 7..12 using slot 0 as scratch (slot 0 ends as
// the new slot 12). Applying it twice restores slots 1..13.
void SwapHalfYears(MonthArray& months);

// The annual mean temperature of a twelve-month sum: the sum times one
// twelfth as the nearest float, the product rounded to float (a sum of 100
// gives 8.333334, not the 8.333333 of a division).
float AnnualMeanOfSum(double temp_sum);

// A station counts as southern when lat_hemisphere reads "S" (a field
// "SS" from a foreign file does not) or latitude < 0: its months run from
// July in the diagram, the table and the manual entry, and the import
// swaps its half-years.
bool IsSouthernStation(const StationRecord& record);
// A station counts as eastern unless lon_hemisphere reads "W" or
// longitude < 0.
bool IsEasternStation(const StationRecord& record);

// A position as degrees and two-digit minutes: "52.05" is 52 degrees 5
// minutes, where "52.5" would read as a different position.
std::string CoordinateText(std::int32_t degrees, std::int32_t minutes);
// Latitude and longitude with their hemisphere letters: "52.31\xB0N / 13.24\xB0E".
std::string PositionText(const StationRecord& record);

// 14 entries of 6 bytes, indexed like the month arrays.
extern const char month_names_jan_first[kMonthSlots][6];
extern const char month_names_jul_first[kMonthSlots][6];

// Text fields: read at most the field's size (a field from a file need not
// hold a NUL); write at most size-1 bytes and always keep the terminator.
std::string FieldText(const char* field, std::size_t size);
void SetFieldText(char* field, std::size_t size, std::string_view text);

template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
    return FieldText(field, N);
}
template <std::size_t N>
void SetFieldText(char (&field)[N], std::string_view text) {
    SetFieldText(field, N, text);
}
