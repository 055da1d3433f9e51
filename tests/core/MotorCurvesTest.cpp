#include "core/model/MotorCurves.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

using namespace airmotor::core;

namespace {
namespace motor_curves_test {

constexpr int kMotor = 7;

// A motor of the kind the demo catalogue holds: torque falling with speed, air rising.
MotorCatalogue OneMotor() {
    MotorCatalogue c;
    c.intAntalMotorer = kMotor;
    c.strBenamning[kMotor] = "TKM22-A-010";
    c.intGradtal_M[kMotor] = 4;
    const float torque[] = {0x1.78p+4f, -0x1.d14e3cp-8f, 0x1.6255b6p-22f, -0x1.fe2c64p-36f, 0x1.e9fddcp-50f};
    for (int k = 0; k < 5; ++k) {
        c.cM(k, kMotor) = torque[k];
    }
    c.intGradtal_L[kMotor] = 1;
    c.cL(0, kMotor) = 2.0f;
    c.cL(1, kMotor) = 0.5f;
    c.cL(2, kMotor) = 100.0f; // above the degree: never used
    c.sngStallmoment[kMotor] = torque[0];
    return c;
}

// A motor for the diagram scale: free speed 6000 r/min, stall 23 Nm, 7 kW, 10 l/s at free speed.
MotorCatalogue ScaleMotor() {
    MotorCatalogue c;
    c.intAntalMotorer = kMotor;
    c.intGradtal_M[kMotor] = 1;
    c.cM(0, kMotor) = 23.0f;
    c.cM(1, kMotor) = -23.0f / 6000.0f;
    c.sngStallmoment[kMotor] = 23.0f;
    c.sngTomgVarvtal[kMotor] = 6000.0f;
    c.sngMaxEffekt[kMotor] = 7.0f;
    c.sngLuftforbrTomgang[kMotor] = 10.0f;
    return c;
}

constexpr PressureFactorValues kReference{1.0f, 1.0f, 1.0f};

// Each term in double, the running sum rounded to float after every addition: at these speeds an
// all-float evaluation and a double sum each differ in the last bits.
TEST(MotorPolynomial, FloatSumOfDoubleTerms) {
    const MotorCatalogue c = OneMotor();
    const struct {
        float x, expected, allFloat, doubleSum;
    } cases[] = {
        {0x1.c9e41ap+11f, 0x1.99dfcep-1f, 0x1.99dfacp-1f, 0x1.99dfccp-1f},
        {0x1.d9f7fep+11f, 0x1.7f3f66p-4f, 0x1.7f3fbp-4f, 0x1.7f3f68p-4f},
        {0x1.3b1114p+12f, -0x1.a1743p+2f, -0x1.a1743ap+2f, -0x1.a17432p+2f},
    };
    for (const auto& k : cases) {
        EXPECT_EQ(TorquePolynomial(c, kMotor, k.x), k.expected) << k.x;
    }
}

TEST(MotorPolynomial, DegreeIsAWholeNumberWithinTheStoredCoefficients) {
    MotorCatalogue c = OneMotor();
    EXPECT_EQ(AirPolynomial(c, kMotor, 0.0f), 2.0f); // 0^0 = 1
    const struct {
        float degree;
        float expected;
    } cases[] = {
        {1.9f, 7.0f}, // whole part; coefficient 2 (100) ignored
        {2.0f, 10007.0f},
        {-1.0f, 2.0f}, // damaged records fall back to the constant term
        {std::numeric_limits<float>::quiet_NaN(), 2.0f},
        {9.0f, 10007.0f}, // clamped to the four stored coefficients (3 and 4 are zero)
    };
    for (const auto& k : cases) {
        c.intGradtal_L[kMotor] = k.degree;
        EXPECT_EQ(AirPolynomial(c, kMotor, 10.0f), k.expected) << k.degree;
    }
}

// The speed is divided by sngKn before the polynomial (a stretched speed axis), then scaled.
TEST(MotorPolynomial, TorqueAndAirAtPressure) {
    const MotorCatalogue c = OneMotor();
    const PressureFactorValues f{0.75f, 1.25f, 0.5f};
    EXPECT_EQ(TorqueAt(c, kMotor, 2500.0f, f), 0x1.f3edf8p+2f);
    EXPECT_EQ(AirAt(c, kMotor, 2500.0f, f), 0.5f * (2.0f + 0.5f * 2000.0f));
    EXPECT_EQ(TorqueAt(c, kMotor, 3663.128173828125f, kReference), 0x1.99dfcep-1f);
    // Zero pressure (all factors 0) must not crash; torque is then 0 or NaN, never a trap.
    const float atZero = TorqueAt(c, kMotor, 1000.0f, {0.0f, 0.0f, 0.0f});
    EXPECT_TRUE(atZero == 0.0f || std::isnan(atZero));
}

TEST(MotorPolynomial, PowerInKilowattsWithSinglePi) {
    EXPECT_EQ(PowerAt(10.0f, 3000.0f), 0x1.921fb6p+1f);  // pi kW
    EXPECT_EQ(PowerAt(23.37f, 4567.8f), 0x1.65b892p+3f); // a double pi would give ...90p+3
    EXPECT_EQ(PowerAt(0.0f, 3000.0f), 0.0f);
    EXPECT_EQ(PowerAt(10.0f, 0.0f), 0.0f);
}

TEST(NiceAxis, MantissaTable) {
    const struct {
        double value;
        char axis;
        double maximum;
        int divisions;
    } cases[] = {
        {8.7, 'X', 10.0, 5}, {9.0, 'Y', 10.0, 5}, {1.0, 'X', 1.0, 5},       {10.0, 'X', 10.0, 5},
        {1.1, 'X', 1.2, 6},  {1.2, 'X', 1.2, 6},  {1.25, 'Y', 1.4, 7},      {1.4, 'X', 1.4, 7},
        {1.45, 'X', 1.5, 5}, {1.5, 'X', 1.5, 5},  {1.55, 'X', 1.6, 8},      {1.7, 'X', 2.0, 5},
        {1.7, 'Y', 1.8, 9},  {1.9, 'Y', 2.0, 5},  {2.2, 'X', 2.4, 6},       {2.45, 'X', 2.5, 5},
        {2.6, 'X', 3.0, 6},  {3.3, 'Y', 4.0, 8},  {4.5, 'X', 5.0, 5},       {5.5, 'X', 6.0, 6},
        {6.5, 'X', 7.0, 7},  {7.5, 'X', 8.0, 8},  {5970.0, 'X', 6000.0, 6}, {0.0123, 'Y', 0.014, 7},
    };
    for (const auto& k : cases) {
        const auto axis = NiceAxis(k.value, k.axis);
        ASSERT_TRUE(axis.has_value()) << k.value;
        EXPECT_NEAR(axis->maximum, k.maximum, k.maximum * 1e-14) << k.value << ' ' << k.axis;
        EXPECT_EQ(axis->divisions, k.divisions) << k.value << ' ' << k.axis;
        EXPECT_NEAR(axis->step, k.maximum / k.divisions, k.maximum * 1e-14) << k.value << ' ' << k.axis;
    }
}

TEST(NiceAxis, NothingForNonPositiveOrNonFiniteValues) {
    for (double v : {0.0, -0.0, -5.0, std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_FALSE(NiceAxis(v, 'X').has_value()) << v;
    }
    // Extremes must terminate.
    EXPECT_TRUE(NiceAxis(std::numeric_limits<double>::denorm_min(), 'Y').has_value());
    EXPECT_TRUE(NiceAxis(1e300, 'X').has_value());
}

TEST(DecimalsFor, CountsSignificantDecimalsOfTheRangeMask) {
    const struct {
        double value;
        int decimals;
    } cases[] = {
        {12.5, 1},      {12.0, 0},      {0.12345, 4},   {0.00001, 0}, {899.12345, 4},
        {900.12345, 3}, {9000.1234, 2}, {8999.1234, 3}, {9000.0, 0},  {-0.5, 1},
    };
    for (const auto& k : cases) {
        EXPECT_EQ(DecimalsFor(k.value), k.decimals) << k.value;
    }
}

TEST(CurrentMotorScale, DiagramSpeedLimitsFromTheCatalogue) {
    MotorCatalogue c = ScaleMotor();
    c.sngMax_VarvDiagram[kMotor] = 16000;
    c.sngMin_VarvDiagram[kMotor] = 1200.0f;
    const PressureFactorValues f{0.5f, 1.25f, 0.8f};
    for (int mode : {0, 4}) { // the maximum is never stretched by sngKn
        const DiagramScale s = CurrentMotorScale(c, kMotor, f, UnitFactors{}, mode, true);
        EXPECT_EQ((std::array{s.sngTopVarv, s.sngStartVarv}), (std::array{16000.0f, 1200.0f}));
        // 8 divisions up to 16000: labelled every second division.
        EXPECT_EQ((std::array{s.speed.step, s.speed.labelStep}), (std::array{2000.0, 4000.0}));
    }
}

TEST(CurrentMotorScale, LabelDoublingRules) {
    MotorCatalogue c = ScaleMotor();
    const struct {
        std::int16_t top;
        bool catalogueMode;
        double labelStep;
    } cases[] = {
        {14000, true, 2000.0},  // 7 divisions: not more than 7
        {14000, false, 4000.0}, // maintenance: more than 6 above 10000
        {12000, false, 2000.0}, // maintenance, 6 divisions: not more than 6
        {7000, false, 1000.0},  // maintenance, 7 divisions but not above 10000
        {1600, true, 400.0},    // 8 divisions above 1000
        {800, true, 100.0},     // 8 divisions but not above 1000
    };
    for (const auto& k : cases) {
        c.sngMax_VarvDiagram[kMotor] = k.top;
        const DiagramScale s = CurrentMotorScale(c, kMotor, kReference, UnitFactors{}, 0, k.catalogueMode);
        EXPECT_DOUBLE_EQ(s.speed.labelStep, k.labelStep) << k.top << ' ' << k.catalogueMode;
    }
}

// Power axis: NiceAxis(0.995 * 7) = 7 in 7 divisions; torque and air take the same divisions.
TEST(CurrentMotorScale, PlainMotorAtTheReferencePressure) {
    const MotorCatalogue c = ScaleMotor();
    const DiagramScale s = CurrentMotorScale(c, kMotor, kReference, UnitFactors{}, 0, true);
    // Curves from 5 % of the free speed; NiceAxis(5970) = 6000 in 6 divisions labelled every 1000.
    // Torque: 7 x 3 = 21 is too small a step; air axis 1.25 x free-speed air.
    EXPECT_EQ((std::array{s.sngTopVarv, s.sngStartVarv, s.sngMaxMomentAxel, s.sngMaxLuftAxel}),
              (std::array{6000.0f, 300.0f, 23.0f, 12.5f}));
    EXPECT_EQ((std::array{s.speed.divisions, s.power.divisions, s.torque.divisions, s.air.divisions}),
              (std::array{6, 7, 7, 7}));
    EXPECT_EQ((std::array{s.speed.maximum, s.speed.labelStep, s.power.maximum, s.torque.step,
                          s.torque.maximum, s.torque.labelStep, s.air.step, s.air.maximum}),
              (std::array{6000.0, 1000.0, 7.0, 4.0, 28.0, 4.0, 2.0, 14.0}));
}

// The torque search allows a margin of 1e-5, the air search none.
TEST(CurrentMotorScale, StepSearchMarginsAndTheStartSpeedTorque) {
    MotorCatalogue c = ScaleMotor();
    c.sngStallmoment[kMotor] = 21.0001f;
    c.cM(0, kMotor) = 0.0f; // keep the start-speed torque below the stall torque
    c.sngLuftforbrTomgang[kMotor] = static_cast<float>(21.0001 / 1.25);
    const DiagramScale s = CurrentMotorScale(c, kMotor, kReference, UnitFactors{}, 0, true);
    EXPECT_EQ((std::array{s.torque.step, s.air.step}), (std::array{3.0, 4.0}));

    // Small values start at 0.01: 0.05 Nm in 7 divisions needs 0.01 (0.07).
    c.sngStallmoment[kMotor] = 0.05f;
    c.sngLuftforbrTomgang[kMotor] = 0.0f;
    const DiagramScale small = CurrentMotorScale(c, kMotor, kReference, UnitFactors{}, 0, true);
    EXPECT_EQ((std::array{small.torque.step, small.air.step, small.air.maximum}),
              (std::array{0.01, 0.01, 0.07}));

    // The torque at the start speed raises the torque maximum when it exceeds the stall torque.
    c = ScaleMotor();
    c.cM(0, kMotor) = 20.0f;
    c.cM(1, kMotor) = 0.01f; // rises to 23 at the start speed of 300 r/min
    c.sngStallmoment[kMotor] = 20.0f;
    EXPECT_EQ(CurrentMotorScale(c, kMotor, kReference, UnitFactors{}, 0, true).sngMaxMomentAxel, 23.0f);
}

// Alternative 4 shows the motor at the supplied pressure, the others catalogue values; display units
// convert the value axes, never the speeds.
TEST(CurrentMotorScale, AlternativeFourUsesThePressureFactorsAndUnitsConvertValues) {
    const MotorCatalogue c = ScaleMotor();
    const PressureFactorValues f{0.5f, 1.25f, 0.8f};
    const UnitFactors units{.sngUnitTorque = 2.0f, .sngUnitPower = 0.7f, .sngUnitAir = 0.5f};
    const struct {
        int mode;
        PressureFactorValues factors;
        UnitFactors units;
        float top, start, torque, air;
        double power;
    } cases[] = {
        {2, f, UnitFactors{}, 6000, 300, 23, 12.5f, 7},
        {4, f, UnitFactors{}, 7500, 375, 11.5f, 10, 5},   // power 0.995 x 0.5 x 1.25 x 7 = 4.35
        {0, kReference, units, 6000, 300, 11.5f, 25, 10}, // power 9.95 -> 10
    };
    for (const auto& k : cases) {
        const DiagramScale s = CurrentMotorScale(c, kMotor, k.factors, k.units, k.mode, true);
        EXPECT_EQ((std::array{s.sngTopVarv, s.sngStartVarv, s.sngMaxMomentAxel, s.sngMaxLuftAxel}),
                  (std::array{k.top, k.start, k.torque, k.air}))
            << k.mode;
        EXPECT_DOUBLE_EQ(s.power.maximum, k.power) << k.mode;
    }
}

// A motor without power data leaves the power axis unset; the torque and air step searches
// must still end (five divisions) instead of looking for a step of zero divisions for ever.
TEST(CurrentMotorScale, MissingPowerDataStillGivesAxesAndNoMotorNone) {
    MotorCatalogue c = ScaleMotor();
    c.sngMaxEffekt[kMotor] = 0.0f;
    const DiagramScale s = CurrentMotorScale(c, kMotor, kReference, UnitFactors{}, 0, true);
    EXPECT_EQ((std::array{s.power.divisions, s.torque.divisions, s.air.divisions}), (std::array{0, 5, 5}));
    EXPECT_EQ((std::array{s.torque.maximum, s.air.maximum}), (std::array{25.0, 15.0}));

    // Zero pressure in alternative 4: every maximum is 0, nothing loops.
    const DiagramScale zero =
        CurrentMotorScale(ScaleMotor(), kMotor, {0.0f, 0.0f, 0.0f}, UnitFactors{}, 4, true);
    EXPECT_EQ(std::pair(zero.sngTopVarv, zero.speed.divisions), std::pair(0.0f, 0));
    for (int index : {-1, 0, kCatalogueSize, 32767}) { // 0: an empty result list
        EXPECT_EQ(CurrentMotorScale(c, index, kReference, UnitFactors{}, 0, true).speed.divisions, 0)
            << index;
    }
}

} // namespace motor_curves_test
} // namespace
