#include "core/results/SearchSummary.h"

#include "core/common/Keys.h"
#include "core/format/NumberFormat.h"
#include "core/selection/RequirementRange.h"

namespace airmotor::core {

std::string PressureWithUnit(const LanguageState& language, float pressureBar) {
    // Imperial pressures are whole psi; bar keeps two decimals, as the pressure field rounds it.
    const std::string figure = language.intImperialUnits == 1
                                   ? FormatNumber(pressureBar / language.units.sngUnitPressure, "####0")
                                   : FormatNumber(pressureBar, "####0.00");
    return figure + " " + language.strText(TextKey::PressureUnit);
}

std::string AllowedPressureText(const LanguageState& language) {
    const bool imperial = language.intImperialUnits == 1;
    const RequirementRange range = RangeOf(RequirementField::TillgLuftTryckB, imperial);
    const char* mask = imperial ? "####0" : "####0.00";
    std::string invalid = language.strText(TextKey::InvalidSearchField);
    invalid = invalid.substr(0, invalid.find('\n')); // the advice to search again does not apply
    return invalid + " " + language.strText(TextKey::AvailablePressure) + ": " +
           FormatNumber(range.lower, mask) + " - " + FormatNumber(range.upper, mask) + " " +
           language.strText(TextKey::PressureUnit);
}

std::string SearchSummary(const LanguageState& language, std::optional<int> searchCase, int motors,
                          float pressureBar) {
    const std::string what = searchCase
                                 ? FillPlaceholders(language.strText(kSearchSummaryKey),
                                                    {std::to_string(*searchCase), std::to_string(motors)})
                                 : language.strText(kListingSummaryKey) + ": " + std::to_string(motors);
    return what + kSummarySeparator + PressureWithUnit(language, pressureBar);
}

std::string FillPlaceholders(std::string text, std::initializer_list<std::string> arguments) {
    int number = 1;
    for (const std::string& argument : arguments) {
        const std::string marker = "%" + std::to_string(number++);
        const std::size_t at = text.find(marker);
        if (at != std::string::npos)
            text.replace(at, marker.size(), argument);
    }
    return text;
}

} // namespace airmotor::core
