// The DDA line walk of the fill: one point per step along the line's major
// axis, from the start point up to, not including, the end point, in order.
// Point k of n = max(|dx|, |dy|) steps is
//   (x1 + RoundDiv(k*dx, n), y1 + RoundDiv(k*dy, n)),
// rounding halves away from zero, so the walk is symmetric in both
// directions. A line whose ends coincide reports nothing. Coordinates
// must lie within +-2^30 (the fill's lie within +-2^26), so k*dx fits int64.
#pragma once

#include <cstdint>

struct WalkPoint {
    std::int32_t x;
    std::int32_t y;
};

class LineWalk {
public:
    LineWalk(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);

    WalkPoint Point(std::int64_t k) const;

    // Calls report(point) for the first point of the walk and for every
    // point whose x differs from the one before: the points where the walk
    // enters a new pixel column. The work is one step per column, however
    // steep the line, so very high curve points cost nothing extra.
    template <typename Report>
    void ForEachColumnEntry(Report&& report) const {
        for (std::int64_t k = 0; k < steps_; k = NextColumnStep(k)) report(Point(k));
    }

private:
    // The first step after k whose x differs from that of step k, or
    // the number of steps when there is none.
    std::int64_t NextColumnStep(std::int64_t k) const;

    std::int32_t x1_;
    std::int32_t y1_;
    std::int64_t dx_;
    std::int64_t dy_;
    std::int64_t steps_;
};
