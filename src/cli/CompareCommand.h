#pragma once

#include "cli/CliContext.h"

namespace airmotor::cli {

// `compare [search options] --rows 1,3,4 [--out FILE.svg|.png|.pdf]`: up to four result rows side by
// side (key figures, duty analysis, best marks) and their comparison diagram.
int RunCompareCommand(CliContext& ctx, const CommandArgs& args);

} // namespace airmotor::cli
