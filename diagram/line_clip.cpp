#include "diagram/line_clip.h"

namespace {

// Liang-Barsky: narrows [t0, t1] by the half-plane p * t <= q.
bool Narrow(double p, double q, double& t0, double& t1) {
    if (p == 0) return q >= 0;
    const double t = q / p;
    if (p < 0) {
        if (t > t1) return false;
        if (t > t0) t0 = t;
    } else {
        if (t < t0) return false;
        if (t < t1) t1 = t;
    }
    return true;
}

}  // namespace

bool ClipLine(double x1, double y1, double x2, double y2, const ClipRect& rect, ClippedLine& out) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0;
    double t1 = 1;
    if (!Narrow(-dx, x1 - rect.left, t0, t1) || !Narrow(dx, rect.right - x1, t0, t1) ||
        !Narrow(-dy, y1 - rect.top, t0, t1) || !Narrow(dy, rect.bottom - y1, t0, t1)) {
        return false;
    }
    // The ends inside stay exactly as they were.
    out.x1 = t0 > 0 ? x1 + t0 * dx : x1;
    out.y1 = t0 > 0 ? y1 + t0 * dy : y1;
    out.x2 = t1 < 1 ? x1 + t1 * dx : x2;
    out.y2 = t1 < 1 ? y1 + t1 * dy : y2;
    const double ax = dx < 0 ? -dx : dx;
    const double ay = dy < 0 ? -dy : dy;
    out.cut_at_start = t0 * (ax > ay ? ax : ay);
    return true;
}
