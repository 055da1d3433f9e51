#pragma once

#include "core/analysis/DutyAnalysis.h"
#include "core/language/Language.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace airmotor::core {

// Highest accepted inputs: the hours of a leap year, and a bound far above any real energy figure or
// price that still keeps the cost finite.
inline constexpr double kMaxHoursPerYear = 8784.0;
inline constexpr double kMaxCostFactor = 1e6;
// A currency is a code or a sign ("EUR", "CHF", "kr"), not a sentence: it must fit a column heading.
inline constexpr std::size_t kMaxCurrencyCharacters = 8;

// The cost inputs as a user typed them ('.' or ',' as the decimal separator). A text that is not a
// number, a negative figure or one above its bound, or a currency that is empty, too long or holds a
// control character gives a message naming the input, in the language of the text table.
std::variant<AirCostInputs, std::string> ReadAirCostTexts(std::string_view hours, std::string_view energy,
                                                          std::string_view price, std::string_view currency,
                                                          const TextTable& strText);

// The currency without its surrounding blanks, or nothing when it is no usable currency.
std::optional<std::string> UsableCurrency(std::string_view text);

// A stored preference with every figure outside its range (hand-edited, say) replaced by its default.
AirCostInputs InRangeOrDefault(const AirCostInputs& cost);

} // namespace airmotor::core
