#include "app/logic/app_state.h"

#include <cstdint>

namespace {

// MulDiv: the 64-bit product divided with rounding half away from zero.
std::int32_t RoundedMulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t half = c / 2;
    std::int64_t q = product >= 0 ? (product + half) / c : (product - half) / c;
    return static_cast<std::int32_t>(q);
}

}  // namespace

FontSpec StartupDisplayFont(int logpixels_y) {
    FontSpec font;
    font.height = -RoundedMulDiv(10, logpixels_y, 72);
    font.weight = 700;
    SetFieldText(font.face_name, "Arial");
    return font;
}

AppState MakeStartupState(int logpixels_y) {
    AppState state;
    // No derived values yet: the start-up record shows its hemisphere
    // letters "X" until a station arrives.
    state.station.record = MakeStartupRecord();
    state.drawing.display_font = StartupDisplayFont(logpixels_y);
    return state;
}
