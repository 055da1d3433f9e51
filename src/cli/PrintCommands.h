#pragma once

#include "cli/CliContext.h"

namespace airmotor::cli {

// `datasheet`: the session as for `diagram`, then the printout of the current motor as PDF files,
// one per print job (FILE.pdf, FILE-2.pdf, ...).
int RunDatasheetCommand(CliContext& ctx, const CommandArgs& args);
// `catalogue-table --out FILE.pdf`: the catalogue table, one PDF per page job.
int RunCatalogueTableCommand(CliContext& ctx, const CommandArgs& args);

} // namespace airmotor::cli
