#include "core/calculators/CalculatorCurves.h"

#include <cmath>

namespace airmotor::core {

namespace {
constexpr double kLoopEndMargin = 0.001; // s: the last point is reached despite rounding of t
constexpr double kAxisHeadroom = 0.995;  // keeps a value that is exactly nice on its own grid
} // namespace

CalculatorCurves SampleCurves(float T, const std::function<CurvePoint(float t)>& at) {
    CalculatorCurves c;
    const float h = T / 70.0f;
    const double end = static_cast<double>(T) + kLoopEndMargin;
    float t = 0.0f;
    for (int j = 0; j < kCurvePoints; ++j) {
        const bool inside = h >= 0.0f ? static_cast<double>(t) <= end : static_cast<double>(t) >= end;
        if (!inside)
            break;
        const CurvePoint p = at(t);
        c.time[j] = t;
        c.distance[j] = p.distance;
        c.velocity[j] = p.velocity;
        c.acceleration[j] = p.acceleration;
        t = t + h;
    }
    c.distance[0] = 0.0f;
    c.velocity[0] = 0.0f;
    c.acceleration[0] = c.acceleration[1];
    return c;
}

std::optional<AxisRecord> SharedGridStep(double target, int intervals) {
    if (!std::isfinite(target) || intervals <= 0)
        return std::nullopt;
    static constexpr double kFactors[] = {1.0, 2.0, 4.0, 5.0};
    // A finite target is reached before 10^p overflows (p about 310).
    for (int p = 0; std::isfinite(std::pow(10.0, p)); ++p) {
        for (double f : kFactors) {
            const double step = 0.01 * f * std::pow(10.0, p);
            if (step * intervals >= target) {
                AxisRecord axis;
                axis.step = step;
                axis.labelStep = step;
                axis.divisions = intervals;
                axis.maximum = step * intervals;
                return axis;
            }
        }
    }
    return std::nullopt;
}

CalculatorAxes ScaleAxes(const CalculatorCurves& curves) {
    CalculatorAxes axes;
    axes.time = NiceAxis(kAxisHeadroom * static_cast<double>(curves.time[kCurvePoints - 1]), 'X');
    axes.velocity = NiceAxis(kAxisHeadroom * static_cast<double>(curves.velocity[kCurvePoints - 1]), 'Y');
    if (!axes.velocity)
        return axes;
    const int intervals = axes.velocity->divisions; // N - 1 grid intervals shared by all value axes
    axes.distance = SharedGridStep(static_cast<double>(curves.distance[kCurvePoints - 1]), intervals);
    axes.acceleration = SharedGridStep(static_cast<double>(curves.acceleration[1]), intervals);
    return axes;
}

} // namespace airmotor::core
