#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/language/Language.h"
#include "core/model/PressureFactors.h"

#include <optional>
#include <vector>

namespace airmotor::core {

// Samples per curve wherever a curve is drawn or searched: 1000 equal speed steps.
inline constexpr int kCurveSteps = 1000;

// A stored degree as the whole number 0..4 the curve evaluation uses: the catalogue keeps
// coefficients 0..4, and a damaged degree (negative, NaN, too large) must not index past them.
int WholeDegree(float intGradtal);

// Catalogue polynomials at 6.3 bar: summed in float, each term in double (see MotorCurves.cpp).
float TorquePolynomial(const MotorCatalogue& catalogue, int i, float x);
float AirPolynomial(const MotorCatalogue& catalogue, int i, float x);
// A fitted polynomial (coefficients 0..n) evaluated the same way.
float EvaluatePolynomial(const std::vector<float>& coefficients, float x);

// At the pressure whose factors are given: Km * M(n / Kn), Kl * L(n / Kn).
float TorqueAt(const MotorCatalogue& catalogue, int i, float n, const PressureFactorValues& factors);
float AirAt(const MotorCatalogue& catalogue, int i, float n, const PressureFactorValues& factors);
// kW from Nm and r/min.
float PowerAt(float torque, float speed);

struct AxisRecord {
    double maximum = 0.0;
    double step = 0.0;
    double labelStep = 0.0;
    int divisions = 0;
};

// axis is 'X' or 'Y'; std::nullopt for value <= 0 (nothing changed).
std::optional<AxisRecord> NiceAxis(double value, char axis);
int DecimalsFor(double value);

// Curve range and axes of the current motor, in display units.
struct DiagramScale {
    float sngTopVarv = 0.0f;
    float sngStartVarv = 0.0f;
    float sngMaxMomentAxel = 0.0f;
    float sngMaxLuftAxel = 0.0f;
    AxisRecord speed, power, torque, air;
};

// intPressureMode: diagram alternative 0..5; bolKatalogMode false = maintenance mode.
DiagramScale CurrentMotorScale(const MotorCatalogue& catalogue, int i, const PressureFactorValues& factors,
                               const UnitFactors& units, int intPressureMode, bool bolKatalogMode);

} // namespace airmotor::core
