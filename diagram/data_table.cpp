#include "diagram/data_table.h"

#include <cstdint>

#include "diagram/station_texts.h"
#include "diagram/text_buffer.h"

namespace {

struct TableRow {
    const char* caption;
    const char* unit;
};

const TableRow kRows[9] = {
    {"Mean daily temperature", "\xB0" "C"},
    {"Daily max. temperature", "\xB0" "C"},
    {"Daily min. temperature", "\xB0" "C"},
    {"Mean daily temperature min.", "\xB0" "C"},
    {"Mean daily temperature max.", "\xB0" "C"},
    {"Mean rel. humidity", "%"},
    {"Mean precipitation", "mm"},
    {"Minimum precipitation", "mm"},
    {"Maximum precipitation", "mm"},
};

struct TableColours {
    Colour temperature;
    Colour precipitation;
};

// Multiples of cw and lh in 64 bits, clamped back into the coordinate range:
// the metrics come from a font, but nothing may overflow for any of them.
int Units(std::int64_t value) { return ClampCoordinate(value); }

void DrawRowCaptions(DrawSurface& surface, const TableColours& colours, int cw, int lh) {
    surface.SetTextAlign(TextAlign::left_top);
    for (int r = 0; r < 9; ++r) {
        Colour colour = r == 0 ? colours.temperature : r == 6 ? colours.precipitation : kBlack;
        surface.SetTextColour(colour);
        int y = Units(static_cast<std::int64_t>(lh) * (r + 4));
        surface.TextOut(Units(2LL * cw), y, kRows[r].caption);
        surface.TextOut(Units(31LL * cw), y, kRows[r].unit);
        surface.SetTextColour(kBlack);
    }
}

void DrawColumn(DrawSurface& surface, const StationRecord& rec, const TableColours& colours, int c,
                int cw, int lh) {
    TextBuffer buffer;
    const int x = Units(static_cast<std::int64_t>(cw) * (6 * c + 35) - 3);
    auto row_y = [lh](int r) { return Units(static_cast<std::int64_t>(lh) * r); };
    // One quantity: the mean in its colour, then its lowest and highest
    // value in black on two rows of their own (months only, not the year).
    using Format = std::string_view (*)(TextBuffer&, float);
    auto quantity = [&](Format format, Colour colour, int mean_row, float mean, int low_row, float low, float high) {
        surface.SetTextColour(colour);
        surface.TextOut(x, row_y(mean_row), format(buffer, mean));
        surface.SetTextColour(kBlack);
        if (c <= 12) {
            surface.TextOut(x, row_y(low_row), format(buffer, low));
            surface.TextOut(x, row_y(low_row + 1), format(buffer, high));
        }
    };
    surface.SetTextAlign(TextAlign::right_top);
    quantity(&FormatTemperature, colours.temperature, 4, rec.temp_c[c], 7, rec.temp_min_c[c], rec.temp_max_c[c]);
    quantity(&FormatPrecipitation, colours.precipitation, 10, rec.precip_mm[c], 11, rec.precip_min_mm[c],
             rec.precip_max_mm[c]);
    surface.SetTextAlign(TextAlign::left_top);
    const auto& names = IsSouthernStation(rec) ? month_names_jul_first : month_names_jan_first;
    const double head_x = static_cast<double>(cw) * (6 * c + 29) + 1.5 * cw;  // truncated toward zero
    surface.TextOut(Units(static_cast<std::int64_t>(head_x)), row_y(3), FieldText(names[c]));
}

void DrawGrid(DrawSurface& surface, int cw, int lh) {
    const int top = Units(4LL * lh);
    const int bottom = Units(13LL * lh);
    for (int r = 0; r <= 9; ++r) {
        int y = Units(static_cast<std::int64_t>(lh) * (r + 4));
        surface.MoveTo(10, y);
        surface.LineTo(Units(114LL * cw - 7), y);
    }
    surface.MoveTo(10, top);
    surface.LineTo(10, bottom);
    for (int c = 0; c <= 13; ++c) {
        int x = Units(6LL * cw * (c + 6) - 7);
        surface.MoveTo(x, top);
        surface.LineTo(x, bottom);
    }
}

void DrawHeadAndFoot(DrawSurface& surface, const DrawingState& state, const StationRecord& rec, int cw, int lh) {
    TextBuffer buffer;
    surface.TextOut(10, lh, StationText(state, FieldText(rec.station_name)));
    surface.TextOut(Units(35LL * cw + 10), lh, StationText(state, FieldText(rec.country_name)));
    surface.TextOut(10, Units(2LL * lh),
                    FormatText(buffer, "Location: %s", StationText(state, PositionText(rec)).c_str()));
    const std::string code = StationText(state, std::to_string(static_cast<int>(rec.country_code)));
    surface.TextOut(10, Units(14LL * lh), FormatText(buffer, "Countrycode: %s", code.c_str()));
    surface.TextOut(10, Units(15LL * lh),
                    FormatText(buffer, "Stationnumber: %s", StationText(state, FieldText(rec.station_number)).c_str()));
    // The line below the foot: the table is 114 character widths wide.
    DrawClimateClassLines(surface, state, rec, 10, Units(16LL * lh), Units(114LL * cw - 17), Units(17LL * lh));
}

}  // namespace

void DrawDataTable(DrawSurface& surface, const DrawingState& state, StationData& station, int cw, int lh) {
    const TableColours colours{StandardPenStyle(PenId::temp, state.monochrome).colour,
                               StandardPenStyle(PenId::precip, state.monochrome).colour};
    StationRecord& rec = station.record;
    rec.precip_mm[13] = station.annual_precip_mm;
    rec.temp_c[13] = station.annual_mean_temp_c;
    surface.BeginGroup("table");
    DrawRowCaptions(surface, colours, cw, lh);
    for (int c = 1; c <= 13; ++c) DrawColumn(surface, rec, colours, c, cw, lh);
    DrawGrid(surface, cw, lh);
    DrawHeadAndFoot(surface, state, rec, cw, lh);
}
