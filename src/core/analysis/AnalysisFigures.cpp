#include "core/analysis/AnalysisFigures.h"

#include "core/format/NumberFormat.h"

#include <charconv>
#include <optional>

namespace airmotor::core {

namespace {

constexpr float kSmallTorque = 10.0f; // below it torques keep two decimals, as in the detail panel
constexpr const char* kMarginMask = "###0.0";

std::string Text(const std::optional<float>& value, const char* mask) {
    return value ? FormatNumber(static_cast<double>(*value), mask) : std::string("-");
}

std::string Shortest(double value) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string();
}

const char* TorqueMask(float torque) {
    return torque < kSmallTorque ? "####0.00" : "####0.0";
}

std::string ModeText(DutyMode mode) {
    switch (mode) {
    case DutyMode::Throttled:
        return "throttled";
    case DutyMode::ReducedPressure:
        return "reduced pressure";
    case DutyMode::Direct:
        break;
    }
    return "direct";
}

} // namespace

std::vector<AnalysisFigure> AnalysisFigures(const DutyAnalysis& a, const UnitFactors& units, bool imperial,
                                            const AirCostInputs& cost) {
    const std::string torqueUnit = imperial ? "lbf ft" : "Nm";
    const std::string airUnit = imperial ? "cfm" : "l/s";
    const float torque = a.torqueAtSpeed / units.sngUnitTorque;
    const std::optional<float> speed = a.speedAtTorque;
    std::vector<AnalysisFigure> figures = {
        {"lblAnalysisMode", "Duty delivered", "", ModeText(a.mode),
         "How the row reaches the working point: directly at the available pressure, with the row's "
         "throttle ratio, or at the row's reduced pressure - the curve the diagram draws for the row."},
        {"lblAnalysisPressure", "Supply pressure", imperial ? "psi" : "bar",
         FormatNumber(static_cast<double>(a.pressure / units.sngUnitPressure), imperial ? "###0" : "#0.0"),
         "The pressure of that curve: the available pressure, or the row's reduced pressure."},
        {"lblAnalysisTorque", "Torque at working speed", torqueUnit, Text(torque, TorqueMask(torque)),
         "The catalogue torque curve at the working speed, scaled with the torque and speed factors of "
         "the curve's pressure (speed factor = throttle ratio for a throttled row)."},
        {"lblAnalysisTorqueMargin", "Torque margin", "%", Text(a.torqueMargin, kMarginMask),
         "(torque at working speed / required torque - 1) x 100."},
        {"lblAnalysisSpeedAtTorque", "Speed at working torque", "r/min", Text(speed, "####0"),
         "The highest speed on the curve where the motor still gives the required torque, searched from "
         "the free speed downwards; '-' when the curve never reaches it."},
        {"lblAnalysisPower", "Power at duty point", imperial ? "hp" : "kW",
         FormatNumber(static_cast<double>(a.power / units.sngUnitPower), "#0.00"),
         "2 pi x torque at working speed x working speed / 60000."},
        {"lblAnalysisAir", "Air consumption", airUnit,
         FormatNumber(static_cast<double>(a.air / units.sngUnitAir), "####0.0"),
         a.mode == DutyMode::Throttled
             ? "Estimate: the free air per revolution of the unthrottled motor at the same point of the "
               "catalogue curve, times the throttled speed. Leakage is not counted: the real figure may be "
               "somewhat higher."
             : "The catalogue air curve at the working speed, scaled with the air factor of the curve's "
               "pressure; free air."},
    };
    if (!imperial)
        figures.push_back({"lblAnalysisAirM3h", "Air consumption", "m³/h",
                           FormatNumber(static_cast<double>(a.airM3h), "####0.0"),
                           "The air consumption in l/s x 3.6; free air."});
    figures.push_back({"lblAnalysisStartMargin", "Start torque margin", "%",
                       Text(a.startTorqueMargin, kMarginMask),
                       "(minimum starting torque at the curve's pressure / required start torque - 1) x 100; "
                       "'-' when no start torque was required."});
    figures.push_back({"lblAnalysisFreeSpeedMargin", "Distance to free speed", "%",
                       Text(a.freeSpeedMargin, kMarginMask),
                       "(1 - working speed / free speed of the curve) x 100."});
    figures.push_back({"lblAnalysisCost", "Air cost per year", "", FormatNumber(a.airCostPerYear, "####0.00"),
                       "Air in m³/h x " + Shortest(cost.hoursPerYear) + " hours per year x " +
                           Shortest(cost.energyPerM3) + " kWh per m³ x " + Shortest(cost.pricePerKWh) +
                           " per kWh (Options - Air cost preferences)."});
    return figures;
}

} // namespace airmotor::core
