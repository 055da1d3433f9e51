#pragma once

#include "cli/CliContext.h"

namespace airmotor::cli {

// `wagon` and `rotating-mass`: the calculator window loaded, the motor from a catalogue index, a
// search/list session or own data, the given texts typed into its boxes, then Calculate.
int RunWagonCommand(CliContext& ctx, const CommandArgs& args);
int RunRotatingMassCommand(CliContext& ctx, const CommandArgs& args);

} // namespace airmotor::cli
