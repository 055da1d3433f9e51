#pragma once

#include "cli/CliContext.h"

#include <istream>
#include <ostream>

namespace airmotor::cli {

// `batch`: one API request a line on `in` ({"op": "search", ...the body}), one answer a line, with the
// web API's schema and figures. A whole plant's list of duties is sized in one process.
int RunBatch(const CliContext& ctx, std::istream& in, std::ostream& out);
int RunBatchCommand(CliContext& ctx, const CommandArgs& args);

} // namespace airmotor::cli
