#include "core/analysis/AirCostText.h"

#include "core/format/NumberParsing.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace airmotor::core {

namespace {

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool InRange(double value, double high) {
    return std::isfinite(value) && value >= 0.0 && value <= high;
}

std::optional<std::string> Read(std::string_view name, std::string_view given, double high, double& out) {
    std::string text = Trimmed(given);
    std::replace(text.begin(), text.end(), ',', '.');
    if (text.empty())
        return std::string(name) + ": enter a number";
    const std::optional<double> value = ParseDouble(text);
    if (!value)
        return std::string(name) + ": \"" + std::string(given) + "\" " + WhyNotDouble(text);
    if (*value < 0.0)
        return std::string(name) + ": must not be negative";
    if (!InRange(*value, high))
        return std::string(name) + ": must not exceed " + (high == kMaxHoursPerYear ? "8784" : "1000000");
    out = *value;
    return std::nullopt;
}

} // namespace

std::variant<AirCostInputs, std::string> ReadAirCostTexts(std::string_view hours, std::string_view energy,
                                                          std::string_view price) {
    AirCostInputs cost;
    if (auto error = Read("Hours per year", hours, kMaxHoursPerYear, cost.hoursPerYear))
        return *error;
    if (auto error = Read("Energy per m³ free air [kWh]", energy, kMaxCostFactor, cost.energyPerM3))
        return *error;
    if (auto error = Read("Price per kWh", price, kMaxCostFactor, cost.pricePerKWh))
        return *error;
    return cost;
}

AirCostInputs InRangeOrDefault(const AirCostInputs& cost) {
    const AirCostInputs defaults;
    return {InRange(cost.hoursPerYear, kMaxHoursPerYear) ? cost.hoursPerYear : defaults.hoursPerYear,
            InRange(cost.energyPerM3, kMaxCostFactor) ? cost.energyPerM3 : defaults.energyPerM3,
            InRange(cost.pricePerKWh, kMaxCostFactor) ? cost.pricePerKWh : defaults.pricePerKWh};
}

} // namespace airmotor::core
