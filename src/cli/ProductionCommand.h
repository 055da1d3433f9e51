#pragma once

#include "cli/CliContext.h"

namespace airmotor::cli {

// `production --index K [--production FILE]`: the production records of a catalogue motor, why each
// was used or left out, and the comparison table of the production-data diagram.
int RunProductionCommand(CliContext& ctx, const CommandArgs& args);

} // namespace airmotor::cli
