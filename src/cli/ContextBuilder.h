#pragma once

#include "cli/CliContext.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace airmotor::cli {

// The line with the global options taken out: they may stand anywhere.
struct GlobalOptions {
    std::optional<std::string> folder;
    std::optional<std::string> catalogue; // a file or a postgresql:// URL instead of the folder's Zevodida.db
    std::optional<std::string> language;
    bool json = false;
    bool help = false;    // -h or --help: the program's or the command's help instead of running it
    bool version = false; // --version
    std::string command;  // empty only with help or version
    CommandArgs args;
};

// Throws UsageError for a missing option value, an unknown language or a missing command.
GlobalOptions ParseGlobalOptions(const std::vector<std::string>& arguments);

// The program folder's settings, the texts of the given languages (none: the settings' language) and
// the catalogue, all from one read of its database. The catalogue is read from `location` when given,
// else from the location in AIRMOTOR_CATALOGUE when set, else from the folder's Zevodida.db. Throws
// FolderError when the folder or its database cannot be used; load warnings are returned, not printed.
struct FolderCatalogue {
    std::filesystem::path folder;
    std::string databaseFile; // the catalogue location: a file name or a postgresql:// URL
    core::Settings settings;
    std::vector<core::LanguageState> languages; // in the order asked for
    std::shared_ptr<const core::MotorCatalogue> catalogue;
    std::shared_ptr<const std::map<std::int64_t, std::int64_t>> rowVersions; // of the same read
    std::vector<std::string> warnings;
};
FolderCatalogue LoadFolderCatalogue(const std::optional<std::string>& folderName,
                                    const std::optional<std::string>& location, const std::string& programDir,
                                    std::vector<std::string> languages);

// Program folder, settings, language texts and unit factors, and the catalogue. Throws FolderError
// when the folder or its database cannot be used; load warnings go to `warnings`.
CliContext BuildContext(const GlobalOptions& options, const std::string& programDir, std::ostream& warnings);

} // namespace airmotor::cli
