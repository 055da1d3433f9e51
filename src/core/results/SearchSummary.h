#pragma once

#include "core/language/Language.h"

#include <optional>
#include <string>

namespace airmotor::core {

// Text key of the search summary, "%1" the case and "%2" the number of motors.
inline constexpr int kSearchSummaryKey = 41;
// A listing is summed up under the caption of its own button.
inline constexpr int kListingSummaryKey = 78;

// Between the parts of a summary line (UTF-8 middle dot with spaces).
inline constexpr const char* kSummarySeparator = " \u00B7 ";

// A pressure in display units with its unit text, as the detail heading writes it ("6.00 bar(e)", "91 psi").
std::string PressureWithUnit(const LanguageState& language, float pressureBar);

// The pressure field's allowed range under the invalid-field message, for a refusal that must say
// what to type ("… Available pressure: 3.00 - 6.30 bar(e)", imperial in whole psi).
std::string AllowedPressureText(const LanguageState& language);

// What the last search or listing did, in the loaded language: the search case (none for a
// listing), how many motors it listed and the available pressure it used.
std::string SearchSummary(const LanguageState& language, std::optional<int> searchCase, int motors,
                          float pressureBar);

// Replaces %1, %2 … in a text with the arguments in order; a marker without an argument stays.
std::string FillPlaceholders(std::string text, std::initializer_list<std::string> arguments);

} // namespace airmotor::core
