#pragma once

#include "cli/CliContext.h"

namespace airmotor::cli {

// Engine calculations without catalogue: they need no program folder.
int RunFactorsCommand(CliContext& context, const CommandArgs& args);
int RunAxisCommand(CliContext& context, const CommandArgs& args);
int RunDecimalsCommand(CliContext& context, const CommandArgs& args);
int RunFitCommand(CliContext& context, const CommandArgs& args);

} // namespace airmotor::cli
