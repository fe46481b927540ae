// Cutting a line to a rectangle: the part inside in the line's direction,
// its ends inside kept exactly, nothing for a line outside.
#include <gtest/gtest.h>

#include "diagram/line_clip.h"

namespace {

TEST(LineClip, PartInsideTheRectangle) {
    struct Case {
        double x1, y1, x2, y2;
        bool inside;
        ClippedLine cut;
    };
    const ClipRect rect{0, 0, 100, 50};
    const Case cases[] = {
        {10, 10, 20, 30, true, {10, 10, 20, 30, 0}},          // wholly inside
        {249, -77, 272, 77, false, {}},                       // right of it
        {50, -77, 73, 77, true, {61.5, 0, 68.97, 50, 77}},    // through the top and the bottom
        {120, 5, -20, 5, true, {100, 5, 0, 5, 20}},           // leftwards, through both sides
        {0, 50, 0, 50, true, {0, 50, 0, 50, 0}},              // a point on the corner
        {-1, -1, -5, -5, false, {}},
        {-10, 60, 60, -10, true, {0, 50, 50, 0, 10}},         // through two corners
    };
    for (const Case& c : cases) {
        ClippedLine cut{};
        ASSERT_EQ(ClipLine(c.x1, c.y1, c.x2, c.y2, rect, cut), c.inside) << c.x1 << " " << c.y1;
        if (!c.inside) continue;
        EXPECT_NEAR(cut.x1, c.cut.x1, 0.01);
        EXPECT_NEAR(cut.y1, c.cut.y1, 0.01);
        EXPECT_NEAR(cut.x2, c.cut.x2, 0.01);
        EXPECT_NEAR(cut.y2, c.cut.y2, 0.01);
        EXPECT_NEAR(cut.cut_at_start, c.cut.cut_at_start, 0.01);
    }
}

}  // namespace
