#pragma once

#include "cli/CliContext.h"

namespace airmotor::cli {

int RunCatalogueCommand(CliContext& context, const CommandArgs& args);
int RunTextsCommand(CliContext& context, const CommandArgs& args);
// Needs no program folder: make-database DATA_DIR OUT.db.
int RunMakeDatabaseCommand(CliContext& context, const CommandArgs& args);
// Needs no program folder: import-catalogue OLD.mdb OUT.db.
int RunImportCatalogueCommand(CliContext& context, const CommandArgs& args);

} // namespace airmotor::cli
