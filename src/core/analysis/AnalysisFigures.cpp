#include "core/analysis/AnalysisFigures.h"

#include "core/common/Keys.h"
#include "core/format/NumberFormat.h"
#include "core/results/SearchSummary.h"

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

} // namespace

std::vector<AnalysisFigure> AnalysisFigures(const DutyAnalysis& a, const UnitFactors& units, bool imperial,
                                            const AirCostInputs& cost, const TextTable& strText) {
    namespace K = TextKey;
    const std::string torqueUnit = imperial ? "lbf ft" : "Nm";
    const std::string airUnit = imperial ? "cfm" : "l/s";
    const float torque = a.torqueAtSpeed / units.sngUnitTorque;
    const std::optional<float> speed = a.speedAtTorque;
    std::vector<AnalysisFigure> figures = {
        {"lblAnalysisMode", strText(K::DutyDelivered), "", strText(DutyModeTextKey(a.mode)),
         strText(K::ModeTip)},
        {"lblAnalysisPressure", strText(K::SupplyPressure), imperial ? "psi" : "bar",
         FormatNumber(static_cast<double>(a.pressure / units.sngUnitPressure), imperial ? "###0" : "#0.0"),
         strText(K::PressureTip)},
        {"lblAnalysisTorque", strText(K::TorqueAtWorkingSpeed), torqueUnit, Text(torque, TorqueMask(torque)),
         strText(K::TorqueTip)},
        {"lblAnalysisTorqueMargin", strText(K::TorqueMargin), "%", Text(a.torqueMargin, kMarginMask),
         strText(K::TorqueMarginTip)},
        {"lblAnalysisSpeedAtTorque", strText(K::SpeedAtWorkingTorque), SpeedUnitOf(strText),
         Text(speed, "####0"), strText(K::SpeedAtTorqueTip)},
        {"lblAnalysisPower", strText(K::PowerAtDutyPoint), imperial ? "hp" : "kW",
         FormatNumber(static_cast<double>(a.power / units.sngUnitPower), "#0.00"), strText(K::PowerTip)},
        {"lblAnalysisAir", strText(K::AirConsumption), airUnit,
         FormatNumber(static_cast<double>(a.air / units.sngUnitAir), "####0.0"),
         strText(a.mode == DutyMode::Throttled ? K::ThrottledAirTip : K::AirTip)},
    };
    if (!imperial)
        figures.push_back({"lblAnalysisAirM3h", strText(K::AirConsumption), "m³/h",
                           FormatNumber(static_cast<double>(a.airM3h), "####0.0"), strText(K::AirM3hTip)});
    figures.push_back({"lblAnalysisStartMargin", strText(K::StartTorqueMargin), "%",
                       Text(a.startTorqueMargin, kMarginMask), strText(K::StartMarginTip)});
    figures.push_back({"lblAnalysisFreeSpeedMargin", strText(K::DistanceToFreeSpeed), "%",
                       Text(a.freeSpeedMargin, kMarginMask), strText(K::FreeSpeedMarginTip)});
    figures.push_back({"lblAnalysisCost", strText(K::AirCostPerYear), cost.currency,
                       FormatNumber(a.airCostPerYear, "####0.00"), AirCostTooltip(cost, strText)});
    return figures;
}

std::string SpeedUnitOf(const TextTable& strText) {
    const std::string& caption = strText(97); // "Speed [r/min]" of the maximum power point
    const auto open = caption.find('[');
    const auto close = caption.find(']', open);
    return open == std::string::npos || close == std::string::npos
               ? std::string("r/min")
               : caption.substr(open + 1, close - open - 1);
}

int DutyModeTextKey(DutyMode mode) {
    switch (mode) {
    case DutyMode::Throttled:
        return TextKey::Throttled;
    case DutyMode::ReducedPressure:
        return TextKey::AtReducedPressure;
    case DutyMode::Direct:
        break;
    }
    return TextKey::AtSupplyPressure;
}

std::string AirCostTooltip(const AirCostInputs& cost, const TextTable& strText) {
    return FillPlaceholders(strText(TextKey::AirCostTip),
                            {Shortest(cost.hoursPerYear), Shortest(cost.energyPerM3),
                             Shortest(cost.pricePerKWh) + " " + cost.currency});
}

} // namespace airmotor::core
