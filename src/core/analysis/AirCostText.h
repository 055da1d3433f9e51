#pragma once

#include "core/analysis/DutyAnalysis.h"
#include "core/language/Language.h"

#include <string>
#include <string_view>
#include <variant>

namespace airmotor::core {

// Highest accepted inputs: the hours of a leap year, and a bound far above any real energy figure or
// price that still keeps the cost finite.
inline constexpr double kMaxHoursPerYear = 8784.0;
inline constexpr double kMaxCostFactor = 1e6;

// The three cost inputs as a user typed them ('.' or ',' as the decimal separator). A text that is
// not a number, a negative figure or one above its bound gives a message naming the input, in the
// language of the text table.
std::variant<AirCostInputs, std::string> ReadAirCostTexts(std::string_view hours, std::string_view energy,
                                                          std::string_view price, const TextTable& strText);

// A stored preference with every figure outside its range (hand-edited, say) replaced by its default.
AirCostInputs InRangeOrDefault(const AirCostInputs& cost);

} // namespace airmotor::core
