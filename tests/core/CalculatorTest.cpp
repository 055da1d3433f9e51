#include "core/calculators/CalculatorDiagram.h"
#include "core/calculators/CalculatorModel.h"
#include "core/calculators/RotatingMassCalculation.h"
#include "core/calculators/WagonCalculation.h"
#include "core/common/Keys.h"
#include "core/diagram/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <utility>

using namespace airmotor::core;

namespace {
namespace calculator_test {

void ExpectClose(float actual, double expected) {
    EXPECT_NEAR(actual, expected, 1e-4 * std::max(1.0, std::fabs(expected))) << "expected " << expected;
}

const MotorData kMotor{10.0f, 8.0f, 3000.0f};

struct WagonCase {
    const char* name;
    MotorData motor;
    WagonInputs in; // i, eta, D, v0, m, FR, alfa, T, Nd, mu
    double s, v, a; // worked out by hand from the closed form
};

TEST(WagonCalculation, ClosedFormAgainstHandValues) {
    const WagonCase cases[] = {
        // Fs = Fres: b = 0, the wagon only coasts down from v0 (v = v0 exp(-kT), k = 1 / (10 pi)).
        {"coasting", {1, 1, 300}, {1, 1, 2, 2, 1, 1, 0, 10, 80, 0.7f}, 17.129386, 1.4547547, -0.0463063},
        {"coasting from rest", {1, 1, 300}, {1, 1, 2, 0, 1, 1, 0, 10, 80, 0.7f}, 0.0, 0.0, 0.0},
        // clang-format off
        {"level start", kMotor, {9, 0.9f, 0.1f, 0, 1000, 1, 1, 6, 5000, 0.7f}, 7.6847294, 1.5538498, 0.0055215},
        // 90 degrees: the whole weight m g resists.
        {"vertical lift", kMotor, {9, 0.9f, 0.1f, 0, 100, 1, 90, 0.1f, 5000, 0.7f}, 0.0239533, 0.4156675, 2.5218089},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CalculationResult r = SolveWagon(c.in, c.motor);
        ASSERT_EQ(r.refusal, 0);
        ASSERT_EQ(r.shown.size(), 3u);
        for (std::size_t k = 0; k < 3; ++k)
            ExpectClose(r.shown[k].second, std::array{c.s, c.v, c.a}[k]);
        // The curve's last point is the result; point 0 is overridden.
        ExpectClose(r.curves.distance[70], c.s);
        EXPECT_EQ(r.curves.velocity[0], 0.0f);
        EXPECT_EQ(r.curves.acceleration[0], r.curves.acceleration[1]);
    }
}

TEST(WagonCalculation, RefusalsInTheirOrder) {
    const WagonInputs ok{9, 0.9f, 0.1f, 0, 1000, 1, 1, 6, 5000, 0.7f};
    struct Case {
        const char* name;
        MotorData motor;
        WagonInputs in;
        int key;
        bool clears;
        int zeroBox = -1; // the input named in the message
    };
    auto with = [&](auto change) {
        WagonInputs in = ok;
        change(in);
        return in;
    };
    const Case cases[] = {
        {"no stall torque before zero divisors", {0, 8, 0}, with([](auto& in) { in.i = 0; }), 168, false},
        {"zero ratio", kMotor, with([](auto& in) { in.i = 0; }), 169, false, 0},
        {"zero mass after the ratio", kMotor, with([](auto& in) { in.m = 0; }), 169, false, 4},
        {"zero free speed", {10, 8, 0}, ok, 169, false, 16},
        {"zero time", kMotor, with([](auto& in) { in.T = 0; }), 169, false, 7},
        {"zero efficiency gives k = 0", kMotor, with([](auto& in) { in.eta = 0; }), 169, false},
        {"negative velocity before start test", kMotor, with([](auto& in) { in.alfa = 90; }), 169, true},
        // 2 Mst i / D = 180 N would lift the 171 N on the slope; the transmission's losses leave 162 N.
        {"start torque short by the losses", {10, 1, 3000}, with([](auto& in) { in.FR = 0; }), 169, false},
        {"distance beyond the float range", kMotor, with([](auto& in) { in.T = 3e38f; }), 169, true},
        {"wheel slips", kMotor, with([](auto& in) { in.Nd = 1500; }), 218, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CalculationResult r = SolveWagon(c.in, c.motor);
        EXPECT_EQ(r.refusal, c.key);
        EXPECT_EQ(r.clearsResults, c.clears);
        EXPECT_EQ(r.zeroBox, c.zeroBox);
        EXPECT_TRUE(r.shown.empty());
    }
}

TEST(RotatingMassCalculation, ClosedFormAndRefusals) {
    const MotorData motor{2, 1.5f, 6000};
    struct Case {
        const char* name;
        RotatingMassInputs in; // i, eta, w0, J, Mres, c, T
        int key;
        double angle, velocity, acceleration;
    };
    const Case cases[] = {
        {"no damping", {5, 0.9f, 0, 0.1f, 0.1f, 0, 0.7f}, 0, 1064.38125, 2807.48308, 3088.98835},
        {"damped", {5, 0.9f, 0, 0.1f, 0.1f, 1, 0.7f}, 0, 288.73729, 475.62424, 2.81679},
        {"heavy damping, fast start", {5, 0.9f, 3000, 0.1f, 0.1f, 50, 0.7f}, 0, 13.10045, 10.18481, 0.0},
        {"reversing load", {5, 0.9f, 3000, 0.1f, 100, 50, 0.7f}, 169, 0, 0, 0},
        {"zero inertia", {5, 0.9f, 0, 0, 0.1f, 0, 0.7f}, 169, 0, 0, 0},
        {"start torque below resistance", {5, 0.9f, 0, 0.1f, 7, 0, 0.7f}, 169, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CalculationResult r = SolveRotatingMass(c.in, motor);
        ASSERT_EQ(r.refusal, c.key);
        if (c.key != 0)
            continue;
        for (std::size_t k = 0; k < 3; ++k)
            ExpectClose(r.shown[k].second, std::array{c.angle, c.velocity, c.acceleration}[k]);
        ExpectClose(r.shown[3].second, static_cast<double>(r.shown[1].second) / 6.0); // r/min from degrees/s
        ExpectClose(r.curves.velocity[70], r.shown[3].second);
        ExpectClose(r.curves.distance[70], c.angle / 360.0);
    }
    EXPECT_EQ(SolveRotatingMass({5, 0.9f, 0, 0.1f, 0.1f, 0, 0.7f}, {0, 1, 1}).refusal, 168);
    EXPECT_EQ(SolveRotatingMass({5, 1, 0, 0.1f, 7.5f, 0, 0.7f}, motor).refusal, 0)
        << "start torque equal to the load";
}

TEST(CalculatorCurves, GridLoopAndAxes) {
    // The step search takes the first 0.01 * {1, 2, 4, 5} * 10^p reaching the target.
    const struct {
        double target;
        int intervals;
        double step;
    } steps[] = {{0.0, 5, 0.01}, {0.05, 5, 0.01}, {0.051, 5, 0.02}, {7.3, 6, 2.0}, {1e6, 5, 2e5}};
    for (const auto& s : steps) {
        const auto axis = SharedGridStep(s.target, s.intervals);
        ASSERT_TRUE(axis);
        EXPECT_DOUBLE_EQ(axis->step, s.step) << s.target;
        EXPECT_DOUBLE_EQ(axis->maximum, s.step * s.intervals);
    }
    EXPECT_FALSE(SharedGridStep(INFINITY, 5));
    EXPECT_FALSE(SharedGridStep(NAN, 5));

    // A step that underflows to 0 still ends after 71 points.
    const CalculatorCurves tiny = SampleCurves(1e-45f, [](float) { return CurvePoint{1, 1, 1}; });
    EXPECT_EQ(tiny.distance[70], 1.0f);
    EXPECT_EQ(tiny.distance[0], 0.0f);
    // A zero speed at the end leaves the velocity axis and the two axes on its grid empty.
    EXPECT_FALSE(ScaleAxes(tiny).time);
    CalculatorCurves flat = SampleCurves(6.0f, [](float) { return CurvePoint{1, 0, 1}; });
    const CalculatorAxes flatAxes = ScaleAxes(flat);
    EXPECT_TRUE(flatAxes.time);
    EXPECT_FALSE(flatAxes.velocity || flatAxes.distance || flatAxes.acceleration);
    // Time 6 s: 0.995 * 6 rounds up to 6 on the X scale; the grid reaches exactly T.
    EXPECT_DOUBLE_EQ(flatAxes.time->maximum, 6.0);
    EXPECT_NEAR(flat.time[70], 6.0f, 1e-5f);
}

// Every value axis carries its own caption in the axis's colour, without the result label's dot
// leader; nothing else is written under the diagram.
TEST(CalculatorDiagram, EachAxisCaptionInItsAxisColour) {
    TextTable strText;
    strText.set(170, "Wagon");
    strText.set(171, "Time [s]");
    strText.set(173, "Distance [m]");
    strText.set(199, "Velocity [m/s] .....");
    strText.set(200, "Acceleration [m/s2] ...");
    strText.set(38, "Program name");
    const CalculationResult result = SolveWagon({9, 0.9f, 0.1f, 0, 1000, 1, 1, 6, 5000, 0.7f}, kMotor);
    ASSERT_EQ(result.refusal, 0);
    RecordingCanvas canvas;
    DrawCalculatorPlot(canvas, MakeCalculatorPlot(WagonLayout(), result, strText, 0));
    const struct {
        const char* caption;
        int colour;
    } axes[] = {{"Velocity [m/s]", 9}, {"Acceleration [m/s2]", 12}, {"Distance [m]", 0}};
    for (const auto& axis : axes) {
        const auto* text = canvas.findText(axis.caption);
        ASSERT_NE(text, nullptr) << axis.caption;
        EXPECT_EQ(text->state.colour, QBColor(axis.colour)) << axis.caption;
        EXPECT_TRUE(text->state.bold) << axis.caption; // all three alike, above their axes
    }
    EXPECT_EQ(canvas.findText("Program name"), nullptr);
    ASSERT_NE(canvas.findText("Time [s]"), nullptr);
    EXPECT_FALSE(canvas.findText("Time [s]")->state.bold); // as the motor diagram's speed axis
}

// Label1(n) beside Text1(box): one number skipped after the time box, another after the motor type.
TEST(CalculatorLayout, LabelOfEachBox) {
    for (const auto& [box, label] : {std::pair{0, 0}, {7, 7}, {8, 9}, {13, 14}, {14, 16}, {16, 18}})
        EXPECT_EQ(LabelOfBox(box), label) << box;
}

// The main window's diagram alternatives choose the value axes: 0 all, 1-3 one each, 4 and 5 all.
TEST(CalculatorDiagram, AlternativesChooseTheValueAxes) {
    const struct {
        bool acceleration, velocity, distance;
    } shown[] = {{true, true, true},   {false, false, true}, {false, true, false},
                 {true, false, false}, {true, true, true},   {true, true, true}};
    for (int a = 0; a < 6; ++a) {
        EXPECT_EQ(ShowsAccelerationAxis(a), shown[a].acceleration) << a;
        EXPECT_EQ(ShowsVelocityAxis(a), shown[a].velocity) << a;
        EXPECT_EQ(ShowsDistanceAxis(a), shown[a].distance) << a;
    }
}

class Model : public ::testing::Test, public CalculatorListener {
protected:
    void SetUp() override {
        for (int k : {168, 169, 174, 175, 197, 218, 220})
            strText.set(k, "t" + std::to_string(k));
        strText.set(175, "Result after");
        strText.set(174, "s");
        catalogue.intAntalMotorer = 2;
        catalogue.strBenamning = {"", "M1", "M2"};
        catalogue.sngStallmoment = {0, 10, 2};
        catalogue.sngMinStartMoment = {0, 8, 1.5f};
        catalogue.sngTomgVarvtal = {0, 3000, 6000};
        wagon.SetListener(this);
        wagon.Load(false);
    }
    void HideDiagram() override { ++hidden; }
    void HideDiagramHelp() override {}
    void ShowCurves() override { ++shown; }
    void CurvesWithdrawn() override { ++withdrawn; }
    void Calculate() {
        wagon.Type(4, "1000");
        wagon.Type(11, "5000");
        wagon.Calculate(catalogue, 1);
    }

    TextTable strText;
    MotorCatalogue catalogue;
    RecordingMessageSink sink;
    CalculatorModel wagon{WagonLayout(), strText, sink};
    int hidden = 0, shown = 0, withdrawn = 0;
};

TEST_F(Model, LoadTypingAndHeading) {
    EXPECT_EQ(wagon.heading(), "t197");
    // Times the classic layout writes with an exponent are written out.
    for (const char* time : {"0.00001", "100000000", "-12345678", "1234567"}) {
        wagon.Type(7, time);
        EXPECT_EQ(wagon.heading(), "Result after " + std::string(time) + " s :");
    }
    wagon.Type(7, ".7");
    EXPECT_EQ(wagon.heading(), "Result after 0.7 s :");
    wagon.Type(7, "1,5x");
    EXPECT_EQ(wagon.box(7).text, "1.5");
    wagon.Type(1, "1.5");
    EXPECT_EQ(wagon.box(1).colour, kColourAboveRange);
    // The pressure goes before the colon, also where the language sets it off with a blank.
    for (const auto& [text, heading] : {std::pair{"Motor data:", "Motor data (6.3 bar(e)):"},
                                        {"Données du moteur :", "Données du moteur (6.3 bar(e)) :"},
                                        {"Motor data", "Motor data (6.3 bar(e))"}}) {
        strText.set(191, text);
        EXPECT_EQ(MotorDataHeading(strText), heading);
    }
    wagon.Type(14, "5"); // locked while the motor's data are shown
    EXPECT_EQ(wagon.box(14).text, "");
    // A zero input is named by its caption, without the caption's dot leader.
    strText.set(185, "Total mass [kg] .....");
    strText.set(TextKey::CalculatorInputNotPositive, "%1 must be above 0.");
    wagon.Type(4, "0");
    wagon.Calculate(catalogue, 1);
    ASSERT_FALSE(sink.messages.empty());
    EXPECT_EQ(sink.messages.back().key, TextKey::CalculatorInputNotPositive);
    EXPECT_EQ(sink.messages.back().text, "Total mass [kg] must be above 0.");
    wagon.Type(4, "1000");
    wagon.Type(0, "0"); // the first box is named as well
    EXPECT_EQ(wagon.box(0).colour, kColourValid) << "a zero is in range; only the calculation refuses it";
    wagon.Calculate(catalogue, 1);
    EXPECT_EQ(sink.messages.back().key, TextKey::CalculatorInputNotPositive);
}

TEST_F(Model, ResultsClearedByInputsRowClicksAndARefusal) {
    wagon.ShowMotor(catalogue, 1, false);
    EXPECT_EQ((std::array{wagon.box(13).text, wagon.box(14).text, wagon.box(16).text}),
              (std::array<std::string, 3>{"M1", "10.00", "3000"}));
    Calculate();
    ASSERT_TRUE(sink.messages.empty());
    EXPECT_EQ(wagon.box(8).text, "7.68");
    EXPECT_TRUE(wagon.printEnabled());
    EXPECT_EQ(shown, 1);
    wagon.ShowMotor(catalogue, 1, false); // re-activation with the same motor keeps the results
    EXPECT_EQ(wagon.box(8).text, "7.68");
    EXPECT_EQ(withdrawn, 0);
    wagon.ShowMotor(catalogue, 1, true); // a row click empties them even for the same motor
    EXPECT_EQ(wagon.box(8).text, "");
    // The curves go with the results they belong to, once.
    EXPECT_EQ(std::pair(wagon.curves().has_value(), withdrawn), std::pair(false, 1));
    wagon.Unload();
    EXPECT_EQ(withdrawn, 1);
    wagon.Calculate(catalogue, 1);
    wagon.ShowMotor(catalogue, 2, true);
    EXPECT_FALSE(wagon.printEnabled());
    EXPECT_EQ(wagon.box(13).text, "M2") << "the last motor of the catalogue is shown too";

    wagon.Calculate(catalogue, 1);
    int hiddenBefore = hidden;
    wagon.Type(3, "0");
    EXPECT_EQ(wagon.box(9).text, "");
    EXPECT_FALSE(wagon.printEnabled());
    EXPECT_EQ(hidden, hiddenBefore + 1);

    // A result the wagon cannot reach (the full 1000 kg on a vertical track reverses it) hides the diagram.
    wagon.Calculate(catalogue, 1);
    wagon.Type(6, "90");
    hiddenBefore = hidden;
    wagon.Calculate(catalogue, 1);
    EXPECT_EQ(sink.messages.back().key, 169);
    EXPECT_EQ(hidden, hiddenBefore + 1);
}

TEST_F(Model, OwnMotorData) {
    wagon.SetOwnMotorData(true);
    EXPECT_EQ(wagon.box(13).text, "t220");
    EXPECT_EQ(wagon.box(14).colour, kColourValid);
    wagon.ShowMotor(catalogue, 1, true); // the catalogue does not overwrite own data
    wagon.Type(14, "0");
    wagon.Type(15, "8");
    wagon.Type(16, "3000");
    Calculate();
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].key, 168);
    // A changed motor value empties the results and holds Print until the next calculation.
    wagon.Type(14, "10");
    Calculate();
    ASSERT_TRUE(wagon.printEnabled());
    ASSERT_FALSE(wagon.box(8).text.empty());
    wagon.Type(14, "12");
    EXPECT_FALSE(wagon.printEnabled());
    EXPECT_TRUE(wagon.box(8).text.empty());
    // Unloading forgets own data: the boxes do not keep showing values the calculation no longer has.
    wagon.Unload();
    EXPECT_EQ(wagon.box(14).text, "");
    wagon.Calculate(catalogue, 0);
    EXPECT_EQ(sink.messages.back().key, 168);
    wagon.SetOwnMotorData(false);
    EXPECT_EQ(wagon.box(15).colour, 12648384);
}

} // namespace calculator_test
} // namespace
