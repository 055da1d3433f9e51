#pragma once

#include "core/calculators/CalculatorCurves.h"

#include <initializer_list>
#include <utility>
#include <vector>

namespace airmotor::core {

// Message keys of the calculators.
inline constexpr int kNoStallTorqueKey = 168;
inline constexpr int kCannotStartKey = 169;
inline constexpr int kWheelSlipsKey = 218;

// Stall torque and minimum start torque (Nm) and free speed (r/min) of the driving motor.
struct MotorData {
    float Ms = 0.0f, Mst = 0.0f, n0 = 0.0f;
};

// The outcome of one press of Calculate.
struct CalculationResult {
    int refusal = 0;            // message key, 0 = solved
    bool clearsResults = false; // the final speed came out negative: results emptied, diagram hidden
    int zeroBox = -1;           // the input box (Text1 index) whose 0 makes the calculation impossible
    // Result box (Text1 index) and its value, in the order the boxes are filled.
    std::vector<std::pair<int, float>> shown;
    float curveStart = 0.0f; // where the speed curve starts at t = 0 (before the point-0 override)
    CalculatorCurves curves;
    CalculatorAxes axes;
};

// A refusal with its message key; nothing else is reported.
inline CalculationResult Refusal(int key, bool clearsResults = false) {
    CalculationResult result;
    result.refusal = key;
    result.clearsResults = clearsResults;
    return result;
}

// The first of the boxes whose value is 0 as a refusal naming it; solved (refusal 0) when none is.
inline CalculationResult FirstZeroInput(std::initializer_list<std::pair<int, float>> boxes) {
    for (const auto& [box, value] : boxes)
        if (value == 0.0f) {
            CalculationResult result = Refusal(kCannotStartKey);
            result.zeroBox = box;
            return result;
        }
    return {};
}

// The numbers are single precision as the window holds them; products with the double constants
// (9.81, 57.3, 0.5) and exp/sin are formed in double and stored back as single.
inline float Stored(double value) {
    return static_cast<float>(value);
}

} // namespace airmotor::core
