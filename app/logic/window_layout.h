// Sizes and positions of the windows, the caption and the status texts:
// the numbers the shell needs, kept apart from the Win32 calls.
#pragma once

#include <string>

struct WindowPlacement {
    int x;
    int y;
    int width;
    int height;
};

constexpr int kMainWindowWidth = 400;   // diagram mode, and at start
constexpr int kMainWindowHeight = 590;
constexpr int kTableWindowChars = 119;  // table mode: 119 average characters wide
constexpr int kTableWindowHeight = 468;

// At start: the start size scaled to the DPI, horizontally centred on the
// desktop's client rectangle (x = right / 2 - width / 2, truncated) and
// touching its top edge.
WindowPlacement StartupMainWindowPlacement(int desktop_right, int desktop_top, int dpi);

// The main window's outer size in one of the two view modes, in 96-DPI
// units (the shell scales it to the window's DPI); char_width is the
// display font's in 96-DPI units.
WindowPlacement MainWindowSizeForMode(bool diagram, int char_width);

// The diagram window inside the main window's client area (pixels at the
// DPI): margins of 10 units left and right, 48 above for the toolbar, 32
// below for the status bar, scaled to the DPI. A negative size counts as
// zero.
WindowPlacement DiagramWindowPlacement(int client_width, int client_height, int dpi);

// "Climate diagram (W x H)" with the diagram window's client size.
std::string SizeCaption(int width, int height);

extern const char kInitialCaption[];     // "Climate diagram"
extern const char kStatusDiagramMode[];  // "Varnok 32 - climate diagram"
extern const char kStatusTableMode[];    // "Varnok 32 - data table"
const char* StatusTextForMode(bool diagram);
