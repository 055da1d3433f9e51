#pragma once

#include "core/calculators/CalculationResult.h"

namespace airmotor::core {

// The rotating-mass window's inputs (SI units, angles in degrees, as typed).
struct RotatingMassInputs {
    float i = 0.0f;    // transmission ratio motor / load
    float eta = 0.0f;  // transmission efficiency
    float w0 = 0.0f;   // beginning angle velocity, degrees/s
    float J = 0.0f;    // mass moment of inertia, kg m2
    float Mres = 0.0f; // turning resistance, Nm
    float c = 0.0f;    // damping constant, Nm s
    float T = 0.0f;    // time of the result, s
};

// Closed-form solution of dw/dt = b - k w; shows angle, angle velocity and angle acceleration in
// Text1 8, 9, 10 and the speed in r/min in Text1 6. The curves are revolutions, r/min and degrees/s2.
CalculationResult SolveRotatingMass(const RotatingMassInputs& in, const MotorData& motor);

} // namespace airmotor::core
