#pragma once

#include "core/calculators/CalculationResult.h"

namespace airmotor::core {

// The wagon window's inputs (SI units, as typed).
struct WagonInputs {
    float i = 0.0f;    // transmission ratio motor / driving wheel
    float eta = 0.0f;  // transmission efficiency
    float D = 0.0f;    // driving-wheel diameter, m
    float v0 = 0.0f;   // beginning velocity, m/s
    float m = 0.0f;    // wagon mass, kg
    float FR = 0.0f;   // total resistance, N
    float alfa = 0.0f; // slope, degrees
    float T = 0.0f;    // time of the result, s
    float Nd = 0.0f;   // normal force on the driving wheel, N
    float mu = 0.0f;   // friction coefficient wheel-ground
};

// Closed-form solution of dv/dt = b - k v (straight torque line from stall torque to free speed)
// with its refusals; shows distance, velocity and acceleration in Text1 8, 9, 10.
CalculationResult SolveWagon(const WagonInputs& in, const MotorData& motor);

} // namespace airmotor::core
