#include "core/diagram/DiagramEngine.h"
#include "core/diagram/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace airmotor::core;

namespace {
namespace diagram_engine_test {

// Clip window 0..100 x 0..50 inside a larger sheet.
struct Engine {
    explicit Engine(CanvasKind kind = CanvasKind::Window) : canvas(kind), engine(canvas) {
        engine.SetScale(-20.0f, -20.0f, 140.0f, 80.0f, "Underkant");
        engine.sngClipXMin = 0.0f;
        engine.sngClipXMax = 100.0f;
        engine.sngClipYMin = 0.0f;
        engine.sngClipYMax = 50.0f;
    }
    // Values drawn as they are: one value unit is one world unit on both axes.
    Engine& Unscaled() {
        engine.sngAxisLenX = engine.sngAxisMaxX = engine.sngAxisLenY = engine.sngAxisMaxY = 1.0f;
        return *this;
    }
    RecordingCanvas canvas;
    DiagramEngine engine;
};

struct ClipCase {
    const char* name;
    float x1, y1, x2, y2, yScale;
    bool drawn;
    float ex1, ey1, ex2, ey2;
};

TEST(DiagramEngineClip, EachEdgeShortensOutsideAndNonFiniteReject) {
    const ClipCase cases[] = {
        {"inside", 10, 10, 90, 40, 1, true, 10, 10, 90, 40},
        {"crosses left", -10, 10, 10, 30, 1, true, 0, 20, 10, 30},
        {"crosses right", 90, 10, 110, 30, 1, true, 90, 10, 100, 20},
        {"crosses bottom", 20, -10, 40, 10, 1, true, 30, 0, 40, 10},
        {"crosses top", 20, 40, 40, 60, 1, true, 20, 40, 30, 50},
        {"through two edges", -10, -10, 60, 60, 1, true, 0, 0, 50, 50},
        {"corner to corner beyond", -50, 25, 150, 25, 1, true, 0, 25, 100, 25},
        {"both left", -30, 10, -5, 40, 1, false, 0, 0, 0, 0},
        {"both right", 105, 10, 130, 40, 1, false, 0, 0, 0, 0},
        {"both above", 10, 55, 90, 70, 1, false, 0, 0, 0, 0},
        {"passes the corner outside", -10, 45, 20, 75, 1, false, 0, 0, 0, 0},
        // The sheet around the clip window is larger: a segment into that margin is still cut at the
        // clip edge, or curves would run over the tick labels.
        {"into the right margin", 90, 20, 130, 20, 1, true, 90, 20, 100, 20},
        {"into the top margin", 20, 45, 20, 75, 1, true, 20, 45, 20, 50},
        // The y scale applies before the cut: y 20 .. 80 is cut at 50.
        {"scaled y", 10, 10, 20, 40, 2, true, 10, 20, 15, 50},
        {"not a number", NAN, 10, 20, 20, 1, false, 0, 0, 0, 0},
        {"infinite", 10, INFINITY, 20, 20, 1, false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Engine e;
        e.engine.sngAxisMaxX = 6000.0f; // value units, far larger than any world x
        e.engine.DrawLine(c.x1, c.y1, c.x2, c.y2, c.yScale);
        if (!c.drawn) {
            EXPECT_TRUE(e.canvas.lines.empty());
            continue;
        }
        ASSERT_EQ(e.canvas.lines.size(), 1u);
        const auto& l = e.canvas.lines[0];
        EXPECT_NEAR(l.x1, c.ex1, 1e-4);
        EXPECT_NEAR(l.y1, c.ey1, 1e-4);
        EXPECT_NEAR(l.x2, c.ex2, 1e-4);
        EXPECT_NEAR(l.y2, c.ey2, 1e-4);
    }
}

TEST(DiagramEnginePolyline, GapsAboveSevenUnitsGetFourPointsAtFifths) {
    struct Case {
        float length;
        int points;
    } cases[] = {{7.0f, 2}, {35.0f, 6}, {36.0f, 26}};
    for (const auto& c : cases)
        for (const bool upwards : {false, true}) { // a gap along x, or one up y
            SCOPED_TRACE(std::to_string(c.length) + (upwards ? " up" : " along"));
            Engine e;
            e.Unscaled().engine.sngClipXMax = 1000.0f;
            std::vector<float> along = {0, 1, 1 + c.length}, level = {0, 10, 10};
            e.engine.DrawPolyline(upwards ? level : along, upwards ? along : level, 2);
            ASSERT_EQ(e.canvas.polylines.size(), 1u);
            const auto& p = e.canvas.polylines[0].xy;
            ASSERT_EQ(static_cast<int>(p.size() / 2), c.points);
            for (std::size_t i = 2; i < p.size(); i += 2)
                EXPECT_LE(std::hypot(p[i] - p[i - 2], p[i + 1] - p[i - 1]), 7.0f + 1e-4f);
            EXPECT_FLOAT_EQ(p[p.size() - (upwards ? 1 : 2)], 1 + c.length);
        }
}

TEST(DiagramEnginePolyline, ScalesValuesToTheAxisBoxAndStopsAtTheLimit) {
    Engine e;
    e.engine.sngClipXMax = 1.0e6f;
    e.engine.sngClipYMax = 1.0e6f;
    e.engine.sngAxisMaxX = 6000.0f; // r/min onto 100 units
    e.engine.sngAxisLenX = 100.0f;
    e.engine.sngAxisMaxY = 20.0f; // Nm onto 50 units
    e.engine.sngAxisLenY = 50.0f;
    std::vector<float> xs = {0, 600, 3000}, ys = {0, 10, 4};
    e.engine.DrawPolyline(xs, ys, 2);
    EXPECT_FLOAT_EQ(xs[1], 10.0f);
    EXPECT_FLOAT_EQ(ys[1], 25.0f);
    EXPECT_FLOAT_EQ(xs.back(), 50.0f);

    // A long zig-zag would need far more points than the buffer holds.
    Engine big;
    big.engine.sngClipXMax = big.engine.sngClipYMax = 1.0e9f;
    std::vector<float> zx(1, 0.0f), zy(1, 0.0f);
    for (int i = 1; i <= 1000; ++i) {
        zx.push_back(static_cast<float>(i) * 100.0f);
        zy.push_back(i % 2 ? 1000.0f : 1.0f);
    }
    big.engine.DrawPolyline(zx, zy, 1000);
    EXPECT_LE(static_cast<int>(zx.size()) - 1, DiagramEngine::kMaxPolylinePoints);
    // Four points short of the limit, a long gap still gets its four.
    std::vector<float> fx(1, 0.0f), fy(DiagramEngine::kMaxPolylinePoints - 3, 1.0f);
    for (std::size_t i = 1; i + 1 < fy.size(); ++i)
        fx.push_back(static_cast<float>(i) * 0.01f);
    fx.push_back(99.0f);
    Engine().Unscaled().engine.DrawPolyline(fx, fy, DiagramEngine::kMaxPolylinePoints - 4);
    EXPECT_EQ(static_cast<int>(fx.size()) - 1, DiagramEngine::kMaxPolylinePoints);
}

TEST(DiagramEnginePolyline, AZeroPointAfterTheFirstEndsTheCurveAndClipSplitsIt) {
    Engine e;
    e.Unscaled();
    std::vector<float> xs = {0, 0, 3, 6, 9, 0}, ys = {0, 0, 3, 3, 0, 0};
    e.engine.DrawPolyline(xs, ys, 5);
    ASSERT_EQ(e.canvas.polylines.size(), 1u);
    // (0,0) (3,3) (6,3) (9,0): no line back to the origin, but zero torque at free speed is a point.
    EXPECT_EQ(e.canvas.polylines[0].xy.size(), 8u);

    // Up over the top edge and back down: two visible pieces, each its own path.
    Engine split;
    split.Unscaled();
    std::vector<float> sx = {0, 10, 15, 20, 25}, sy = {0, 40, 60, 60, 40};
    split.engine.DrawPolyline(sx, sy, 4);
    ASSERT_EQ(split.canvas.polylines.size(), 2u);
}

TEST(DiagramEngineConversion, WindowAndPrinterLineWidthsFontSizesAndStyles) {
    Engine window;
    const std::pair<int, int> windowWidths[] = {{1, 1}, {3, 1}, {7, 2}, {14, 4}, {16, 4}};
    for (auto [w, px] : windowWidths) {
        window.engine.SetLineWidth(static_cast<std::int16_t>(w));
        EXPECT_EQ(window.canvas.state.width, px) << w;
    }
    const std::pair<float, float> windowFonts[] = {{4, 1}, {7, 1}, {10, 4}, {14, 8}};
    for (auto [size, shown] : windowFonts)
        EXPECT_FLOAT_EQ(window.engine.CanvasFontSize(size), shown) << size;

    Engine printer(CanvasKind::Printer);
    printer.engine.sngPrinterDpi = 600.0f;
    printer.engine.SetLineWidth(3);
    EXPECT_EQ(printer.canvas.state.width, 6);
    printer.engine.sngPrinterDpi = 300.0f;
    printer.engine.SetLineWidth(14);
    EXPECT_EQ(printer.canvas.state.width, 14);
    EXPECT_FLOAT_EQ(printer.engine.CanvasFontSize(10), 10.0f);
    for (const auto& [style, drawn] : {std::pair{4, 4}, {5, 0}, {-1, 0}}) {
        printer.engine.SetLineStyle(static_cast<std::int16_t>(style));
        EXPECT_EQ(printer.canvas.state.style, drawn) << style;
    }
}

TEST(DiagramEngineMarker, DrawnOnThePlotEdgeNotBeyondIt) {
    struct Case {
        float x, y;
        bool drawn;
    } cases[] = {{140, 30, true},      {140.01f, 30, false}, {-20, 80, true},
                 {-20.01f, 30, false}, {50, 80.01f, false},  {50, -20, true}};
    for (const auto& c : cases) {
        Engine e;
        e.engine.DrawMarker(c.x, c.y, 2.0f, 15, 5);
        ASSERT_EQ(e.canvas.circles.size(), c.drawn ? 1u : 0u) << c.x << "," << c.y;
        EXPECT_TRUE(!c.drawn || e.canvas.circles[0].colour == (Rgb{255, 255, 255}))
            << "the last palette colour";
    }
}

TEST(DiagramEngineText, NineAnchorsPlaceTheTopLeftCorner) {
    // Printer sizes are not reduced: "abcd" at 10 is 24 wide and 10 high on the recording canvas.
    struct Case {
        int anchor;
        float left, top;
    } cases[] = {{1, 50, 30}, {3, 50, 20}, {5, 38, 25}, {7, 26, 30}, {9, 26, 20}};
    for (const auto& c : cases) {
        Engine e(CanvasKind::Printer);
        e.engine.DrawText("  abcd", 50, 20, 10, true, c.anchor);
        ASSERT_EQ(e.canvas.texts.size(), 1u);
        EXPECT_EQ(e.canvas.texts[0].text, "abcd") << "leading blanks removed";
        EXPECT_FLOAT_EQ(e.canvas.texts[0].x, c.left) << c.anchor;
        EXPECT_FLOAT_EQ(e.canvas.texts[0].y, c.top) << c.anchor;
    }
}

TEST(DiagramEngineText, LabelValueRightAlignsTheValue) {
    Engine window;
    window.engine.LabelValue(" Power", " 1.25", 10, 20, 80);
    ASSERT_EQ(window.canvas.texts.size(), 2u);
    const float w = window.canvas.textWidth("1.25");
    EXPECT_FLOAT_EQ(window.canvas.texts[0].x, 10.0f);
    EXPECT_FLOAT_EQ(window.canvas.texts[1].x + w, 80.0f);

    Engine printer(CanvasKind::Printer);
    printer.engine.sngRightEdge = 200.0f;
    printer.engine.LabelValue("Power", "1.25", 10, 20, 80);
    ASSERT_EQ(printer.canvas.texts.size(), 2u);
    EXPECT_FLOAT_EQ(printer.canvas.texts[0].x, 13.0f);
    EXPECT_FLOAT_EQ(printer.canvas.texts[1].x + printer.canvas.textWidth("1.25"), 199.0f);
}

TEST(DiagramEngineText, SpeedUnitIsRaisedMinusOneOrFrenchPlainText) {
    Engine german(CanvasKind::Printer);
    german.engine.strLanguage = "German";
    german.engine.SpeedUnitLabel(50, 20, 10, 6);
    ASSERT_EQ(german.canvas.texts.size(), 2u);
    const auto& unit = german.canvas.texts[0];
    const auto& exponent = german.canvas.texts[1];
    EXPECT_EQ(unit.text, "[min   ]");
    EXPECT_EQ(exponent.text, "-1");
    EXPECT_FLOAT_EQ(exponent.state.fontSize, 8.0f);
    EXPECT_GT(exponent.y, unit.y); // y points up: raised
    EXPECT_GT(exponent.x, unit.x + german.canvas.textWidth("[min") - 1e-3f);
    EXPECT_LT(exponent.x + german.canvas.state.fontSize * 1.2f, unit.x + german.canvas.textWidth("[min   ]"));

    Engine french(CanvasKind::Printer);
    french.engine.strLanguage = "French";
    french.engine.SpeedUnitLabel(50, 20, 10, 6);
    ASSERT_EQ(french.canvas.texts.size(), 1u);
    EXPECT_EQ(french.canvas.texts[0].text, "[tr/mn]");
}

} // namespace diagram_engine_test
} // namespace
