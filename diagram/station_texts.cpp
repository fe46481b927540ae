#include "diagram/station_texts.h"

#include <cstdint>

#include "station/climate_class.h"

const char kHiddenStationText[] = "?";

std::string StationText(const DrawingState& state, std::string text) {
    return state.hide_station ? std::string(kHiddenStationText) : std::move(text);
}

std::vector<std::string> ClimateClassLines(const DrawingState& state, const StationRecord& record, int max_chars) {
    std::vector<std::string> lines;
    if (!state.climate_class_line || max_chars < 1) return lines;
    const auto climate_class = ClassifyClimate(record).climate_class;
    if (!climate_class) return lines;
    const std::string text = ClimateClassLine(*climate_class);
    const std::size_t room = static_cast<std::size_t>(max_chars);
    std::string_view rest(text);
    while (!rest.empty()) {
        std::size_t cut = rest.size();
        if (cut > room) {
            cut = rest.rfind(' ', room);  // a blank that ends a line may stand at position `room`
            if (cut == std::string_view::npos || cut == 0) cut = room;
        }
        lines.emplace_back(rest.substr(0, cut));
        rest.remove_prefix(cut);
        while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    }
    return lines;
}

int DrawClimateClassLines(DrawSurface& surface, const DrawingState& state, const StationRecord& record, int x, int y,
                          int width, int y_limit) {
    const int cw = state.char_width;
    const int lh = state.line_height;
    if (!state.climate_class_line || cw <= 0 || lh <= 0) return 0;
    const std::vector<std::string> lines = ClimateClassLines(state, record, width / cw);
    int drawn = 0;
    for (const std::string& line : lines) {
        const std::int64_t top = static_cast<std::int64_t>(y) + static_cast<std::int64_t>(drawn) * lh;
        if (top + lh > y_limit) break;
        surface.TextOut(x, static_cast<int>(top), line);
        ++drawn;
    }
    return drawn;
}
