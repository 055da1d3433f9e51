#pragma once

#include "cli/CliContext.h"

namespace airmotor::cli {

// `analyse [search options] [--select ROW | --all] [--hours H] [--energy KWH_PER_M3] [--price P]`:
// the duty analysis of one result row (row 1 unless told) or of every row, in SI units.
int RunAnalyseCommand(CliContext& ctx, const CommandArgs& args);
// `export [search options] --out FILE.csv|FILE.xlsx`: every result row with its duty analysis as CSV
// or as a workbook.
int RunExportCommand(CliContext& ctx, const CommandArgs& args);

} // namespace airmotor::cli
