#pragma once

#include "cli/CliContext.h"

namespace airmotor::cli {

// `search` (listOnly = false) and `list` (listOnly = true): the main window's selection model driven
// by the options, then SökMotorB or AllMotorsB, then a click on one result cell.
int RunSearchCommand(CliContext& ctx, const CommandArgs& args, bool listOnly);

inline int RunSearch(CliContext& ctx, const CommandArgs& args) {
    return RunSearchCommand(ctx, args, false);
}
inline int RunList(CliContext& ctx, const CommandArgs& args) {
    return RunSearchCommand(ctx, args, true);
}

} // namespace airmotor::cli
