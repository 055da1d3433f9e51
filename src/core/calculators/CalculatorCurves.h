#pragma once

#include "core/model/MotorCurves.h"

#include <array>
#include <functional>
#include <optional>

namespace airmotor::core {

// Points of a calculator curve: j = 0..70 at t = j * T / 70.
inline constexpr int kCurvePoints = 71;
using CurveArray = std::array<float, kCurvePoints>;

// Time and the three quantities of a calculator diagram (wagon: distance, velocity, acceleration;
// rotating mass: revolutions, r/min, angle acceleration).
struct CalculatorCurves {
    CurveArray time{}, distance{}, velocity{}, acceleration{};
};

// Axes of a calculator diagram; an axis the scaling cannot settle stays empty.
struct CalculatorAxes {
    std::optional<AxisRecord> time, distance, velocity, acceleration;
};

struct CurvePoint {
    float distance = 0.0f, velocity = 0.0f, acceleration = 0.0f;
};

// Samples the closed-form solution over the 71-point grid with the classic counted-loop rules
// (single counter, step float(T / 70), end T + 0.001 in double, at most 71 points: a step that
// underflows to 0 cannot loop for ever), then applies the point-0 overrides.
CalculatorCurves SampleCurves(float T, const std::function<CurvePoint(float t)>& at);

// Time and velocity by NiceAxis, distance and acceleration on the velocity axis' grid.
CalculatorAxes ScaleAxes(const CalculatorCurves& curves);

// The smallest 0.01 * {1, 2, 4, 5} * 10^p step whose `intervals` steps reach target; empty for a
// target that is not finite or a grid without intervals.
std::optional<AxisRecord> SharedGridStep(double target, int intervals);

} // namespace airmotor::core
