#include "core/calculators/RotatingMassCalculation.h"

#include "core/calculators/CalculatorLayout.h"

#include <cmath>

namespace airmotor::core {

namespace {
constexpr double kDegreesPerRadian = 57.3; // the rounded factor the results are defined with
constexpr int kAngleBox = 8, kAngleVelocityBox = 9, kAngleAccelerationBox = 10, kSpeedBox = 6;
constexpr int kRatioBox = 0, kInertiaBox = 3;
} // namespace

CalculationResult SolveRotatingMass(const RotatingMassInputs& in, const MotorData& motor) {
    if (motor.Ms == 0.0f) {
        return Refusal(kNoStallTorqueKey);
    }
    if (CalculationResult zero = FirstZeroInput(
            {{kRatioBox, in.i}, {kInertiaBox, in.J}, {kFreeSpeedBox, motor.n0}, {kTimeBox, in.T}});
        zero.refusal != 0) {
        return zero;
    }
    const float pi = static_cast<float>(4.0 * std::atan(1.0));
    const float MstOut = motor.Mst * in.i * in.eta; // Nm at the load
    const float MsOut = motor.Ms * in.i * in.eta;
    const float wmax = pi * motor.n0 / (in.i * 30.0f); // rad/s at the motor's free speed
    const float k = (MsOut / wmax + in.c) / in.J;      // 1/s
    if (k == 0.0f || !std::isfinite(k)) {
        return Refusal(kCannotStartKey);
    }
    const float b = (MsOut - in.Mres) / in.J;
    const float winf = b / k;
    const float C = Stored(static_cast<double>(in.w0) / (static_cast<double>(k) * kDegreesPerRadian) -
                           static_cast<double>(winf / k));
    const auto E = [&](float t) {
        return Stored(static_cast<double>(-C) * std::exp(static_cast<double>(-k * t)));
    };
    const float e = E(in.T);
    const float angle = Stored(static_cast<double>(C + e + winf * in.T) * kDegreesPerRadian);
    const float angleVelocity = Stored(static_cast<double>(winf - k * e) * kDegreesPerRadian);
    const float angleAcceleration = Stored(static_cast<double>(k * k * e) * kDegreesPerRadian);
    if (angleVelocity < 0.0f || !std::isfinite(angle) || !std::isfinite(angleVelocity) ||
        !std::isfinite(angleAcceleration)) {
        return Refusal(kCannotStartKey, true);
    }
    if (MstOut < in.Mres) {
        return Refusal(kCannotStartKey);
    }
    const float rpm = angleVelocity / 360.0f * 60.0f;
    CalculationResult result;
    result.shown = {{kAngleBox, angle},
                    {kAngleVelocityBox, angleVelocity},
                    {kAngleAccelerationBox, angleAcceleration},
                    {kSpeedBox, rpm}};
    result.curveStart = in.w0 / 360.0f * 60.0f;
    result.curves = SampleCurves(in.T, [&](float t) {
        const float et = E(t);
        return CurvePoint{Stored(static_cast<double>(C + et + winf * t) * kDegreesPerRadian / 360.0),
                          Stored(static_cast<double>(winf - k * et) * kDegreesPerRadian * 60.0 / 360.0),
                          Stored(static_cast<double>(k * k * et) * kDegreesPerRadian)};
    });
    result.axes = ScaleAxes(result.curves);
    return result;
}

} // namespace airmotor::core
