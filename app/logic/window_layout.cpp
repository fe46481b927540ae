#include "app/logic/window_layout.h"

#include <algorithm>
#include <cstdint>

#include "app/logic/display_scale.h"

const char kInitialCaption[] = "Climate diagram";
const char kStatusDiagramMode[] = "Varnok 32 - climate diagram";
const char kStatusTableMode[] = "Varnok 32 - data table";

WindowPlacement StartupMainWindowPlacement(int desktop_right, int desktop_top, int dpi) {
    const int width = ScaleToDpi(kMainWindowWidth, dpi);
    return {desktop_right / 2 - width / 2, desktop_top, width, ScaleToDpi(kMainWindowHeight, dpi)};
}

WindowPlacement MainWindowSizeForMode(bool diagram, int char_width) {
    if (diagram) return {0, 0, kMainWindowWidth, kMainWindowHeight};
    // A font dialog may have chosen an absurd font: keep the width an int.
    std::int64_t width = static_cast<std::int64_t>(kTableWindowChars) * char_width;
    width = std::clamp<std::int64_t>(width, 0, 32767);
    return {0, 0, static_cast<int>(width), kTableWindowHeight};
}

WindowPlacement DiagramWindowPlacement(int client_width, int client_height, int dpi) {
    const int side = ScaleToDpi(10, dpi);
    const int top = ScaleToDpi(48, dpi);
    const int bottom = ScaleToDpi(32, dpi);
    return {side, top, std::max(client_width - 2 * side, 0), std::max(client_height - top - bottom, 0)};
}

std::string SizeCaption(int width, int height) {
    return "Climate diagram (" + std::to_string(width) + " x " + std::to_string(height) + ")";
}

const char* StatusTextForMode(bool diagram) {
    return diagram ? kStatusDiagramMode : kStatusTableMode;
}
