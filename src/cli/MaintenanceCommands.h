#pragma once

#include "cli/CliContext.h"

namespace airmotor::cli {

// The motor data editor's rules without its window: gear designation and losses, and a
// measurement data file loaded, converted, fitted and optionally calibrated.
int RunGearCommand(CliContext& context, const CommandArgs& args);
int RunMeasurementCommand(CliContext& context, const CommandArgs& args);
// Draws as the screen diagram does, then writes the curves into tblMotordata.
int RunSaveMotorCommand(CliContext& context, const CommandArgs& args);

} // namespace airmotor::cli
