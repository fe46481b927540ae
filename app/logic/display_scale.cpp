#include "app/logic/display_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "app/logic/window_layout.h"
#include "resources/resource_ids.h"

namespace {

int ValidDpi(int dpi) { return dpi >= 1 ? dpi : kDefaultDpi; }

// a * b / c rounded half away from zero, saturated to int.
int RoundedMulDiv(int a, int b, int c) {
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = c / 2;
    std::int64_t q = product >= 0 ? (product + half) / c : (product - half) / c;
    q = std::clamp<std::int64_t>(q, INT32_MIN, INT32_MAX);
    return static_cast<int>(q);
}

constexpr ToolbarStrip kToolbarStrips[] = {
    {16, IDB_TOOLBAR_16}, {24, IDB_TOOLBAR}, {32, IDB_TOOLBAR_32}, {36, IDB_TOOLBAR_36}, {48, IDB_TOOLBAR_48},
};
constexpr int kToolbarImageUnits = 24;

// Rounded to the nearest unit; lengths here are never negative.
int ToUnits(double length) {
    return static_cast<int>(std::floor(std::clamp(length, 0.0, static_cast<double>(kMaxCoordinate)) + 0.5));
}

}  // namespace

int ScaleToDpi(int units, int dpi) { return RoundedMulDiv(units, ValidDpi(dpi), kDefaultDpi); }

int UnitsAtDpi(int pixels, int dpi) { return RoundedMulDiv(pixels, kDefaultDpi, ValidDpi(dpi)); }

FontSpec FontAtDpi(const FontSpec& font, int from_dpi, int to_dpi) {
    FontSpec scaled = font;
    scaled.height = RoundedMulDiv(font.height, ValidDpi(to_dpi), ValidDpi(from_dpi));
    scaled.width = RoundedMulDiv(font.width, ValidDpi(to_dpi), ValidDpi(from_dpi));
    return scaled;
}

ToolbarStrip ToolbarStripForDpi(int dpi) {
    const int wanted = ScaleToDpi(kToolbarImageUnits, dpi);
    for (const ToolbarStrip& strip : kToolbarStrips) {
        if (strip.image_size >= wanted) return strip;
    }
    return kToolbarStrips[std::size(kToolbarStrips) - 1];
}

PictureExtent DiagramExtent() {
    const WindowPlacement start = DiagramWindowPlacement(kMainWindowWidth, kMainWindowHeight, kDefaultDpi);
    return {start.width, start.height};
}

PictureExtent TableExtent(int char_width, int line_height) {
    // The grid ends 7 units before 114 character widths, the foot's second
    // line starts at 15 line heights; 10 units of margin as on the left.
    const std::int64_t width = 114LL * std::max(char_width, 1) + 3;
    const std::int64_t height = 16LL * std::max(line_height, 1) + 10;
    return {static_cast<int>(std::min<std::int64_t>(width, kMaxCoordinate)),
            static_cast<int>(std::min<std::int64_t>(height, kMaxCoordinate))};
}

WindowView ComputeWindowView(int client_width, int client_height, int dpi, int zoom_percent,
                             PictureExtent extent) {
    const double dpi_factor = static_cast<double>(ValidDpi(dpi)) / kDefaultDpi;
    double zoom = 1.0;
    if (zoom_percent == kZoomFitToWindow) {
        if (client_width > 0 && client_height > 0 && extent.width > 0 && extent.height > 0) {
            const double fit = std::min(static_cast<double>(client_width) / extent.width,
                                        static_cast<double>(client_height) / extent.height);
            zoom = std::clamp(fit / dpi_factor, kFitZoomMin, kFitZoomMax);
        }
    } else if (zoom_percent > 0) {
        zoom = zoom_percent / 100.0;
    }
    WindowView view;
    view.factor = zoom * dpi_factor;
    view.area = {0, 0, ToUnits(std::max(client_width, 0) / view.factor),
                 ToUnits(std::max(client_height, 0) / view.factor)};
    return view;
}

int ViewUnits(const WindowView& view, int pixels) {
    return static_cast<int>(std::floor(pixels / view.factor));
}
