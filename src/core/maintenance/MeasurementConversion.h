#pragma once

#include "core/maintenance/GearDesignation.h"
#include "core/maintenance/MeasurementFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace airmotor::core {

// Points live at 1..32; slot 0 is unused, as the least-squares fit expects.
inline constexpr std::size_t kPointSlots = kMaxMeasuredPoints + 1;

// Readings of one measured diagram in millimetres, points at 1..n.
struct ReadingSet {
    int n = 0;
    float sx = 0.0f, sy1 = 0.0f, sy2 = 0.0f; // r/min, Nm and l/s per mm
    std::vector<float> speed = std::vector<float>(kPointSlots, 0.0f);
    std::vector<float> torque = std::vector<float>(kPointSlots, 0.0f);
    std::vector<float> air = std::vector<float>(kPointSlots, 0.0f);
};

// The readings as the motor being defined would show them: r/min, Nm, l/s at 1..n.
struct ConvertedSet {
    int n = 0;
    std::vector<float> speed = std::vector<float>(kPointSlots, 0.0f);
    std::vector<float> torque = std::vector<float>(kPointSlots, 0.0f);
    std::vector<float> air = std::vector<float>(kPointSlots, 0.0f);
    float sngTopVarv = 0.0f; // r/min: the free-speed point, where the torque reading is 0
    // Empty when the set may be drawn and saved; otherwise why not (a worm gear without its data,
    // a zero gear ratio): such curves are never drawn nor written to the catalogue.
    std::string fault;
};

struct ConversionFactors {
    float utv = 1.0f;    // gear ratio of the motor being defined
    float utvRef = 1.0f; // gear ratio of the measured motor
    float kn = 1.0f, km = 1.0f, kl = 1.0f;
};

ConvertedSet ConvertReadings(const ReadingSet& readings, const ConversionFactors& factors,
                             std::string_view designation, const GearData& gear);

// Torque and air polynomials fitted to the converted points (coefficients 0..degree).
struct CurveFits {
    int degreeM = 3, degreeL = 3;
    std::vector<float> torque, air;
};
CurveFits FitCurves(const ConvertedSet& points, int degreeM, int degreeL);

// Figures of the drawn curves: what the data block prints and the catalogue stores.
struct CurveFigures {
    float start = 0.0f, end = 0.0f; // r/min, speed range of the drawn curves
    float freeSpeed = 0.0f;
    float airAtFreeSpeed = 0.0f;
    float maxPower = 0.0f; // kW
    float torqueAtMaxPower = 0.0f;
    float speedAtMaxPower = 0.0f;
    float airAtMaxPower = 0.0f;
};

// The range runs from startField (> 0) or 5 % of the top speed, to endField (> 0) or 103 % of it;
// the maximum-power point is the best of the plotter's samples, the free speed the torque zero
// beyond it (the top speed when the fitted torque keeps its sign there).
CurveFigures DrawnCurveFigures(const CurveFits& fits, float sngTopVarv, float startField, float endField);

} // namespace airmotor::core
