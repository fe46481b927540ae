#include "app/logic/manual_entry.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "database/data_text.h"

namespace id = manual_entry_id;

// Read-back buffers in characters including the terminator. The name and
// country buffers keep the typed texts within 31 characters and the number
// within 15, well inside their 64-byte record fields.
const ManualEntryEdit kManualEntryEdits[kManualEntryEditCount] = {
    {id::station_name, 32}, {id::station_number, 16}, {id::country_name, 32},
    {id::country_code, 16}, {id::elevation, 16},      {id::latitude, 32},
    {id::longitude, 32},    {id::temp_years, 32},     {id::precip_years, 32},
    {id::abs_max, 32},      {id::abs_min, 32},        {id::warmest_max, 16},
    {id::coldest_min, 16},
    {101, 16}, {102, 16}, {103, 16}, {104, 16}, {105, 16}, {106, 16},
    {107, 16}, {108, 16}, {109, 16}, {110, 16}, {111, 16}, {112, 16},
    {114, 16}, {115, 16}, {116, 16}, {117, 16}, {118, 16}, {119, 16},
    {120, 16}, {121, 16}, {122, 16}, {123, 16}, {124, 16}, {125, 16},
};

const int kManualEntryChecks[kManualEntryCheckCount] = {
    id::north, id::south, id::east, id::west,
    id::show_abs_max, id::show_abs_min, id::show_coldest_min, id::show_warmest_max,
    id::frost_bar_first, id::frost_bar_first + 1, id::frost_bar_first + 2, id::frost_bar_first + 3,
    id::frost_bar_first + 4, id::frost_bar_first + 5, id::frost_bar_first + 6, id::frost_bar_first + 7,
    id::frost_bar_first + 8, id::frost_bar_first + 9, id::frost_bar_first + 10, id::frost_bar_first + 11,
    id::frost_outline_first, id::frost_outline_first + 1, id::frost_outline_first + 2, id::frost_outline_first + 3,
    id::frost_outline_first + 4, id::frost_outline_first + 5, id::frost_outline_first + 6,
    id::frost_outline_first + 7, id::frost_outline_first + 8, id::frost_outline_first + 9,
    id::frost_outline_first + 10, id::frost_outline_first + 11,
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
        form.texts[id::precip_head_first + i] = names[i + 1];
        form.texts[id::temp_head_first + i] = names[i + 1];
    }
    return form;
}

ManualEntryForm OpenManualEntry(StationRecord& r) {
    ManualEntryForm form;
    ClearTrailingBlanks(r.station_name);
    form.texts[id::station_name] = FieldText(r.station_name);
    ClearTrailingBlanks(r.country_name);
    form.texts[id::country_name] = FieldText(r.country_name);
    ClearTrailingBlanks(r.station_number);
    form.texts[id::station_number] = FieldText(r.station_number);

    bool north = !IsSouthernStation(r);
    form.checks[id::north] = north;
    form.checks[id::south] = !north;
    // The template's heads read "Jan".."Dec"; only a southern station
    // relabels them at start.
    if (!north) {
        for (const auto& head : MonthHeads(true).texts) form.texts[head.first] = head.second;
    }
    bool east = FieldText(r.lon_hemisphere) != "W" && r.longitude >= 0.0f;
    form.checks[id::east] = east;
    form.checks[id::west] = !east;

    for (int i = 0; i < 12; ++i) {
        form.texts[id::temp_first + i] = TempText(r.temp_c[i + 1]);
        form.texts[id::precip_first + i] = PrecipText(r.precip_mm[i + 1]);
        form.checks[id::frost_bar_first + i] = r.frost_flags[i] == 1;
        form.checks[id::frost_outline_first + i] = r.frost_flags[i] == 2;
    }
    form.checks[id::show_abs_max] = r.show_abs_max != 0;
    form.checks[id::show_abs_min] = r.show_abs_min != 0;
    form.checks[id::show_coldest_min] = r.show_coldest_min != 0;
    form.checks[id::show_warmest_max] = r.show_warmest_max != 0;

    form.texts[id::country_code] = Format("%d", static_cast<int>(r.country_code));
    form.texts[id::elevation] = Format("%d", static_cast<int>(r.elevation_m));
    form.texts[id::temp_years] = YearsText(r.temp_years);
    form.texts[id::coldest_min] = TempText(r.coldest_month_min_c);
    form.texts[id::warmest_max] = TempText(r.warmest_month_max_c);
    form.texts[id::abs_max] = TempText(r.abs_max_c);
    form.texts[id::abs_min] = TempText(r.abs_min_c);
    form.texts[id::precip_years] = YearsText(r.precip_years);
    form.texts[id::latitude] = CoordinateText(r.lat_degrees, r.lat_minutes);
    form.texts[id::longitude] = CoordinateText(r.lon_degrees, r.lon_minutes);
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
        ReadReal(f, id::temp_first + i, r.temp_c[i + 1]);
        temp_sum += r.temp_c[i + 1];
    }
    station.annual_mean_temp_c = AnnualMeanOfSum(temp_sum);
    double precip_sum = 0.0;
    for (int i = 0; i < 12; ++i) {
        ReadReal(f, id::precip_first + i, r.precip_mm[i + 1]);
        precip_sum += r.precip_mm[i + 1];
    }
    station.annual_precip_mm = AnnualSumToFloat(precip_sum);

    ReadInt(f, id::elevation, r.elevation_m);
    ReadInt(f, id::country_code, r.country_code);
    ReadReal(f, id::coldest_min, r.coldest_month_min_c);
    ReadReal(f, id::warmest_max, r.warmest_month_max_c);
    ReadText(f, id::station_name, r.station_name);
    ReadText(f, id::station_number, r.station_number);
    ReadText(f, id::country_name, r.country_name);
    ReadInt(f, id::temp_years, r.temp_years);
    ReadInt(f, id::precip_years, r.precip_years);
    ReadReal(f, id::abs_max, r.abs_max_c);
    ReadReal(f, id::abs_min, r.abs_min_c);
    ReadFlag(f, id::show_abs_max, r.show_abs_max);
    ReadFlag(f, id::show_abs_min, r.show_abs_min);
    ReadFlag(f, id::show_coldest_min, r.show_coldest_min);
    ReadFlag(f, id::show_warmest_max, r.show_warmest_max);

    ReadCoordinate(f, id::latitude, id::north, id::south, "NS", r.latitude, r.lat_degrees, r.lat_minutes,
                   r.lat_hemisphere);
    ReadCoordinate(f, id::longitude, id::east, id::west, "EW", r.longitude, r.lon_degrees, r.lon_minutes,
                   r.lon_hemisphere);

    // When both boxes of a column are checked the filled bar wins. A column
    // whose two boxes are as shown keeps its mark.
    for (int i = 0; i < 12; ++i) {
        if (f.KeptCheck(id::frost_outline_first + i) && f.KeptCheck(id::frost_bar_first + i)) continue;
        r.frost_flags[i] = 0;
        if (CheckedIn(form, id::frost_outline_first + i)) r.frost_flags[i] = 2;
        if (CheckedIn(form, id::frost_bar_first + i)) r.frost_flags[i] = 1;
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
