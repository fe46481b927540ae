// Cutting a line to a rectangle, for the picture files: a metafile or an
// SVG holds only what lies inside the window, as the window shows it.
#pragma once

struct ClipRect {
    double left;
    double top;
    double right;
    double bottom;
};

struct ClippedLine {
    double x1;
    double y1;
    double x2;
    double y2;
    // The length cut off at the start along the line's longer axis: for a
    // horizontal or vertical line the offset of its dash pattern.
    double cut_at_start;
};

// The part of the line from (x1, y1) to (x2, y2) that lies inside the
// rectangle, edges included, in the line's own direction; false when no
// part of it does. A line of length 0 inside the rectangle is kept.
bool ClipLine(double x1, double y1, double x2, double y2, const ClipRect& rect, ClippedLine& out);
