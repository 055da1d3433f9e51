#pragma once

#include "cli/CliContext.h"

#include <string_view>
#include <utility>
#include <vector>

namespace airmotor::cli {

// `wagon` and `rotating-mass`: the calculator window loaded, the motor from a catalogue index, a
// search/list session or own data, the given texts typed into its boxes, then Calculate.
int RunWagonCommand(CliContext& ctx, const CommandArgs& args);
int RunRotatingMassCommand(CliContext& ctx, const CommandArgs& args);

// The option of each input box (the box's number in the window), wagon or rotating mass.
const std::vector<std::pair<std::string_view, int>>& CalculatorInputs(bool wagon);
// The answer's name of each result, in the order of the layout's result boxes.
const std::vector<std::string_view>& CalculatorResults(bool wagon);

} // namespace airmotor::cli
