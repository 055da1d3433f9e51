#include "core/analysis/DutyAnalysis.h"

#include "core/model/MotorCurves.h"
#include "core/session/SelectionSession.h"

#include <algorithm>
#include <cmath>

namespace airmotor::core {

namespace {

// Halvings of the bracketing speed step: 1000 steps of the free speed, then 2^-24 of a step,
// far below the float resolution of any speed.
constexpr int kBisections = 24;

std::optional<float> MarginPercent(float available, float required) {
    if (!(required > 0.0f))
        return std::nullopt;
    return (available / required - 1.0f) * 100.0f;
}

// Torque, speed and air factors of the row's curve: those the diagram draws it with.
struct Curve {
    DutyMode mode = DutyMode::Direct;
    float pressure = 0.0f;
    PressureFactorValues factors;     // torque and speed of the curve
    PressureFactorValues unthrottled; // the available pressure
};

Curve RowCurve(const DutyInput& in) {
    Curve c;
    c.unthrottled = in.factors;
    PressureFactors(in.availablePressure, in.designation, c.unthrottled);
    c.factors = c.unthrottled;
    c.pressure = in.availablePressure;
    // A row offering both ways is analysed at the reduced pressure: it needs less air than the
    // throttle for the same duty.
    if (in.row.sngRadTryck != 0.0f) {
        c.mode = DutyMode::ReducedPressure;
        c.pressure = in.row.sngRadTryck;
        PressureFactors(in.row.sngRadTryck, in.designation, c.factors);
    } else if (in.row.sngRadStrypning != 0.0f) {
        // The throttle ratio already holds the speed factor of the available pressure.
        c.mode = DutyMode::Throttled;
        c.factors.sngKn = in.row.sngRadStrypning;
    }
    return c;
}

// Highest speed on the curve where the torque is at least `torque`, found from the free speed
// downwards (a curve may rise again towards standstill); std::nullopt when the curve never gives it.
std::optional<float> SpeedAtTorque(const DutyInput& in, const PressureFactorValues& f, float freeSpeed,
                                   float torque) {
    const auto at = [&](float n) { return TorqueAt(*in.catalogue, in.index, n, f); };
    if (!(freeSpeed > 0.0f))
        return std::nullopt;
    const float h = freeSpeed / static_cast<float>(kCurveSteps);
    float above = freeSpeed;
    if (at(above) >= torque)
        return above;
    for (int step = kCurveSteps - 1; step >= 0; --step) {
        const float below = static_cast<float>(step) * h;
        if (at(below) >= torque) {
            float low = below;
            for (int i = 0; i < kBisections; ++i) {
                const float mid = 0.5f * (low + above);
                (at(mid) >= torque ? low : above) = mid;
            }
            return low;
        }
        above = below;
    }
    return std::nullopt;
}

} // namespace

const char* DutyModeName(DutyMode mode) {
    switch (mode) {
    case DutyMode::Throttled:
        return "throttled";
    case DutyMode::ReducedPressure:
        return "reduced-pressure";
    case DutyMode::Direct:
        break;
    }
    return "direct";
}

double AirCostPerYear(double airLitresPerSecond, const AirCostInputs& cost) {
    return airLitresPerSecond * kM3hPerLitrePerSecond * cost.hoursPerYear * cost.energyPerM3 *
           cost.pricePerKWh;
}

DutyAnalysis AnalyseDuty(const DutyInput& in, const AirCostInputs& cost) {
    DutyAnalysis a;
    a.index = in.index;
    a.designation = in.designation;
    if (!in.catalogue || in.index <= 0 || in.index > in.catalogue->intAntalMotorer)
        return a;
    const Curve curve = RowCurve(in);
    a.mode = curve.mode;
    a.pressure = curve.pressure;
    const MotorCatalogue& cat = *in.catalogue;
    const auto idx = static_cast<std::size_t>(in.index);
    const float n = in.requirement.sngArbetsVarvtal;
    const float m = in.requirement.sngArbetsMoment;

    a.torqueAtSpeed = TorqueAt(cat, in.index, n, curve.factors);
    a.torqueMargin = MarginPercent(a.torqueAtSpeed, m);
    a.freeSpeed = curve.factors.sngKn * cat.sngTomgVarvtal[idx];
    a.speedAtTorque = SpeedAtTorque(in, curve.factors, a.freeSpeed, m);
    a.power = PowerAt(a.torqueAtSpeed, n);
    if (curve.mode == DutyMode::Throttled) {
        // Same free air per revolution as the unthrottled motor at the same torque (the same
        // point x of the catalogue curve), at the throttled speed.
        const float x = n / curve.factors.sngKn;
        a.air = curve.unthrottled.sngKl * AirPolynomial(cat, in.index, x) * curve.factors.sngKn /
                curve.unthrottled.sngKn;
    } else {
        a.air = AirAt(cat, in.index, n, curve.factors);
    }
    a.airM3h = static_cast<float>(static_cast<double>(a.air) * kM3hPerLitrePerSecond);
    a.startTorqueMargin =
        MarginPercent(curve.factors.sngKm * cat.sngMinStartMoment[idx], in.requirement.sngMinStartmoment);
    if (a.freeSpeed > 0.0f)
        a.freeSpeedMargin = (1.0f - n / a.freeSpeed) * 100.0f;
    a.airCostPerYear = AirCostPerYear(static_cast<double>(a.air), cost);
    return a;
}

std::optional<DutyInput> DutyInputOfRow(const SelectionSession& session, int row) {
    DutyInput in;
    in.index = session.CatalogueIndexOfRow(row);
    if (in.index == 0)
        return std::nullopt;
    in.catalogue = &session.catalogue();
    in.row = session.results().rows[static_cast<std::size_t>(row - 1)];
    in.designation = in.catalogue->strBenamning[static_cast<std::size_t>(in.index)];
    in.factors = session.factors();
    in.requirement = session.input().values;
    in.availablePressure = in.requirement.sngTillgLuftTryck;
    return in;
}

std::vector<AnalysedRow> AnalyseRows(const SelectionSession& session, int first, int last,
                                     const AirCostInputs& cost) {
    std::vector<AnalysedRow> rows;
    for (int row = std::max(first, 1); row <= std::min(last, session.results().rowCount()); ++row)
        if (const auto input = DutyInputOfRow(session, row))
            rows.push_back({row, AnalyseDuty(*input, cost)});
    return rows;
}

} // namespace airmotor::core
