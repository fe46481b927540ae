#include "app/logic/manual_entry.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "database/data_text.h"

// Read-back buffers in characters including the terminator. The name and
// country buffers keep the typed texts within 31 characters and the number
// within 15, well inside their 64-byte record fields.
const ManualEntryEdit kManualEntryEdits[kManualEntryEditCount] = {
    {IDC_STATION_NAME, 32}, {IDC_STATION_NUMBER_TEXT, 16}, {IDC_COUNTRY_NAME, 32},
    {IDC_COUNTRY_CODE, 16}, {IDC_ELEVATION, 16},      {IDC_LATITUDE, 32},
    {IDC_LONGITUDE, 32},    {IDC_TEMP_YEARS, 32},     {IDC_PRECIP_YEARS, 32},
    {IDC_ABS_MAX, 32},      {IDC_ABS_MIN, 32},        {IDC_WARMEST_MAX, 16},
    {IDC_COLDEST_MIN, 16},
    {IDC_PRECIP_MONTH, 16},      {IDC_PRECIP_MONTH + 1, 16},  {IDC_PRECIP_MONTH + 2, 16},
    {IDC_PRECIP_MONTH + 3, 16},  {IDC_PRECIP_MONTH + 4, 16},  {IDC_PRECIP_MONTH + 5, 16},
    {IDC_PRECIP_MONTH + 6, 16},  {IDC_PRECIP_MONTH + 7, 16},  {IDC_PRECIP_MONTH + 8, 16},
    {IDC_PRECIP_MONTH + 9, 16},  {IDC_PRECIP_MONTH + 10, 16}, {IDC_PRECIP_MONTH + 11, 16},
    {IDC_TEMP_MONTH, 16},        {IDC_TEMP_MONTH + 1, 16},    {IDC_TEMP_MONTH + 2, 16},
    {IDC_TEMP_MONTH + 3, 16},    {IDC_TEMP_MONTH + 4, 16},    {IDC_TEMP_MONTH + 5, 16},
    {IDC_TEMP_MONTH + 6, 16},    {IDC_TEMP_MONTH + 7, 16},    {IDC_TEMP_MONTH + 8, 16},
    {IDC_TEMP_MONTH + 9, 16},    {IDC_TEMP_MONTH + 10, 16},   {IDC_TEMP_MONTH + 11, 16},
};

const int kManualEntryChecks[kManualEntryCheckCount] = {
    IDC_NORTH, IDC_SOUTH, IDC_EAST, IDC_WEST,
    IDC_SHOW_ABS_MAX, IDC_SHOW_ABS_MIN, IDC_SHOW_COLDEST_MIN, IDC_SHOW_WARMEST_MAX,
    IDC_FROST_BAR, IDC_FROST_BAR + 1, IDC_FROST_BAR + 2, IDC_FROST_BAR + 3,
    IDC_FROST_BAR + 4, IDC_FROST_BAR + 5, IDC_FROST_BAR + 6, IDC_FROST_BAR + 7,
    IDC_FROST_BAR + 8, IDC_FROST_BAR + 9, IDC_FROST_BAR + 10, IDC_FROST_BAR + 11,
    IDC_FROST_OUTLINE, IDC_FROST_OUTLINE + 1, IDC_FROST_OUTLINE + 2, IDC_FROST_OUTLINE + 3,
    IDC_FROST_OUTLINE + 4, IDC_FROST_OUTLINE + 5, IDC_FROST_OUTLINE + 6,
    IDC_FROST_OUTLINE + 7, IDC_FROST_OUTLINE + 8, IDC_FROST_OUTLINE + 9,
    IDC_FROST_OUTLINE + 10, IDC_FROST_OUTLINE + 11,
};

void ClearTrailingBlanks(char* text, std::size_t size) {
    const std::string_view held = CutAtNul(std::string_view(text, size));
    for (std::size_t n = TrimTrailingBlanks(held).size(); n < held.size(); ++n) text[n] = '\0';
}

namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char buffer[96];
    int n = std::snprintf(buffer, sizeof buffer, format, args...);
    if (n < 0) return std::string();
    if (static_cast<std::size_t>(n) < sizeof buffer) return std::string(buffer, n);
    // Only a huge float from a foreign file gets here (up to 40 digits).
    std::string long_text(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(&long_text[0], long_text.size(), format, args...);
    long_text.resize(static_cast<std::size_t>(n));
    return long_text;
}

std::string TempText(float value) { return Format("%+2.1f", static_cast<double>(value)); }
std::string PrecipText(float value) { return Format("%4.0f", static_cast<double>(value)); }
std::string YearsText(std::int32_t years) { return Format("   %d", static_cast<int>(years)); }

// The text of a field as the dialog reads it: cut at the first NUL and to
// the field's buffer; an absent control reads as empty.
std::string FieldOf(const ManualEntryForm& form, int control) {
    auto found = form.texts.find(control);
    if (found == form.texts.end()) return std::string();
    std::string text = found->second.substr(0, found->second.find('\0'));
    for (const ManualEntryEdit& edit : kManualEntryEdits) {
        if (edit.id == control && text.size() > static_cast<std::size_t>(edit.buffer_chars - 1)) {
            text.resize(static_cast<std::size_t>(edit.buffer_chars - 1));
        }
    }
    return text;
}

bool CheckedIn(const ManualEntryForm& form, int control) {
    auto found = form.checks.find(control);
    return found != form.checks.end() && found->second;
}

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A double as float without undefined behaviour: finite values beyond the
// float range are clamped to it, infinities and NaN pass through.
float ToFloat(double value) {
    if (value > FLT_MAX && std::isfinite(value)) return FLT_MAX;
    if (value < -FLT_MAX && std::isfinite(value)) return -FLT_MAX;
    return static_cast<float>(value);
}

// Truncation toward zero, clamped to the int32 range; NaN gives 0.
std::int32_t TruncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

// The first two digits after the decimal point of the decimal number that
// starts the text (exponent applied to the digits, not to a binary value),
// so "2.01" gives 1 and "5.231e1" gives 31. No decimal number gives 0.
std::int32_t TypedMinutes(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    std::string digits;
    long point = 0;  // digits before the decimal point
    while (at < text.size() && IsDigit(text[at])) digits += text[at++], ++point;
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && IsDigit(text[at])) digits += text[at++];
    }
    if (digits.empty()) return 0;
    if (at + 1 < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exp_at = at + 1;
        bool negative = false;
        if (text[exp_at] == '+' || text[exp_at] == '-') negative = text[exp_at++] == '-';
        long exponent = 0;
        while (exp_at < text.size() && IsDigit(text[exp_at])) {
            if (exponent < 100000) exponent = exponent * 10 + (text[exp_at] - '0');
            ++exp_at;
        }
        if (exp_at > at + 1 && IsDigit(text[exp_at - 1])) point += negative ? -exponent : exponent;
    }
    auto digit_at = [&](long index) {
        return index >= 0 && index < static_cast<long>(digits.size()) ? digits[index] - '0' : 0;
    };
    return digit_at(point) * 10 + digit_at(point + 1);
}

// The hemisphere sign rule of OK: a positive value is negated for S or W; a
// typed negative value stays negative whichever button is checked.
void StoreCoordinate(const std::string& text, bool negative_side, const char* letter,
                     float& value, std::int32_t& degrees, std::int32_t& minutes,
                     char (&hemisphere)[2]) {
    TypedCoordinate typed = ReadCoordinateField(text);
    value = ToFloat(typed.value);
    degrees = typed.degrees;
    minutes = typed.minutes;
    if (negative_side && value > 0.0f) value *= -1.0f;
    hemisphere[0] = letter[0];
    hemisphere[1] = '\0';
}

}  // namespace

float ReadRealField(const std::string& text) {
    return ToFloat(std::strtod(text.c_str(), nullptr));
}

std::int32_t ReadIntField(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    std::int64_t value = 0;
    while (at < text.size() && IsDigit(text[at])) {
        if (value <= 2147483648LL) value = value * 10 + (text[at] - '0');
        ++at;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return std::numeric_limits<std::int32_t>::max();
    if (value < -2147483648LL) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

TypedCoordinate ReadCoordinateField(const std::string& text) {
    TypedCoordinate typed;
    typed.value = std::strtod(text.c_str(), nullptr);
    typed.degrees = TruncateToInt32(typed.value);
    typed.minutes = TypedMinutes(text);
    return typed;
}

ManualEntryForm MonthHeads(bool southern) {
    const char(*names)[6] = southern ? month_names_jul_first : month_names_jan_first;
    ManualEntryForm form;
    for (int i = 0; i < 12; ++i) {
        form.texts[IDC_PRECIP_HEAD + i] = names[i + 1];
        form.texts[IDC_TEMP_HEAD + i] = names[i + 1];
    }
    return form;
}

ManualEntryForm OpenManualEntry(StationRecord& r) {
    ManualEntryForm form;
    ClearTrailingBlanks(r.station_name);
    form.texts[IDC_STATION_NAME] = FieldText(r.station_name);
    ClearTrailingBlanks(r.country_name);
    form.texts[IDC_COUNTRY_NAME] = FieldText(r.country_name);
    ClearTrailingBlanks(r.station_number);
    form.texts[IDC_STATION_NUMBER_TEXT] = FieldText(r.station_number);

    bool north = !IsSouthernStation(r);
    form.checks[IDC_NORTH] = north;
    form.checks[IDC_SOUTH] = !north;
    // The template's heads read "Jan".."Dec"; only a southern station
    // relabels them at start.
    if (!north) {
        for (const auto& head : MonthHeads(true).texts) form.texts[head.first] = head.second;
    }
    bool east = IsEasternStation(r);
    form.checks[IDC_EAST] = east;
    form.checks[IDC_WEST] = !east;

    for (int i = 0; i < 12; ++i) {
        form.texts[IDC_TEMP_MONTH + i] = TempText(r.temp_c[i + 1]);
        form.texts[IDC_PRECIP_MONTH + i] = PrecipText(r.precip_mm[i + 1]);
        form.checks[IDC_FROST_BAR + i] = r.frost_flags[i] == 1;
        form.checks[IDC_FROST_OUTLINE + i] = r.frost_flags[i] == 2;
    }
    form.checks[IDC_SHOW_ABS_MAX] = r.show_abs_max != 0;
    form.checks[IDC_SHOW_ABS_MIN] = r.show_abs_min != 0;
    form.checks[IDC_SHOW_COLDEST_MIN] = r.show_coldest_min != 0;
    form.checks[IDC_SHOW_WARMEST_MAX] = r.show_warmest_max != 0;

    form.texts[IDC_COUNTRY_CODE] = Format("%d", static_cast<int>(r.country_code));
    form.texts[IDC_ELEVATION] = Format("%d", static_cast<int>(r.elevation_m));
    form.texts[IDC_TEMP_YEARS] = YearsText(r.temp_years);
    form.texts[IDC_COLDEST_MIN] = TempText(r.coldest_month_min_c);
    form.texts[IDC_WARMEST_MAX] = TempText(r.warmest_month_max_c);
    form.texts[IDC_ABS_MAX] = TempText(r.abs_max_c);
    form.texts[IDC_ABS_MIN] = TempText(r.abs_min_c);
    form.texts[IDC_PRECIP_YEARS] = YearsText(r.precip_years);
    form.texts[IDC_LATITUDE] = CoordinateText(r.lat_degrees, r.lat_minutes);
    form.texts[IDC_LONGITUDE] = CoordinateText(r.lon_degrees, r.lon_minutes);
    return form;
}

namespace {

// What OK compares against: the form the dialog was opened with. The
// record is the one OpenManualEntry showed (the dialog is modal), so the
// texts and checks it would show now are the ones shown then.
struct ShownForm {
    const ManualEntryForm& typed;
    ManualEntryForm shown;

    // True when the user left the field's text as it was shown; such a
    // field keeps its stored value exactly ("71" stands for 70.6 mm).
    bool Kept(int control) const { return FieldOf(typed, control) == FieldOf(shown, control); }
    bool KeptCheck(int control) const { return CheckedIn(typed, control) == CheckedIn(shown, control); }
};

ShownForm MakeShownForm(const ManualEntryForm& typed, const StationRecord& record) {
    StationRecord copy = record;
    return ShownForm{typed, OpenManualEntry(copy)};
}

void ReadReal(const ShownForm& f, int control, float& value) {
    if (!f.Kept(control)) value = ReadRealField(FieldOf(f.typed, control));
}

void ReadInt(const ShownForm& f, int control, std::int32_t& value) {
    if (!f.Kept(control)) value = ReadIntField(FieldOf(f.typed, control));
}

template <std::size_t N>
void ReadText(const ShownForm& f, int control, char (&field)[N]) {
    if (!f.Kept(control)) SetFieldText(field, FieldOf(f.typed, control));
}

void ReadFlag(const ShownForm& f, int control, std::int32_t& flag) {
    if (!f.KeptCheck(control)) flag = CheckedIn(f.typed, control) ? 1 : 0;
}

// A coordinate whose text and both hemisphere buttons are as shown keeps
// its value, degrees, minutes and letter; otherwise it is read as typed.
void ReadCoordinate(const ShownForm& f, int control, int positive_button, int negative_button,
                    const char* letters, float& value, std::int32_t& degrees, std::int32_t& minutes,
                    char (&hemisphere)[2]) {
    if (f.Kept(control) && f.KeptCheck(positive_button) && f.KeptCheck(negative_button)) return;
    bool negative = CheckedIn(f.typed, negative_button);
    const char letter[2] = {letters[negative ? 1 : 0], '\0'};
    StoreCoordinate(FieldOf(f.typed, control), negative, letter, value, degrees, minutes, hemisphere);
}

}  // namespace

void ApplyManualEntry(const ManualEntryForm& form, StationData& station) {
    StationRecord& r = station.record;
    const ShownForm f = MakeShownForm(form, r);
    double temp_sum = 0.0;
    for (int i = 0; i < 12; ++i) {
        ReadReal(f, IDC_TEMP_MONTH + i, r.temp_c[i + 1]);
        temp_sum += r.temp_c[i + 1];
    }
    station.annual_mean_temp_c = AnnualMeanOfSum(temp_sum);
    double precip_sum = 0.0;
    for (int i = 0; i < 12; ++i) {
        ReadReal(f, IDC_PRECIP_MONTH + i, r.precip_mm[i + 1]);
        precip_sum += r.precip_mm[i + 1];
    }
    station.annual_precip_mm = AnnualSumToFloat(precip_sum);

    ReadInt(f, IDC_ELEVATION, r.elevation_m);
    ReadInt(f, IDC_COUNTRY_CODE, r.country_code);
    ReadReal(f, IDC_COLDEST_MIN, r.coldest_month_min_c);
    ReadReal(f, IDC_WARMEST_MAX, r.warmest_month_max_c);
    ReadText(f, IDC_STATION_NAME, r.station_name);
    ReadText(f, IDC_STATION_NUMBER_TEXT, r.station_number);
    ReadText(f, IDC_COUNTRY_NAME, r.country_name);
    ReadInt(f, IDC_TEMP_YEARS, r.temp_years);
    ReadInt(f, IDC_PRECIP_YEARS, r.precip_years);
    ReadReal(f, IDC_ABS_MAX, r.abs_max_c);
    ReadReal(f, IDC_ABS_MIN, r.abs_min_c);
    ReadFlag(f, IDC_SHOW_ABS_MAX, r.show_abs_max);
    ReadFlag(f, IDC_SHOW_ABS_MIN, r.show_abs_min);
    ReadFlag(f, IDC_SHOW_COLDEST_MIN, r.show_coldest_min);
    ReadFlag(f, IDC_SHOW_WARMEST_MAX, r.show_warmest_max);

    ReadCoordinate(f, IDC_LATITUDE, IDC_NORTH, IDC_SOUTH, "NS", r.latitude, r.lat_degrees, r.lat_minutes,
                   r.lat_hemisphere);
    ReadCoordinate(f, IDC_LONGITUDE, IDC_EAST, IDC_WEST, "EW", r.longitude, r.lon_degrees, r.lon_minutes,
                   r.lon_hemisphere);

    // When both boxes of a column are checked the filled bar wins. A column
    // whose two boxes are as shown keeps its mark.
    for (int i = 0; i < 12; ++i) {
        if (f.KeptCheck(IDC_FROST_OUTLINE + i) && f.KeptCheck(IDC_FROST_BAR + i)) continue;
        r.frost_flags[i] = 0;
        if (CheckedIn(form, IDC_FROST_OUTLINE + i)) r.frost_flags[i] = 2;
        if (CheckedIn(form, IDC_FROST_BAR + i)) r.frost_flags[i] = 1;
    }
}

const char kRefusedCharacterCaption[] = "Varnok 32";

std::string RefusedCharacterText(const std::string& character, unsigned code_point) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", code_point);
    return "The character \"" + character + "\" (" + number +
           ") cannot be stored: station data hold only the characters of Windows-1252 "
           "(Western European). Nothing was stored; please replace it.";
}
