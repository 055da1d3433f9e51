#pragma once

#include "cli/CliContext.h"

namespace airmotor::cli {

// Without arguments the loaded catalogue; `init URL`, `push FILE.db URL` and `pull URL FILE.db`
// are the schema tools for a PostgreSQL catalogue and need no program folder.
int RunCatalogueCommand(CliContext& context, const CommandArgs& args);
bool IsCatalogueTool(const CommandArgs& args);
int RunTextsCommand(CliContext& context, const CommandArgs& args);
// Needs no program folder: make-database DATA_DIR OUT.db.
int RunMakeDatabaseCommand(CliContext& context, const CommandArgs& args);
// Needs no program folder: import-catalogue OLD.mdb OUT.db.
int RunImportCatalogueCommand(CliContext& context, const CommandArgs& args);

} // namespace airmotor::cli
