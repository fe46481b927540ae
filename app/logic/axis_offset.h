// The x-axis offset rules: the distance from the bottom of the diagram
// window to the x-axis, in pixels at scale 1, moved in steps of 25 by the
// X-Axis up and down commands and by a left click in the diagram window.
//
// Lower limit 50. Upper limit: a step up is taken back when the axis would
// come closer than 250 + 4 line heights to the top of the diagram window
// (its height is diagram_bottom). The limit is checked after the step only,
// so an offset already beyond it (after the window got smaller) is not
// corrected by resizing.
#pragma once

#include <cstdint>

std::int32_t AxisOffsetAfterUp(std::int32_t offset, std::int32_t diagram_bottom, std::int32_t line_height);
std::int32_t AxisOffsetAfterDown(std::int32_t offset);

// A left click at click_y (pixels from the diagram window's top) moves the
// axis one step towards the click; a click on the axis row takes no step,
// but both limits still apply.
std::int32_t AxisOffsetAfterClick(std::int32_t offset, std::int32_t click_y, std::int32_t diagram_bottom,
                                  std::int32_t line_height);
