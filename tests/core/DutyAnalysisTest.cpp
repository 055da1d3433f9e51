#include "core/analysis/DutyAnalysis.h"
#include "SelectionTestCatalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace airmotor::core;

namespace {
namespace duty_analysis_test {

constexpr int kMotor = 1;
constexpr float kStall = 20.0f;  // Nm at 6.3 bar
constexpr float kFree = 5000.0f; // r/min at 6.3 bar

// Straight torque line 20 Nm .. 0 at 5000 r/min, air 5 l/s + 0.002 l/s per r/min, 15 Nm start torque.
MotorCatalogue LinearMotor() {
    MotorCatalogue c;
    airmotor::core::testing::TestMotor m = airmotor::core::testing::Tkm("TKM22-A-010");
    std::tie(m.stall, m.n0, m.minStart) = std::tuple{kStall, kFree, 15.0f};
    airmotor::core::testing::AddMotor(c, m);
    return c;
}

struct Expected {
    const char* name;
    float available, throttle, reduced;
    DutyMode mode;
    float pressure, km, kn, kl; // factors of the row's curve (kl: air per revolution, see below)
};

PressureFactorValues At(float p) {
    PressureFactorValues f;
    PressureFactors(p, "TKM22-A-010", f);
    return f;
}

// Working point 10 Nm at 2000 r/min, start torque 12 Nm. On a curve with factors Km, Kn:
// T(n) = Km (20 - 0.004 n / Kn), free speed 5000 Kn, n(T) = Kn (20 - T / Km) / 0.004.
TEST(DutyAnalysis, FiguresOfDirectThrottledAndReducedRows) {
    const MotorCatalogue cat = LinearMotor();
    const PressureFactorValues at5 = At(5.0f);
    const PressureFactorValues at4 = At(4.0f);
    const Expected cases[] = {
        {"direct at 5 bar", 5.0f, 0.0f, 0.0f, DutyMode::Direct, 5.0f, at5.sngKm, at5.sngKn, at5.sngKl},
        // Throttled: air per revolution of the unthrottled motor, so L(n / r) * r / Kn(available).
        {"throttled at 5 bar", 5.0f, 0.7f, 0.0f, DutyMode::Throttled, 5.0f, at5.sngKm, 0.7f,
         at5.sngKl * 0.7f / at5.sngKn},
        {"reduced pressure", 6.3f, 0.0f, 4.0f, DutyMode::ReducedPressure, 4.0f, at4.sngKm, at4.sngKn,
         at4.sngKl},
        {"both: reduced pressure wins", 6.3f, 0.8f, 4.0f, DutyMode::ReducedPressure, 4.0f, at4.sngKm,
         at4.sngKn, at4.sngKl},
    };
    const AirCostInputs cost;
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.name);
        DutyInput in{&cat, kMotor, "TKM22-A-010", {}, e.available, {kMotor, e.throttle, e.reduced}, {}};
        in.requirement.sngArbetsMoment = 10.0f;
        in.requirement.sngArbetsVarvtal = 2000.0f;
        in.requirement.sngMinStartmoment = 12.0f;
        const DutyAnalysis a = AnalyseDuty(in, cost);

        const double torque = static_cast<double>(e.km) * (20.0 - 0.004 * 2000.0 / static_cast<double>(e.kn));
        const double air = static_cast<double>(e.kl) * (5.0 + 0.002 * 2000.0 / static_cast<double>(e.kn));
        const double free = 5000.0 * static_cast<double>(e.kn);
        EXPECT_EQ(a.mode, e.mode);
        EXPECT_FLOAT_EQ(a.pressure, e.pressure);
        EXPECT_NEAR(a.torqueAtSpeed, torque, 1e-4);
        EXPECT_NEAR(a.speedAtTorque.value_or(-1.0f),
                    static_cast<double>(e.kn) * (20.0 - 10.0 / static_cast<double>(e.km)) / 0.004, 0.01);
        EXPECT_NEAR(a.air, air, 1e-4);
        ASSERT_TRUE(a.startTorqueMargin.has_value());
        EXPECT_NEAR(*a.startTorqueMargin, (static_cast<double>(e.km) * 15.0 / 12.0 - 1.0) * 100.0, 1e-3);
        EXPECT_NEAR(a.freeSpeed, free, 0.01);
        ASSERT_TRUE(a.freeSpeedMargin.has_value());
        EXPECT_NEAR(*a.freeSpeedMargin, (1.0 - 2000.0 / free) * 100.0, 1e-3);
    }
}

TEST(DutyAnalysis, UnreachableTorqueAndMissingRequirement) {
    const MotorCatalogue cat = LinearMotor();
    DutyInput in{&cat, kMotor, "TKM22-A-010", {}, 6.3f, {kMotor, 0.0f, 0.0f}, {}};
    in.requirement.sngArbetsMoment = 25.0f;
    EXPECT_FALSE(AnalyseDuty(in, {}).speedAtTorque.has_value());
    in.requirement.sngArbetsMoment = 0.0f;
    in.requirement.sngArbetsVarvtal = 1000.0f;
    const DutyAnalysis a = AnalyseDuty(in, {});
    EXPECT_FALSE(a.torqueMargin.has_value());
    EXPECT_FALSE(a.startTorqueMargin.has_value());
    EXPECT_NEAR(a.speedAtTorque.value_or(-1.0f), kFree, 0.01) << "zero torque at the free speed";
    // A motor without a free speed in the catalogue has no free-speed margin, and no division by 0.
    MotorCatalogue noFreeSpeed = LinearMotor();
    noFreeSpeed.sngTomgVarvtal[kMotor] = 0.0f;
    in.catalogue = &noFreeSpeed;
    EXPECT_FALSE(AnalyseDuty(in, {}).freeSpeedMargin.has_value());
}

TEST(DutyAnalysis, AirCostPerYear) {
    const struct {
        double air, hours, energy, price, expected;
    } cases[] = {
        {10.0, 2000.0, 0.12, 0.15, 1296.0}, // 36 m³/h * 2000 h * 0.018 per m³
        {0.0, 2000.0, 0.12, 0.15, 0.0},
        {5.0, 0.0, 0.12, 0.15, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(AirCostPerYear(c.air, {c.hours, c.energy, c.price}), c.expected, 1e-9) << c.air;
}

} // namespace duty_analysis_test
} // namespace
