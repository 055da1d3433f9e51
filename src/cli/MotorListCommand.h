#pragma once

#include "cli/CliContext.h"

namespace airmotor::cli {

// The motor-list batch: rows of the workbook's sheet "Motorer" added to the catalogue or their
// diagrams printed to PDF files, one JSON entry per row.
int RunMotorListCommand(CliContext& context, const CommandArgs& args);

} // namespace airmotor::cli
