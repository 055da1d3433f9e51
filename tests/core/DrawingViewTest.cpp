#include "core/diagram/DrawingReference.h"
#include "core/diagram/ViewGeometry.h"

#include <gtest/gtest.h>

using namespace airmotor::core;

namespace {
namespace drawing_view_test {

TEST(DrawingReference, CommaRuleByColumnAndLinks) {
    struct Case {
        const char* reference;
        int column;
        bool link;
        const char* name;
    } cases[] = {
        {"TKM22A", 0, false, "TKM22A"},
        {"TKM22A", 1, false, "TKM22A"},
        {"  TKM22A", 0, false, "TKM22A"},
        {"TKM22A11,TKM22A12", 0, false, "TKM22A11"},
        {"TKM22A11,TKM22A12", 1, false, "TKM22A12"},
        {"TKM33R11, TKM33R15", 1, false, "TKM33R15"},
        {"http://example.com/d?a=1,2", 1, true, "http://example.com/d?a=1,2"},
        {"TKM14A,http://example.com/y", 1, true, "http://example.com/y"},
        {"", 0, false, ""},
    };
    for (const auto& c : cases) {
        const DrawingChoice d = ChooseDrawing(c.reference, c.column);
        EXPECT_EQ(d.isLink, c.link) << c.reference;
        EXPECT_EQ(d.name, c.name) << c.reference << " column " << c.column;
    }
}

TEST(ViewGeometry, WindowsSizeByScreenAndSitAtTheRightEdge) {
    const ViewRect low = DiagramWindowRect(19200, 12000);
    EXPECT_DOUBLE_EQ(low.height, 7000);
    EXPECT_DOUBLE_EQ(low.width, 9310);
    EXPECT_DOUBLE_EQ(low.left, 19200 - 9310);
    const ViewRect tall = DiagramWindowRect(28800, 16200);
    EXPECT_DOUBLE_EQ(tall.height, 8100);
    EXPECT_DOUBLE_EQ(tall.width, 1.33 * 8100);
    const ViewRect drawing = DrawingWindowRect(19200, 12000);
    EXPECT_DOUBLE_EQ(drawing.top, 12000 - 7000);
    EXPECT_DOUBLE_EQ(drawing.left, low.left);
}

TEST(ViewGeometry, ZoomRectangleAnyDirectionNoDistortionZeroIgnored) {
    // Control 400 x 300 (ratio 1.333).
    const auto forward = ZoomSourceRect(10, 20, 110, 40, 400, 300); // wide selection
    const auto backward = ZoomSourceRect(110, 40, 10, 20, 400, 300);
    ASSERT_TRUE(forward && backward);
    for (const auto& r : {*forward, *backward}) {
        EXPECT_DOUBLE_EQ(r.left, 10);
        EXPECT_DOUBLE_EQ(r.top, 20);
        EXPECT_DOUBLE_EQ(r.width, 100);
        EXPECT_DOUBLE_EQ(r.height, 75);
    }
    const auto tallSelection = ZoomSourceRect(0, 0, 30, 90, 400, 300);
    ASSERT_TRUE(tallSelection);
    EXPECT_DOUBLE_EQ(tallSelection->height, 90);
    EXPECT_DOUBLE_EQ(tallSelection->width, 120);
    EXPECT_FALSE(ZoomSourceRect(5, 5, 5, 50, 400, 300));
    EXPECT_FALSE(ZoomSourceRect(5, 5, 50, 5, 400, 300));
    EXPECT_FALSE(ZoomSourceRect(0, 0, 10, 10, 0, 300));
}

} // namespace drawing_view_test
} // namespace
