#include "core/maintenance/MeasurementConversion.h"

#include "core/diagram/MotorDiagram.h"
#include "core/model/LeastSquares.h"
#include "core/model/MotorCurves.h"

#include <algorithm>
#include <cmath>

namespace airmotor::core {
namespace {

constexpr float kStartShare = 0.05f;
constexpr float kEndShare = 1.03f;
constexpr int kBisectionLimit = 200; // float halving ends long before this

const char* const kWormDataFault = "Snäckväxel: Diameter, Modul och Antal ingångar måste vara större än 0 "
                                   "(verkningsgraden blir 0 eller ogiltig). Diagrammet ritas inte.";
const char* const kNotFiniteFault =
    "Omräkningen av mätpunkterna gav ogiltiga värden (kontrollera utväxling och "
    "växeldata). Diagrammet ritas inte.";

bool Finite(float a, float b, float c) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

// Zero of the torque curve between lo and hi by halving in single precision.
float TorqueZero(const std::vector<float>& torque, float lo, float hi, float fallback) {
    float fLo = EvaluatePolynomial(torque, lo);
    const float fHi = EvaluatePolynomial(torque, hi);
    if (fLo == 0.0f)
        return lo;
    if (!(fLo * fHi < 0.0f) && fHi != 0.0f)
        return fallback;
    for (int i = 0; i < kBisectionLimit; ++i) {
        const float mid = lo + (hi - lo) / 2.0f;
        if (!(mid > lo && mid < hi))
            return mid;
        const float fMid = EvaluatePolynomial(torque, mid);
        if (fMid == 0.0f)
            return mid;
        if ((fMid < 0.0f) == (fLo < 0.0f)) {
            lo = mid;
            fLo = fMid;
        } else {
            hi = mid;
        }
    }
    return lo + (hi - lo) / 2.0f;
}

} // namespace

ConvertedSet ConvertReadings(const ReadingSet& readings, const ConversionFactors& f,
                             std::string_view designation, const GearData& gear) {
    ConvertedSet out;
    out.n = readings.n;
    const bool worm = LossModelKind(designation) == GearKind::Worm;
    float highest = 0.0f;
    bool freeSpeedPoint = false;
    for (int i = 1; i <= readings.n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const float speed = readings.sx * readings.speed[k] * f.kn * f.utvRef / f.utv;
        if (readings.torque[k] == 0.0f) {
            out.sngTopVarv = speed;
            freeSpeedPoint = true;
        }
        highest = i == 1 ? speed : std::max(highest, speed);
        float torque = readings.sy1 * readings.torque[k] * f.km / f.utvRef * f.utv;
        const GearLossResult loss = GearLosses(designation, gear, f.utv * speed, torque / f.utv);
        if (worm && !(loss.efficiency > 0.0f && std::isfinite(loss.efficiency)))
            out.fault = kWormDataFault;
        torque = (torque / f.utv - loss.lossTorque) * loss.efficiency * f.utv;
        const float air = readings.sy2 * readings.air[k] * f.kl;
        if (!Finite(speed, torque, air) && out.fault.empty())
            out.fault = kNotFiniteFault;
        out.speed[k] = speed;
        out.torque[k] = torque;
        out.air[k] = air;
    }
    if (!freeSpeedPoint)
        out.sngTopVarv = highest;
    return out;
}

CurveFits FitCurves(const ConvertedSet& points, int degreeM, int degreeL) {
    CurveFits fits;
    fits.degreeM = degreeM;
    fits.degreeL = degreeL;
    fits.torque = FitPolynomial(points.speed, points.torque, points.n, degreeM);
    fits.air = FitPolynomial(points.speed, points.air, points.n, degreeL);
    return fits;
}

CurveFigures DrawnCurveFigures(const CurveFits& fits, float sngTopVarv, float startField, float endField) {
    CurveFigures fig;
    fig.start = startField > 0.0f ? startField : kStartShare * sngTopVarv;
    fig.end = endField > 0.0f ? endField : kEndShare * sngTopVarv;
    if (!(fig.end > fig.start) || !std::isfinite(fig.end) || !std::isfinite(fig.start))
        return fig;
    // The same samples as the plotted curves, so the figures match the drawing.
    const float h = (fig.end - fig.start) / static_cast<float>(kCurveSteps);
    const float limit = 1.0001f * fig.end;
    bool first = true;
    for (int step = 0; step <= kCurveSteps + 1; ++step) {
        const float x = fig.start + static_cast<float>(step) * h;
        if (x > limit)
            break;
        const float torque = EvaluatePolynomial(fits.torque, x);
        const float power = PowerAt(torque, x);
        if (first || power > fig.maxPower) {
            first = false;
            fig.maxPower = power;
            fig.torqueAtMaxPower = torque;
            fig.speedAtMaxPower = x;
            fig.airAtMaxPower = EvaluatePolynomial(fits.air, x);
        }
    }
    fig.freeSpeed = TorqueZero(fits.torque, fig.speedAtMaxPower, fig.end, sngTopVarv);
    fig.airAtFreeSpeed = EvaluatePolynomial(fits.air, fig.freeSpeed);
    return fig;
}

} // namespace airmotor::core
