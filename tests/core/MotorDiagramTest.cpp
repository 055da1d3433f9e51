#include "core/diagram/MotorDiagram.h"
#include "SelectionTestCatalogue.h"
#include "core/diagram/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

using namespace airmotor::core;
using namespace airmotor::core::testing;

namespace {
namespace motor_diagram_test {

struct Fixture {
    Fixture() {
        tkm = AddMotor(catalogue, Tkm("TKM22-A100-"));
        limitedIndex = AddMotor(catalogue, {.designation = "TKM22-A200-", .maxSpeed = 8000});
        pgw = AddMotor(catalogue, Tkm("PGW03-A600"));
    }
    MotorDiagramInput Input(int index, int mode = 0) const {
        MotorDiagramInput in;
        in.catalogue = &catalogue;
        in.index = index;
        if (index > 0 && index <= catalogue.intAntalMotorer)
            in.strCurrentBenamning = catalogue.strBenamning[static_cast<std::size_t>(index)];
        in.intPressureMode = mode;
        in.texts = &language.strText;
        in.strLanguage = language.strLanguage;
        return in;
    }
    MotorCatalogue catalogue;
    LanguageState language = KeyedLanguage();
    int tkm = 0, limitedIndex = 0, pgw = 0;
};

std::vector<const PlotCurve*> Of(const MotorPlot& plot, CurveQuantity q) {
    std::vector<const PlotCurve*> out;
    for (const auto& c : plot.curves)
        if (c.quantity == q)
            out.push_back(&c);
    return out;
}

TEST(MotorDiagram, NothingIsDrawnWithoutACurrentMotor) {
    Fixture f;
    for (MotorDiagramInput in : {f.Input(0), f.Input(4)}) {
        RecordingCanvas canvas;
        DrawMotorDiagram(canvas, in);
        EXPECT_TRUE(canvas.lines.empty() && canvas.polylines.empty() && canvas.texts.empty());
        const MotorPlot plot = ComputeMotorPlot(in);
        EXPECT_TRUE(plot.curves.empty() && plot.designation.empty()) << in.index;
    }
    MotorDiagramInput noCatalogue = f.Input(f.tkm);
    noCatalogue.catalogue = nullptr;
    RecordingCanvas canvas;
    DrawMotorDiagram(canvas, noCatalogue);
    EXPECT_TRUE(canvas.texts.empty());
}

TEST(MotorDiagram, CurveEndSpeedsFollowTopSpeedPgwAndMaximumAllowedSpeed) {
    Fixture f;
    const PressureFactorValues reduced{0.8f, 0.9f, 0.85f};
    struct Case {
        const char* name;
        int index;
        float expectedEnd; // drawn speed of the last sample, r/min
    } cases[] = {
        // 1.03 x free speed, drawn at the speed factor of the pressure.
        {"plain", f.tkm, 0.9f * 1.03f * 10000.0f},
        // The governed PGW ends at 1.03 x its top speed whatever the pressure.
        {"PGW", f.pgw, 1.03f * 10000.0f},
        {"maximum allowed", f.limitedIndex, 8000.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MotorDiagramInput in = f.Input(c.index);
        in.factors = reduced;
        const MotorPlot plot = ComputeMotorPlot(in);
        ASSERT_EQ(plot.curves.size(), 3u);
        for (const auto& curve : plot.curves) {
            EXPECT_NEAR(curve.speed.back(), c.expectedEnd, static_cast<double>(c.expectedEnd) * 2e-4);
        }
    }
}

TEST(MotorDiagram, CurvesValuesFollowFactorsAndUnits) {
    Fixture f;
    MotorDiagramInput in = f.Input(f.tkm);
    in.factors = {0.8f, 0.9f, 0.85f};
    in.units = UnitFactors::ForImperial(1);
    const MotorPlot plot = ComputeMotorPlot(in);
    const auto torque = Of(plot, CurveQuantity::Torque);
    const auto power = Of(plot, CurveQuantity::Power);
    const auto air = Of(plot, CurveQuantity::Air);
    ASSERT_EQ(torque.size() + power.size() + air.size(), 3u);
    // At catalogue speed x the point lies at 0.9 x with torque 0.8 * M(x), in lbf ft.
    const float x = plot.scale.sngStartVarv;
    EXPECT_NEAR(torque[0]->value.front(), 0.8f * 100.0f * (1 - x / 10000.0f) / 1.35582f, 1e-3);
    EXPECT_NEAR(air[0]->value.front(), 0.85f * (5.0f + 0.002f * x) / 0.471947f, 1e-3);
    const float n = 0.9f * x, t = 0.8f * 100.0f * (1 - x / 10000.0f);
    EXPECT_NEAR(power[0]->value.front(), 2 * 3.14159265f * t * n / 60000.0f / 0.7457f, 1e-3);
}

TEST(MotorDiagram, CurvesAndColoursPerAlternative) {
    Fixture f;
    struct Case {
        int mode;
        std::size_t torque, power, air;
        int colour; // -1: each quantity in its own colour
        int width;
        bool colouredLabels;
        const char* title;
    } cases[] = {
        {0, 1, 1, 1, -1, 14, true, ""},   {1, 5, 5, 5, 0, 8, false, "T46"}, {2, 5, 0, 0, 0, 8, false, "T47"},
        {3, 0, 5, 0, 0, 8, false, "T48"}, {4, 0, 0, 5, 0, 8, false, "T49"}, {5, 1, 1, 1, -1, 8, true, "T50"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const MotorPlot plot = ComputeMotorPlot(f.Input(f.tkm, c.mode));
        EXPECT_EQ(Of(plot, CurveQuantity::Torque).size(), c.torque);
        EXPECT_EQ(Of(plot, CurveQuantity::Power).size(), c.power);
        EXPECT_EQ(Of(plot, CurveQuantity::Air).size(), c.air);
        EXPECT_EQ(plot.colouredLabels, c.colouredLabels);
        if (*c.title) {
            EXPECT_EQ(plot.title, c.title);
        }
        for (const auto& curve : plot.curves) {
            const int expected = c.colour >= 0                             ? c.colour
                                 : curve.quantity == CurveQuantity::Torque ? 12
                                 : curve.quantity == CurveQuantity::Power  ? 2
                                                                           : 9;
            EXPECT_EQ(curve.colour, expected);
            EXPECT_EQ(curve.width, c.width);
        }
    }
    MotorDiagramInput five = f.Input(f.tkm, 5);
    five.sngTillgLuftTryck = 5.5f;
    EXPECT_EQ(ComputeMotorPlot(five).subtitle, "T224 5.50 T56");
}

TEST(MotorDiagram, FamiliesAreAtTheFiveListPressures) {
    Fixture f;
    const MotorPlot plot = ComputeMotorPlot(f.Input(f.tkm, 2));
    const auto torque = Of(plot, CurveQuantity::Torque);
    ASSERT_EQ(torque.size(), 5u);
    const char* labels[] = {"4.0", "4.5", "5.0", "5.5", "6.3"};
    float previous = 0.0f;
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(torque[i]->label, labels[i]);
        // Higher pressure, more torque at the start speed.
        EXPECT_GT(torque[i]->value.front(), previous);
        previous = torque[i]->value.front();
    }
    // The 6.3 bar member is the catalogue curve itself.
    EXPECT_NEAR(torque[4]->value.front(), 100.0f * (1 - plot.scale.sngStartVarv / 10000.0f), 1e-3);

    // Labels far enough apart stay at their curves: their heights follow the torques at the start.
    RecordingCanvas canvas;
    DrawMotorPlot(canvas, plot, f.Input(f.tkm, 2));
    std::vector<float> heights;
    for (const char* label : labels) {
        const auto last = std::find_if(canvas.texts.rbegin(), canvas.texts.rend(),
                                       [&](const auto& t) { return t.text == label; });
        ASSERT_NE(last, canvas.texts.rend()) << label;
        // A unit right of the curve's first point, in the window's axis box 140 wide.
        const float start =
            torque[heights.size()]->speed.front() / static_cast<float>(plot.scale.speed.maximum);
        EXPECT_NEAR(last->x, start * 140.0f + 1.0f, 1e-3f) << label;
        heights.push_back(last->y);
    }
    const float perNm = (heights[4] - heights[0]) / (torque[4]->value.front() - torque[0]->value.front());
    for (std::size_t i = 1; i < 4; ++i)
        EXPECT_NEAR(heights[i] - heights[0], perNm * (torque[i]->value.front() - torque[0]->value.front()),
                    1e-3f)
            << labels[i];
}

TEST(MotorDiagram, ThrottledAndReducedPressureCurvesInTheStandardDiagram) {
    Fixture f;
    MotorDiagramInput in = f.Input(f.tkm);
    in.sngRadStrypning = 0.6f;
    in.sngRadTryck = 5.0f;
    const MotorPlot plot = ComputeMotorPlot(in);
    int throttled = 0, reduced = 0;
    for (const auto& c : plot.curves) {
        if (c.width == 2 || c.width == 7) {
            const bool keyed = std::any_of(plot.legend.begin(), plot.legend.end(), [&](const LegendEntry& l) {
                return l.colour == c.colour && l.width == c.width && l.style == c.style;
            });
            EXPECT_TRUE(keyed) << "drawn as its legend line shows, width " << c.width;
        }
        if (c.width == 2) {
            ++throttled;
            EXPECT_EQ(c.colour, 12);
            if (c.quantity == CurveQuantity::Torque) {
                // Stall torque kept, free speed scaled by the throttle ratio.
                const auto it =
                    std::find_if(c.speed.begin(), c.speed.end(), [](float n) { return n >= 6000.0f; });
                ASSERT_NE(it, c.speed.end());
                EXPECT_NEAR(c.value[static_cast<std::size_t>(it - c.speed.begin())], 0.0f, 0.2f);
            }
        } else if (c.width == 7) {
            ++reduced;
            EXPECT_EQ(c.colour, 9);
        }
        if (c.quantity == CurveQuantity::Air) {
            EXPECT_EQ(c.width, 14) << "air only at the supply pressure";
        }
    }
    EXPECT_EQ(throttled, 2);
    EXPECT_EQ(reduced, 2);
    in.intPressureMode = 5;
    EXPECT_EQ(ComputeMotorPlot(in).curves.size(), 3u);
}

// Each alternative marks the duty on the axis of what it shows: torque where torque curves are drawn,
// the required power (2 pi M n / 60000) on the power axis, a speed line for air curves alone.
TEST(MotorDiagram, WorkingPointStandsOnTheAxisOfTheCurvesShown) {
    Fixture f;
    const float lenX = 140.0f, lenY = 120.0f; // the window's axis box
    for (int mode = 0; mode <= 5; ++mode) {
        MotorDiagramInput in = f.Input(f.tkm, mode);
        std::tie(in.hasWorkingPoint, in.sngArbetsVarvtal, in.sngArbetsMoment) =
            std::tuple{true, 4000.0f, 40.0f};
        const MotorPlot plot = ComputeMotorPlot(in);
        RecordingCanvas canvas;
        DrawMotorPlot(canvas, plot, in);
        const float x = 4000.0f / static_cast<float>(plot.scale.speed.maximum) * lenX;
        if (mode == 4) {
            EXPECT_TRUE(canvas.circles.empty());
            const auto mark = std::find_if(canvas.lines.begin(), canvas.lines.end(), [&](const auto& l) {
                return l.state.colour == QBColor(12) && std::fabs(l.x1 - x) < 1e-3f &&
                       std::fabs(l.x2 - x) < 1e-3f;
            });
            ASSERT_NE(mark, canvas.lines.end());
            EXPECT_NEAR(std::fabs(mark->y2 - mark->y1), lenY, 1e-3);
            continue;
        }
        ASSERT_EQ(canvas.circles.size(), 1u) << mode;
        const bool power = mode == 3;
        const float value = power ? 2.0f * 3.14159265f * 40.0f * 4000.0f / 60000.0f : 40.0f;
        const double axisMax = power ? plot.scale.power.maximum : plot.scale.torque.maximum;
        EXPECT_NEAR(canvas.circles[0].x, x, 1e-3) << mode;
        EXPECT_NEAR(canvas.circles[0].y, value / static_cast<float>(axisMax) * lenY, 1e-2) << mode;
        EXPECT_EQ(std::pair(canvas.circles[0].colour, canvas.circles[0].state.width),
                  std::pair(QBColor(12), 1));
    }
}

TEST(MotorDiagram, StandardDiagramAxesClosedBoxColouredTitlesAndEvenlySpacedRightLabels) {
    Fixture f;
    RecordingCanvas standard;
    DrawMotorDiagram(standard, f.Input(f.tkm, 0));
    ASSERT_TRUE(standard.findText("T84") && standard.findText("T86") && standard.findText("T99"));
    EXPECT_EQ((std::array{standard.findText("T84")->state.colour, standard.findText("T86")->state.colour,
                          standard.findText("T99")->state.colour}),
              (std::array{QBColor(12), QBColor(2), QBColor(9)}));
    RecordingCanvas family;
    DrawMotorDiagram(family, f.Input(f.tkm, 1));
    EXPECT_EQ(family.findText("T84")->state.colour, QBColor(0));
    // The axis box is closed: four black sides from corner to corner of the window's 140 x 120.
    for (const auto& [x1, y1, x2, y2] :
         {std::array{0.0f, 0.0f, 140.0f, 0.0f}, std::array{0.0f, 120.0f, 140.0f, 120.0f},
          std::array{0.0f, 0.0f, 0.0f, 120.0f}, std::array{140.0f, 0.0f, 140.0f, 120.0f}})
        EXPECT_TRUE(std::any_of(standard.lines.begin(), standard.lines.end(),
                                [&](const auto& l) {
                                    return l.state.colour == QBColor(0) && l.x1 == x1 && l.y1 == y1 &&
                                           l.x2 == x2 && l.y2 == y2;
                                }))
            << x1 << " " << y1 << " " << x2 << " " << y2;
    // The labels right of the power and the air axis keep one distance from the end of their ticks.
    std::vector<float> gaps;
    for (const auto& tick : standard.lines) {
        if (tick.y1 != tick.y2 || tick.x1 <= 0.0f || tick.x2 - tick.x1 > 2.0f)
            continue;
        for (const auto& t : standard.texts) // left-aligned, centred on the tick
            if (std::fabs(t.y - t.state.fontSize / 2.0f - tick.y1) < 1e-3f && t.x > tick.x1 &&
                t.x < tick.x1 + 5.0f)
                gaps.push_back(t.x - tick.x2);
    }
    ASSERT_GE(gaps.size(), 4u);
    EXPECT_GT(*std::min_element(gaps.begin(), gaps.end()), 0.0f);
    EXPECT_NEAR(*std::min_element(gaps.begin(), gaps.end()), *std::max_element(gaps.begin(), gaps.end()),
                1e-3f);
}

} // namespace motor_diagram_test
} // namespace
