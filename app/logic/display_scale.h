// Sizes at the window's DPI and the zoom of the picture. Every size the
// program sets (window sizes, margins, toolbar images) is written in
// 96-DPI units and scaled by the window's DPI here; the diagram and the
// table are laid out in 96-DPI units and drawn enlarged by the view
// factor (the zoom times the DPI's factor), so the picture at 144 DPI is
// the 96-DPI picture one and a half times as large.
#pragma once

#include "diagram/draw_surface.h"
#include "diagram/geometry.h"

constexpr int kDefaultDpi = 96;

// units * dpi / 96, rounded half away from zero (as MulDiv rounds). A DPI
// below 1 counts as 96.
int ScaleToDpi(int units, int dpi);
// The reverse: a length in pixels at dpi as 96-DPI units, rounded.
int UnitsAtDpi(int pixels, int dpi);

// The font with its height and width, given at from_dpi, at to_dpi.
FontSpec FontAtDpi(const FontSpec& font, int from_dpi, int to_dpi);

// The toolbar strips (bitmaps of the same images at these sizes) and the
// one a DPI uses: the smallest at or above the scaled 24-pixel image,
// beyond the largest the largest.
struct ToolbarStrip {
    int image_size;  // pixels, square
    int bitmap_id;
};
ToolbarStrip ToolbarStripForDpi(int dpi);

// The zoom of the diagram window: a fixed percentage, or "Fit to window"
// (kZoomFitToWindow), the largest zoom at which the whole picture fits.
constexpr int kZoomFitToWindow = 0;
constexpr int kZoomPercents[] = {100, 150, 200, 300};
// The zoom a fitted picture keeps at least and at most.
constexpr double kFitZoomMin = 0.25;
constexpr double kFitZoomMax = 16.0;

// The picture's size in 96-DPI units, which "Fit to window" fits: the
// diagram of a start-size window (380 x 510), or the table's grid and
// texts at the measured character width and line height.
struct PictureExtent {
    int width;
    int height;
};
PictureExtent DiagramExtent();
PictureExtent TableExtent(int char_width, int line_height);

// How the diagram window shows the picture: factor pixels per 96-DPI unit
// and the drawing area in those units (the client size divided by the
// factor, rounded).
struct WindowView {
    double factor;
    DrawArea area;
};

// zoom_percent is one of kZoomPercents or kZoomFitToWindow; an empty
// window keeps the zoom's own factor.
WindowView ComputeWindowView(int client_width, int client_height, int dpi, int zoom_percent,
                             PictureExtent extent);

// A window point in pixels as a point of the drawing area.
int ViewUnits(const WindowView& view, int pixels);
