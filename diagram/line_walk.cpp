#include "diagram/line_walk.h"

#include <cstdlib>

namespace {

// a / n rounded to the nearest integer, halves away from zero; n > 0.
std::int64_t RoundDiv(std::int64_t a, std::int64_t n) {
    if (a >= 0) return (2 * a + n) / (2 * n);
    return -((-2 * a + n) / (2 * n));
}

std::int64_t Abs(std::int64_t v) { return v < 0 ? -v : v; }

}  // namespace

LineWalk::LineWalk(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
    : x1_(x1), y1_(y1), dx_(static_cast<std::int64_t>(x2) - x1), dy_(static_cast<std::int64_t>(y2) - y1) {
    std::int64_t ax = Abs(dx_);
    std::int64_t ay = Abs(dy_);
    steps_ = ax > ay ? ax : ay;
}

WalkPoint LineWalk::Point(std::int64_t k) const {
    if (steps_ == 0) return {x1_, y1_};
    return {static_cast<std::int32_t>(x1_ + RoundDiv(k * dx_, steps_)),
            static_cast<std::int32_t>(y1_ + RoundDiv(k * dy_, steps_))};
}

// Along x the offset of step k is RoundDiv(k*|dx|, n) with |dx| <= n, so it
// grows by 0 or 1 per step. The offset reaches c at the first k with
// 2*k*|dx| + n >= 2*n*c, that is k = ceil(n*(2c - 1) / (2|dx|)).
std::int64_t LineWalk::NextColumnStep(std::int64_t k) const {
    std::int64_t ax = Abs(dx_);
    if (ax == 0) return steps_;
    if (ax == steps_) return k + 1;
    std::int64_t c = RoundDiv(k * ax, steps_) + 1;
    std::int64_t numerator = steps_ * (2 * c - 1);
    std::int64_t next = (numerator + 2 * ax - 1) / (2 * ax);
    if (next <= k) next = k + 1;  // cannot happen; keeps the walk moving
    return next < steps_ ? next : steps_;
}
