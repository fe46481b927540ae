#include "app/logic/axis_offset.h"

#include <cstdint>

#include "app/logic/app_state.h"

namespace {

// In 64 bits: the window height and line height come from the platform and
// the offset from earlier steps; none of them may overflow the test.
bool BeyondUpperLimit(std::int64_t offset, std::int64_t diagram_bottom, std::int64_t line_height) {
    return diagram_bottom - offset - 250 < 4 * line_height;
}

std::int32_t AtLeastMinimum(std::int64_t offset) {
    if (offset < kAxisOffsetMin) return kAxisOffsetMin;
    return offset > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(offset);
}

}  // namespace

std::int32_t AxisOffsetAfterUp(std::int32_t offset, std::int32_t diagram_bottom, std::int32_t line_height) {
    std::int64_t up = static_cast<std::int64_t>(offset) + kAxisOffsetStep;
    if (BeyondUpperLimit(up, diagram_bottom, line_height)) up -= kAxisOffsetStep;
    return AtLeastMinimum(up);
}

std::int32_t AxisOffsetAfterDown(std::int32_t offset) {
    return AtLeastMinimum(static_cast<std::int64_t>(offset) - kAxisOffsetStep);
}

std::int32_t AxisOffsetAfterClick(std::int32_t offset, std::int32_t click_y, std::int32_t diagram_bottom,
                                  std::int32_t line_height) {
    std::int64_t moved = offset;
    std::int64_t axis_y = static_cast<std::int64_t>(diagram_bottom) - offset;
    if (click_y > axis_y) moved -= kAxisOffsetStep;
    if (click_y < axis_y) moved += kAxisOffsetStep;
    if (BeyondUpperLimit(moved, diagram_bottom, line_height)) moved -= kAxisOffsetStep;
    return AtLeastMinimum(moved);
}
