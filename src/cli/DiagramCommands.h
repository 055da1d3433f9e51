#pragma once

#include "cli/CliContext.h"

namespace airmotor::cli {

// `diagram`: the selection model driven by the search/list options, a row click, then the motor
// diagram written as .svg, .png or .pdf (by the file's extension).
int RunDiagramCommand(CliContext& ctx, const CommandArgs& args);
// `drawing --index K [--column COL] --out FILE.png`: a motor's dimension drawing rendered to PNG.
int RunDrawingCommand(CliContext& ctx, const CommandArgs& args);

} // namespace airmotor::cli
