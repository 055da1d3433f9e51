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

void ExpectRect(const ViewRect& r, double left, double top, double width, double height) {
    EXPECT_DOUBLE_EQ(r.left, left);
    EXPECT_DOUBLE_EQ(r.top, top);
    EXPECT_DOUBLE_EQ(r.width, width);
    EXPECT_DOUBLE_EQ(r.height, height);
}

TEST(ViewGeometry, WindowsSizeByScreenAndSitAtTheRightEdge) {
    ExpectRect(DiagramWindowRect(19200, 12000), 19200 - 9310, 0, 9310, 7000);
    ExpectRect(DiagramWindowRect(28800, 16200), 28800 - 1.33 * 8100, 0, 1.33 * 8100, 8100);
    ExpectRect(DrawingWindowRect(19200, 12000), 19200 - 9310, 12000 - 7000, 9310, 7000);
}

TEST(ViewGeometry, ZoomRectangleAnyDirectionNoDistortionZeroIgnored) {
    // Control 400 x 300 (ratio 1.333): a wide selection drawn either way, then a tall one.
    for (const auto& r :
         {ZoomSourceRect(10, 20, 110, 40, 400, 300), ZoomSourceRect(110, 40, 10, 20, 400, 300)}) {
        ASSERT_TRUE(r);
        ExpectRect(*r, 10, 20, 100, 75);
    }
    const auto tallSelection = ZoomSourceRect(0, 0, 30, 90, 400, 300);
    ASSERT_TRUE(tallSelection);
    ExpectRect(*tallSelection, 0, 0, 120, 90);
    EXPECT_FALSE(ZoomSourceRect(5, 5, 5, 50, 400, 300));
    EXPECT_FALSE(ZoomSourceRect(5, 5, 50, 5, 400, 300));
    EXPECT_FALSE(ZoomSourceRect(0, 0, 10, 10, 0, 300));
}

} // namespace drawing_view_test
} // namespace
