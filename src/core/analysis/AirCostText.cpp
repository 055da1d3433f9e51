#include "core/analysis/AirCostText.h"

#include "core/common/Keys.h"
#include "core/format/NumberParsing.h"
#include "core/results/SearchSummary.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

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

std::optional<std::string> Read(const std::string& name, std::string_view given, double high, double& out,
                                const TextTable& strText) {
    std::string text = Trimmed(given);
    std::replace(text.begin(), text.end(), ',', '.');
    if (text.empty())
        return FillPlaceholders(strText(TextKey::EnterANumber), {name});
    const std::optional<double> value = ParseDouble(text);
    if (!value)
        return FillPlaceholders(strText(TextKey::NotANumber), {name, std::string(given)});
    if (*value < 0.0)
        return FillPlaceholders(strText(TextKey::MustNotBeNegative), {name});
    if (!InRange(*value, high))
        return FillPlaceholders(strText(TextKey::MustNotExceed),
                                {name, high == kMaxHoursPerYear ? "8784" : "1000000"});
    out = *value;
    return std::nullopt;
}

} // namespace

std::optional<std::string> UsableCurrency(std::string_view text) {
    std::string currency = Trimmed(text);
    std::size_t characters = 0;
    for (const char c : currency) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f)
            return std::nullopt;
        if ((byte & 0xc0) != 0x80) // UTF-8 continuation bytes belong to the character before
            ++characters;
    }
    if (characters == 0 || characters > kMaxCurrencyCharacters)
        return std::nullopt;
    return currency;
}

std::variant<AirCostInputs, std::string> ReadAirCostTexts(std::string_view hours, std::string_view energy,
                                                          std::string_view price, std::string_view currency,
                                                          const TextTable& strText) {
    AirCostInputs cost;
    if (auto error =
            Read(strText(TextKey::HoursPerYear), hours, kMaxHoursPerYear, cost.hoursPerYear, strText))
        return *error;
    if (auto error = Read(strText(TextKey::EnergyPerM3), energy, kMaxCostFactor, cost.energyPerM3, strText))
        return *error;
    if (auto error = Read(strText(TextKey::PricePerKWh), price, kMaxCostFactor, cost.pricePerKWh, strText))
        return *error;
    std::optional<std::string> usable = UsableCurrency(currency);
    if (!usable)
        return FillPlaceholders(strText(TextKey::CurrencyRule),
                                {strText(TextKey::Currency), std::to_string(kMaxCurrencyCharacters)});
    cost.currency = std::move(*usable);
    return cost;
}

AirCostInputs InRangeOrDefault(const AirCostInputs& cost) {
    const AirCostInputs defaults;
    return {InRange(cost.hoursPerYear, kMaxHoursPerYear) ? cost.hoursPerYear : defaults.hoursPerYear,
            InRange(cost.energyPerM3, kMaxCostFactor) ? cost.energyPerM3 : defaults.energyPerM3,
            InRange(cost.pricePerKWh, kMaxCostFactor) ? cost.pricePerKWh : defaults.pricePerKWh,
            UsableCurrency(cost.currency).value_or(defaults.currency)};
}

} // namespace airmotor::core
