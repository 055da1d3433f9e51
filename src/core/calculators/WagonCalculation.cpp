#include "core/calculators/WagonCalculation.h"

#include "core/calculators/CalculatorLayout.h"

#include <cmath>

namespace airmotor::core {

namespace {
constexpr double kGravity = 9.81; // m/s2
constexpr int kDistanceBox = 8, kVelocityBox = 9, kAccelerationBox = 10;
constexpr int kRatioBox = 0, kDiameterBox = 2, kMassBox = 4;

bool Usable(float k) {
    return k != 0.0f && std::isfinite(k);
}
} // namespace

CalculationResult SolveWagon(const WagonInputs& in, const MotorData& motor) {
    if (motor.Ms == 0.0f) {
        return Refusal(kNoStallTorqueKey);
    }
    if (CalculationResult zero = FirstZeroInput({{kRatioBox, in.i},
                                                 {kMassBox, in.m},
                                                 {kDiameterBox, in.D},
                                                 {kFreeSpeedBox, motor.n0},
                                                 {kTimeBox, in.T}});
        zero.refusal != 0) {
        return zero;
    }
    const float pi = static_cast<float>(4.0 * std::atan(1.0));
    const float r = Stored(static_cast<double>(in.D) * 0.5);
    const float Fs = motor.Ms * in.i * in.eta / r;
    const float Fres =
        Stored(static_cast<double>(in.FR) +
               static_cast<double>(in.m) * kGravity * std::sin(static_cast<double>(pi * in.alfa / 180.0f)));
    const float vmax = Stored(static_cast<double>(pi * motor.n0) * 0.5 * static_cast<double>(in.D) /
                              static_cast<double>(in.i * 30.0f));
    const float k = Fs / (vmax * in.m); // 1/s
    if (!Usable(k)) {
        return Refusal(kCannotStartKey);
    }
    const float b = (Fs - Fres) / in.m; // m/s2 at standstill
    const float vinf = b / k;           // terminal velocity
    const float C = in.v0 / k - vinf / k;
    const auto E = [&](float t) {
        return Stored(static_cast<double>(-C) * std::exp(static_cast<double>(-k * t)));
    };
    const auto at = [&](float t) {
        const float e = E(t);
        return CurvePoint{C + e + vinf * t, vinf - k * e, k * k * e};
    };
    const CurvePoint end = at(in.T);
    // A result that is not a number would be shown as such: refused like a negative velocity.
    if (end.velocity < 0.0f || !std::isfinite(end.distance) || !std::isfinite(end.velocity) ||
        !std::isfinite(end.acceleration)) {
        return Refusal(kCannotStartKey, true);
    }
    if (2.0f * motor.Mst * in.i * in.eta / in.D < Fres) {
        return Refusal(kCannotStartKey);
    }
    if (in.Nd * in.mu < 2.0f * motor.Ms * in.i * in.eta / in.D) {
        return Refusal(kWheelSlipsKey);
    }
    CalculationResult result;
    result.shown = {
        {kDistanceBox, end.distance}, {kVelocityBox, end.velocity}, {kAccelerationBox, end.acceleration}};
    result.curveStart = in.v0;
    result.curves = SampleCurves(in.T, at);
    result.axes = ScaleAxes(result.curves);
    return result;
}

} // namespace airmotor::core
