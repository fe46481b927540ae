#include "app/logic/manual_entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>

#include "tests/test_support.h"

namespace {

// A stand-in for the dialog's controls: starts from the template (column
// heads "Jan".."Dec", nothing checked), groups the radio buttons as the
// automatic buttons do, and reads texts back through buffers of the field's
// size as GetWindowTextA does.
class FakeManualEntryDialog {
public:
    explicit FakeManualEntryDialog(StationData& station) : station_(station) {
        const char* heads[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        for (int i = 0; i < 12; ++i) {
            texts_[IDC_PRECIP_HEAD + i] = heads[i];
            texts_[IDC_TEMP_HEAD + i] = heads[i];
        }
        Push(OpenManualEntry(station_.record));
    }

    const std::string& Text(int control) { return texts_[control]; }
    bool Checked(int control) { return checks_[control]; }
    void Type(int control, const std::string& text) { texts_[control] = text; }
    void SetCheck(int control, bool checked) { checks_[control] = checked; }

    void Click(int radio) {
        static const std::map<int, int> partner = {{IDC_NORTH, IDC_SOUTH}, {IDC_SOUTH, IDC_NORTH},
                                                    {IDC_EAST, IDC_WEST}, {IDC_WEST, IDC_EAST}};
        checks_[radio] = true;
        checks_[partner.at(radio)] = false;
        if (radio == IDC_NORTH || radio == IDC_SOUTH) Push(MonthHeads(radio == IDC_SOUTH));
    }

    void Ok() {
        ManualEntryForm form;
        for (const ManualEntryEdit& edit : kManualEntryEdits) {
            std::string text = texts_[edit.id];
            if (text.size() > static_cast<std::size_t>(edit.buffer_chars - 1)) text.resize(edit.buffer_chars - 1);
            form.texts[edit.id] = text;
        }
        for (int check : kManualEntryChecks) form.checks[check] = checks_[check];
        ApplyManualEntry(form, station_);
    }

private:
    void Push(const ManualEntryForm& form) {
        for (const auto& t : form.texts) texts_[t.first] = t.second;
        for (const auto& c : form.checks) checks_[c.first] = c.second;
    }

    StationData& station_;
    std::map<int, std::string> texts_;
    std::map<int, bool> checks_;
};

StationData StartupStation() {
    StationData station;
    station.record = MakeStartupRecord();
    return station;
}

// An imported southern station: absolute degrees, signed latitude, the
// month arrays already in July-first order.
StationData SouthernStation() {
    StationData station = StartupStation();
    StationRecord& r = station.record;
    SetFieldText(r.station_name, "SANTIAGO                ");
    SetFieldText(r.station_number, "85574   ");
    SetFieldText(r.country_name, "Chile");
    r.latitude = -33.55f;
    r.lat_degrees = 33;
    r.lat_minutes = 55;
    r.longitude = -70.4f;
    r.lon_degrees = 70;
    r.lon_minutes = 40;
    SetFieldText(r.lat_hemisphere, "S");
    SetFieldText(r.lon_hemisphere, "W");
    for (int slot = 0; slot < kMonthSlots; ++slot) {
        r.temp_c[slot] = 8.04f + slot;
        r.precip_mm[slot] = 12.4f * slot;
        r.temp_min_c[slot] = -1.0f * slot;
        r.precip_max_mm[slot] = 100.0f + slot;
    }
    r.elevation_m = 520;
    r.temp_years = 30;
    r.precip_years = 40;
    r.abs_min_c = -999.0f;
    r.abs_max_c = -999.0f;
    r.show_abs_min = r.show_abs_max = r.show_coldest_min = r.show_warmest_max = 0;
    r.diagram_mode = 0;
    r.month_labels = 1;
    return station;
}

}  // namespace

TEST(manual_entry, shows_the_startup_record) {
    StationData station = StartupStation();
    FakeManualEntryDialog dialog(station);
    const std::map<int, std::string> expected = {
        {IDC_STATION_NAME, "NO DATASET"}, {IDC_COUNTRY_NAME, "NO DATASET"},
        {IDC_STATION_NUMBER_TEXT, "0"},        {IDC_COUNTRY_CODE, "0"},
        {IDC_ELEVATION, "0"},             {IDC_TEMP_YEARS, "   0"},
        {IDC_PRECIP_YEARS, "   0"},       {IDC_LATITUDE, "0.00"},
        {IDC_LONGITUDE, "0.00"},          {IDC_ABS_MAX, "+0.0"},
        {IDC_ABS_MIN, "+0.0"},            {IDC_WARMEST_MAX, "+0.0"},
        {IDC_COLDEST_MIN, "+0.0"},        {IDC_TEMP_MONTH, "+0.0"},
        {IDC_TEMP_MONTH + 11, "+0.0"},    {IDC_PRECIP_MONTH, "   0"},
        {IDC_PRECIP_MONTH + 11, "   0"},  {IDC_PRECIP_HEAD, "Jan"},
        {IDC_TEMP_HEAD + 11, "Dec"},
    };
    for (const auto& e : expected) EXPECT_EQ(dialog.Text(e.first), e.second) << "control " << e.first;
    EXPECT_TRUE(dialog.Checked(IDC_NORTH));
    EXPECT_FALSE(dialog.Checked(IDC_SOUTH));
    EXPECT_TRUE(dialog.Checked(IDC_EAST));
    EXPECT_FALSE(dialog.Checked(IDC_WEST));
    for (int i = 0; i < 12; ++i) {
        EXPECT_FALSE(dialog.Checked(IDC_FROST_BAR + i));
        EXPECT_FALSE(dialog.Checked(IDC_FROST_OUTLINE + i));
    }
    for (int check : {IDC_SHOW_ABS_MAX, IDC_SHOW_ABS_MIN, IDC_SHOW_COLDEST_MIN, IDC_SHOW_WARMEST_MAX}) {
        EXPECT_TRUE(dialog.Checked(check)) << check;
    }
}

TEST(manual_entry, shows_a_southern_station_july_first) {
    StationData station = SouthernStation();
    station.record.frost_flags[0] = 1;
    station.record.frost_flags[5] = 2;
    FakeManualEntryDialog dialog(station);
    EXPECT_EQ(dialog.Text(IDC_STATION_NAME), "SANTIAGO");  // trailing blanks trimmed
    EXPECT_EQ(dialog.Text(IDC_STATION_NUMBER_TEXT), "85574");
    EXPECT_TRUE(dialog.Checked(IDC_SOUTH));
    EXPECT_TRUE(dialog.Checked(IDC_WEST));
    EXPECT_EQ(dialog.Text(IDC_PRECIP_HEAD), "Jul  ");
    EXPECT_EQ(dialog.Text(IDC_TEMP_HEAD + 11), "Jun  ");
    EXPECT_EQ(dialog.Text(IDC_LATITUDE), "33.55");
    EXPECT_EQ(dialog.Text(IDC_LONGITUDE), "70.40");
    EXPECT_EQ(dialog.Text(IDC_TEMP_MONTH), "+9.0");        // slot 1: 9.04
    EXPECT_EQ(dialog.Text(IDC_PRECIP_MONTH + 1), "  25");  // slot 2: 24.8
    EXPECT_EQ(dialog.Text(IDC_ABS_MIN), "-999.0");
    EXPECT_EQ(dialog.Text(IDC_TEMP_YEARS), "   30");
    EXPECT_EQ(dialog.Text(IDC_ELEVATION), "520");
    EXPECT_TRUE(dialog.Checked(IDC_FROST_BAR));
    EXPECT_FALSE(dialog.Checked(IDC_FROST_OUTLINE));
    EXPECT_TRUE(dialog.Checked(IDC_FROST_OUTLINE + 5));
    EXPECT_FALSE(dialog.Checked(IDC_SHOW_ABS_MIN));
}

TEST(manual_entry, ok_without_changes_keeps_every_stored_value) {
    StationData station = SouthernStation();
    StationRecord before = station.record;
    ClearTrailingBlanks(before.station_name);  // the trimming at start sticks
    ClearTrailingBlanks(before.station_number);
    FakeManualEntryDialog dialog(station);
    EXPECT_EQ(dialog.Text(IDC_PRECIP_MONTH), "  12");
    dialog.Ok();
    const StationRecord& r = station.record;
    EXPECT_EQ(ImageOf(r), ImageOf(before));

    double temp_sum = 0.0, precip_sum = 0.0;
    for (int slot = 1; slot <= 12; ++slot) {
        temp_sum += r.temp_c[slot];
        precip_sum += r.precip_mm[slot];
    }
    EXPECT_EQ(station.annual_mean_temp_c, static_cast<float>(temp_sum * static_cast<double>(0.083333336f)));
    EXPECT_EQ(station.annual_precip_mm, static_cast<float>(precip_sum));
}

// A northern and a southern station with fractional values, as imported:
// OK without a change gives the same record and the same annual values as
// the import did; a changed field is read as typed and rounds as before.
TEST(manual_entry, round_trip_of_fractional_values_north_and_south) {
    struct Case {
        const char* name;
        bool southern;
        float temps[12];
        float precips[12];
        int changed_slot;        // the month column typed into in the second run
        const char* shown;       // what that column shows
    };
    const Case cases[] = {
        {"SYDNEY AIRPORT", true,
         {13.1f, 14.1f, 16.7f, 18.8f, 20.4f, 22.1f, 23.5f, 23.3f, 21.9f, 19.2f, 16.2f, 13.9f},
         {70.6f, 63.4f, 58.1f, 55.8f, 71.7f, 67.3f, 80.7f, 117.7f, 96.5f, 96.0f, 90.0f, 124.3f}, 1, "  71"},
        {"BERLIN-TEMPELHOF", false,
         {1.1f, 2.15f, 5.2f, 10.15f, 14.45f, 17.95f, 20.15f, 19.8f, 15.4f, 10.3f, 5.35f, 2.15f},
         {48.4f, 36.5f, 41.2f, 29.5f, 51.0f, 58.7f, 72.3f, 58.0f, 47.6f, 44.5f, 42.1f, 44.9f}, 7, "  72"},
    };
    for (const Case& c : cases) {
        StationData station = StartupStation();
        StationRecord& r = station.record;
        SetFieldText(r.station_name, c.name);
        SetFieldText(r.lat_hemisphere, c.southern ? "S" : "N");
        r.latitude = c.southern ? -33.57f : 52.28f;
        r.lat_degrees = c.southern ? 33 : 52;
        r.lat_minutes = c.southern ? 57 : 28;
        r.longitude = c.southern ? 151.1f : 13.24f;
        r.lon_degrees = c.southern ? 151 : 13;
        r.lon_minutes = c.southern ? 10 : 24;
        for (int i = 0; i < 12; ++i) {
            r.temp_c[i + 1] = c.temps[i];
            r.precip_mm[i + 1] = c.precips[i];
        }
        r.warmest_month_max_c = 26.55f;
        r.coldest_month_min_c = -0.45f;
        r.frost_flags[3] = 7;  // a foreign mark the check boxes cannot show
        r.show_abs_min = 5;
        UpdateDerivedValues(station, MonthExtremes::keep);
        const StationData imported = station;

        FakeManualEntryDialog dialog(station);
        EXPECT_EQ(dialog.Checked(IDC_SOUTH), c.southern) << c.name;
        EXPECT_EQ(dialog.Text(IDC_PRECIP_MONTH + c.changed_slot - 1), c.shown) << c.name;
        dialog.Ok();
        EXPECT_EQ(ImageOf(station.record), ImageOf(imported.record)) << c.name;
        EXPECT_EQ(station.annual_precip_mm, imported.annual_precip_mm) << c.name;
        EXPECT_EQ(station.annual_mean_temp_c, imported.annual_mean_temp_c) << c.name;

        // A changed field is read as typed, the rest stays exact.
        FakeManualEntryDialog again(station);
        again.Type(IDC_PRECIP_MONTH + c.changed_slot - 1, "100");
        again.Type(IDC_TEMP_MONTH, "+5.0");
        again.Ok();
        EXPECT_EQ(station.record.precip_mm[c.changed_slot], 100.0f) << c.name;
        EXPECT_EQ(station.record.temp_c[1], 5.0f) << c.name;
        for (int slot = 2; slot <= 12; ++slot) {
            EXPECT_EQ(station.record.temp_c[slot], c.temps[slot - 1]) << c.name << slot;
            if (slot != c.changed_slot) {
                EXPECT_EQ(station.record.precip_mm[slot], c.precips[slot - 1]) << c.name;
            }
        }
        EXPECT_EQ(station.record.warmest_month_max_c, 26.55f) << c.name;
        EXPECT_EQ(station.record.frost_flags[3], 7) << c.name;
        EXPECT_EQ(station.record.show_abs_min, 5) << c.name;
    }
}

// Switching the hemisphere alone reads the coordinate again as typed, with
// the sign rule of OK.
TEST(manual_entry, a_hemisphere_switch_reads_the_coordinate_again) {
    StationData station = SouthernStation();
    FakeManualEntryDialog dialog(station);
    dialog.Click(IDC_NORTH);
    dialog.Click(IDC_EAST);
    dialog.Ok();
    EXPECT_EQ(station.record.latitude, 33.55f);
    EXPECT_EQ(FieldText(station.record.lat_hemisphere), "N");
    EXPECT_EQ(station.record.longitude, 70.4f);
    EXPECT_EQ(FieldText(station.record.lon_hemisphere), "E");
}

TEST(manual_entry, coordinates_follow_the_typed_digits_and_the_hemisphere) {
    struct Case {
        const char* text;
        bool south;
        float latitude;
        int degrees, minutes;
        const char* hemisphere;
    };
    const Case cases[] = {
        {"52.31", true, -52.31f, 52, 31, "S"},
        {"2.01", false, 2.01f, 2, 1, "N"},
        {"8.29", false, 8.29f, 8, 29, "N"},  // 8.2899999... as a double
        {"33.55", false, 33.55f, 33, 55, "N"},
        {"-33.55", false, -33.55f, -33, 55, "N"},
        {"-33.55", true, -33.55f, -33, 55, "S"},
        {"52.3", false, 52.3f, 52, 30, "N"},
        {"52.319", false, 52.319f, 52, 31, "N"},
        {"52", true, -52.0f, 52, 0, "S"},
        {" -0.30", false, -0.3f, 0, 30, "N"},
        {"5.231e1", false, 52.31f, 52, 31, "N"},
        {"0.5e-1", false, 0.05f, 0, 5, "N"},
        {"north", true, 0.0f, 0, 0, "S"},
        {"", false, 0.0f, 0, 0, "N"},
        {"12,45", false, 12.0f, 12, 0, "N"},
        {"1e300", false, 3.4028235e38f, 2147483647, 0, "N"},
    };
    for (const Case& c : cases) {
        StationData station = StartupStation();
        FakeManualEntryDialog dialog(station);
        dialog.Type(IDC_LATITUDE, c.text);
        dialog.Click(c.south ? IDC_SOUTH : IDC_NORTH);
        dialog.Ok();
        const StationRecord& r = station.record;
        EXPECT_EQ(r.latitude, c.latitude) << c.text;
        EXPECT_EQ(r.lat_degrees, c.degrees) << c.text;
        EXPECT_EQ(r.lat_minutes, c.minutes) << c.text;
        EXPECT_EQ(FieldText(r.lat_hemisphere), c.hemisphere) << c.text;
        EXPECT_EQ(r.lat_hemisphere[1], '\0') << c.text;
    }
}

TEST(manual_entry, a_negative_latitude_typed_with_n_opens_as_south_next_time) {
    StationData station = StartupStation();
    {
        FakeManualEntryDialog dialog(station);
        dialog.Type(IDC_LATITUDE, "-33.55");
        dialog.Type(IDC_LONGITUDE, "70.40");
        dialog.Click(IDC_WEST);
        dialog.Ok();
    }
    EXPECT_EQ(station.record.longitude, -70.4f);
    EXPECT_EQ(station.record.lon_degrees, 70);
    EXPECT_EQ(FieldText(station.record.lon_hemisphere), "W");
    FakeManualEntryDialog again(station);
    EXPECT_TRUE(again.Checked(IDC_SOUTH));
    EXPECT_EQ(again.Text(IDC_LATITUDE), "-33.55");
    EXPECT_EQ(again.Text(IDC_TEMP_HEAD), "Jul  ");
    again.Ok();
    EXPECT_EQ(station.record.latitude, -33.55f);
    EXPECT_EQ(station.record.lat_degrees, -33);
    // OK without a change keeps the letter typed with; the negative latitude
    // alone makes the station southern.
    EXPECT_EQ(FieldText(station.record.lat_hemisphere), "N");
    FakeManualEntryDialog third(station);
    third.Type(IDC_LATITUDE, "-33.56");
    third.Ok();
    EXPECT_EQ(FieldText(station.record.lat_hemisphere), "S");
}

TEST(manual_entry, texts_are_cut_to_their_buffers) {
    const std::string forty(40, 'A');
    StationData station = StartupStation();
    FakeManualEntryDialog dialog(station);
    dialog.Type(IDC_STATION_NAME, forty);
    dialog.Type(IDC_STATION_NUMBER_TEXT, "12345678901234567890");
    dialog.Type(IDC_COUNTRY_NAME, std::string(31, 'C') + "DE");
    dialog.Type(IDC_TEMP_MONTH, "+12.34567890123456789");
    dialog.Ok();
    EXPECT_EQ(FieldText(station.record.station_name), std::string(31, 'A'));
    EXPECT_EQ(FieldText(station.record.station_number), "123456789012345");
    EXPECT_EQ(FieldText(station.record.country_name), std::string(31, 'C'));
    EXPECT_FLOAT_EQ(station.record.temp_c[1], 12.3456789012f);

    // The procedure cuts too, whatever buffer its caller used.
    ManualEntryForm form;
    form.texts[IDC_STATION_NAME] = forty;
    form.texts[IDC_STATION_NUMBER_TEXT] = forty;
    ApplyManualEntry(form, station);
    EXPECT_EQ(FieldText(station.record.station_name).size(), 31u);
    EXPECT_EQ(FieldText(station.record.station_number).size(), 15u);
}

TEST(manual_entry, month_marks_from_the_two_rows_of_check_boxes) {
    struct Case {
        bool bar, outline;
        int flag;
    };
    // A foreign mark shows no box checked; a column left so keeps it.
    const Case cases[] = {{false, false, 7}, {false, true, 2}, {true, false, 1}, {true, true, 1}};
    StationData station = StartupStation();
    for (int i = 0; i < 12; ++i) station.record.frost_flags[i] = 7;
    FakeManualEntryDialog dialog(station);
    for (int i = 0; i < 12; ++i) {
        dialog.SetCheck(IDC_FROST_BAR + i, cases[i % 4].bar);
        dialog.SetCheck(IDC_FROST_OUTLINE + i, cases[i % 4].outline);
    }
    dialog.Ok();
    for (int i = 0; i < 12; ++i) EXPECT_EQ(station.record.frost_flags[i], cases[i % 4].flag) << i;
}

TEST(manual_entry, extremes_and_their_check_boxes) {
    StationData station = StartupStation();
    FakeManualEntryDialog dialog(station);
    dialog.Type(IDC_ABS_MAX, "+38.2");
    dialog.Type(IDC_ABS_MIN, "-21.7");
    dialog.Type(IDC_WARMEST_MAX, "29.5");
    dialog.Type(IDC_COLDEST_MIN, "-8.25");
    dialog.SetCheck(IDC_SHOW_ABS_MIN, false);
    dialog.SetCheck(IDC_SHOW_WARMEST_MAX, false);
    dialog.Ok();
    const StationRecord& r = station.record;
    EXPECT_EQ(r.abs_max_c, 38.2f);
    EXPECT_EQ(r.abs_min_c, -21.7f);
    EXPECT_EQ(r.warmest_month_max_c, 29.5f);
    EXPECT_EQ(r.coldest_month_min_c, -8.25f);
    EXPECT_EQ(r.show_abs_max, 1);
    EXPECT_EQ(r.show_abs_min, 0);
    EXPECT_EQ(r.show_coldest_min, 1);
    EXPECT_EQ(r.show_warmest_max, 0);
}

TEST(manual_entry, clicking_s_and_n_relabels_both_rows_and_keeps_the_values) {
    StationData station = StartupStation();
    FakeManualEntryDialog dialog(station);
    dialog.Type(IDC_TEMP_MONTH, "-3.5");
    dialog.Click(IDC_SOUTH);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(dialog.Text(IDC_PRECIP_HEAD + i), month_names_jul_first[i + 1]);
        EXPECT_EQ(dialog.Text(IDC_TEMP_HEAD + i), month_names_jul_first[i + 1]);
    }
    EXPECT_EQ(dialog.Text(IDC_TEMP_MONTH), "-3.5");
    dialog.Click(IDC_NORTH);
    EXPECT_EQ(dialog.Text(IDC_PRECIP_HEAD), "Jan  ");
    EXPECT_EQ(dialog.Text(IDC_TEMP_HEAD + 11), "Dec  ");
    dialog.Ok();
    EXPECT_EQ(station.record.temp_c[1], -3.5f);
}

TEST(manual_entry, cancel_keeps_the_record_but_the_trimming) {
    StationData station = SouthernStation();
    SetFieldText(station.record.country_name, "Chile \t  ");
    station.annual_precip_mm = 123.0f;
    station.annual_mean_temp_c = 4.5f;
    StationRecord before = station.record;
    FakeManualEntryDialog dialog(station);
    dialog.Type(IDC_STATION_NAME, "OTHER");
    dialog.Type(IDC_TEMP_MONTH, "99");
    // Cancel: the dialog ends without calling ApplyManualEntry.
    EXPECT_EQ(FieldText(station.record.station_name), "SANTIAGO");
    EXPECT_EQ(FieldText(station.record.country_name), "Chile \t");  // a tab is no blank
    EXPECT_EQ(FieldText(station.record.station_number), "85574");
    StationRecord trimmed_before = before;
    ClearTrailingBlanks(trimmed_before.station_name);
    ClearTrailingBlanks(trimmed_before.country_name);
    ClearTrailingBlanks(trimmed_before.station_number);
    EXPECT_EQ(0, std::memcmp(&station.record, &trimmed_before, sizeof before));
    EXPECT_EQ(station.annual_precip_mm, 123.0f);
    EXPECT_EQ(station.annual_mean_temp_c, 4.5f);
}

TEST(manual_entry, clear_trailing_blanks_stays_inside_the_field) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {{"ABC   ", "ABC"}, {"     ", ""}, {"", ""}, {"A B ", "A B"}, {"\t ", "\t"}};
    for (const Case& c : cases) {
        char field[16] = {};
        std::strcpy(field, c.in);
        ClearTrailingBlanks(field);
        EXPECT_STREQ(field, c.out) << '"' << c.in << '"';
    }
    // A field from a foreign file without any NUL: trimmed within its bytes.
    char full[8];
    std::memcpy(full, "ABCD    ", 8);
    ClearTrailingBlanks(full);
    EXPECT_EQ(FieldText(full), "ABCD");
    std::memcpy(full, "ABCDEFGH", 8);
    ClearTrailingBlanks(full);
    EXPECT_EQ(FieldText(full), "ABCDEFGH");
}

TEST(manual_entry, number_fields_parse_as_the_c_conversions_do) {
    struct IntCase {
        const char* text;
        std::int32_t value;
    };
    const IntCase ints[] = {{"118", 118},         {"   30", 30},        {"-5", -5},   {"+7", 7},
                            {"12abc", 12},        {"abc", 0},           {"", 0},      {" 1.9", 1},
                            {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}};
    for (const IntCase& c : ints) EXPECT_EQ(ReadIntField(c.text), c.value) << '"' << c.text << '"';

    struct RealCase {
        const char* text;
        float value;
    };
    const RealCase reals[] = {{"+12.3", 12.3f}, {"  52", 52.0f}, {"-0.5x", -0.5f}, {"x", 0.0f},
                              {"1e3", 1000.0f}, {"1e60", 3.4028235e38f}, {"-1e60", -3.4028235e38f}};
    for (const RealCase& c : reals) EXPECT_EQ(ReadRealField(c.text), c.value) << '"' << c.text << '"';
}

TEST(manual_entry, a_foreign_record_opens_without_harm) {
    StationData station = StartupStation();
    StationRecord& r = station.record;
    std::memset(r.station_name, 'N', sizeof r.station_name);  // no NUL at all
    std::memset(r.lat_hemisphere, 'S', 2);
    r.temp_c[1] = std::nanf("");
    r.precip_mm[1] = 3.0e38f;
    r.lat_minutes = -5;
    FakeManualEntryDialog dialog(station);
    EXPECT_EQ(dialog.Text(IDC_STATION_NAME), std::string(64, 'N'));
    EXPECT_TRUE(dialog.Checked(IDC_NORTH));  // "SS" is not "S"
    EXPECT_EQ(dialog.Text(IDC_LATITUDE), "0.-05");
    EXPECT_EQ(dialog.Text(IDC_PRECIP_MONTH).size(), 39u);
    dialog.Ok();
    // Nothing was changed, so nothing changes, foreign bytes included.
    EXPECT_EQ(FieldText(r.station_name), std::string(64, 'N'));
    EXPECT_TRUE(std::isnan(r.temp_c[1]));
    EXPECT_TRUE(std::isnan(station.annual_mean_temp_c));
    EXPECT_EQ(FieldText(r.lat_hemisphere), "SS");
    EXPECT_EQ(r.lat_minutes, -5);
    // A name typed anew is cut to its buffer.
    FakeManualEntryDialog retyped(station);
    retyped.Type(IDC_STATION_NAME, std::string(40, 'M'));
    retyped.Ok();
    EXPECT_EQ(FieldText(r.station_name), std::string(31, 'M'));
}

// OK computes the annual values as UpdateDerivedValues does, also for sums
// beyond the float range: the same station gives the same head line whether
// it was typed or opened from a file.
TEST(manual_entry, annual_values_agree_with_update_derived_values_beyond_the_float_range) {
    const char* const precip_texts[] = {"3e38", "1e38", "-3e38", "100"};
    for (const char* text : precip_texts) {
        StationData station = StartupStation();
        FakeManualEntryDialog dialog(station);
        for (int i = 0; i < 12; ++i) {
            dialog.Type(IDC_PRECIP_MONTH + i, text);
            dialog.Type(IDC_TEMP_MONTH + i, text);
        }
        dialog.Ok();
        StationData reopened = station;
        UpdateDerivedValues(reopened, MonthExtremes::keep);
        EXPECT_EQ(station.annual_precip_mm, reopened.annual_precip_mm) << text;
        EXPECT_EQ(station.annual_mean_temp_c, reopened.annual_mean_temp_c) << text;
    }
    StationData station = StartupStation();
    FakeManualEntryDialog dialog(station);
    for (int i = 0; i < 12; ++i) dialog.Type(IDC_PRECIP_MONTH + i, "3e38");
    dialog.Ok();
    EXPECT_TRUE(std::isinf(station.annual_precip_mm));
}

namespace {

// A character that a station text cannot hold is named in the message,
// with its code point, beyond the Basic Multilingual Plane too.
TEST(manual_entry, a_refused_character_is_named) {
    const struct {
        const char* character;
        unsigned code_point;
        const char* named;
    } cases[] = {
        {"\xC5\x81", 0x141, "\"\xC5\x81\" (U+0141)"},
        {"\xE6\x9D\xB1", 0x6771, "\"\xE6\x9D\xB1\" (U+6771)"},
        {"\xF0\x9F\x8C\xA7", 0x1F327, "\"\xF0\x9F\x8C\xA7\" (U+1F327)"},
    };
    for (const auto& c : cases) {
        const std::string text = RefusedCharacterText(c.character, c.code_point);
        EXPECT_NE(text.find(c.named), std::string::npos) << text;
        EXPECT_NE(text.find("Nothing was stored"), std::string::npos) << text;
    }
}

}  // namespace
