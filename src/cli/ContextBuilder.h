#pragma once

#include "cli/CliContext.h"

#include <optional>
#include <ostream>
#include <string>

namespace airmotor::cli {

// The line with the global options taken out: they may stand anywhere.
struct GlobalOptions {
    std::optional<std::string> folder;
    std::optional<std::string> language;
    bool json = false;
    bool help = false;    // -h or --help: the program's or the command's help instead of running it
    bool version = false; // --version
    std::string command;  // empty only with help or version
    CommandArgs args;
};

// Throws UsageError for a missing option value, an unknown language or a missing command.
GlobalOptions ParseGlobalOptions(const std::vector<std::string>& arguments);

// Program folder, settings, language texts and unit factors, and the catalogue. Throws FolderError
// when the folder or its database cannot be used; load warnings go to `warnings`.
CliContext BuildContext(const GlobalOptions& options, const std::string& programDir, std::ostream& warnings);

} // namespace airmotor::cli
