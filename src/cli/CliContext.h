#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/catalogue/Settings.h"
#include "core/language/Language.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace airmotor::cli {

// Exit status 2: unknown option, malformed number in a non-field option.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// Exit status 1: the program folder or the database cannot be used.
struct FolderError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What every command gets after the global options were read: the program folder, the settings,
// the language (texts loaded, unit factors set as after NyaIndataB) and the loaded catalogue.
struct CliContext {
    std::filesystem::path folder;
    std::string catalogueLocation; // the file or postgresql:// URL the catalogue was read from
    core::Settings settings;
    core::LanguageState language;
    // Shared and immutable: the server hands one loaded catalogue to many requests at once. Empty for
    // the commands that need no catalogue (see main's table).
    std::shared_ptr<const core::MotorCatalogue> loaded;
    const core::MotorCatalogue& catalogue() const {
        if (!loaded)
            throw std::logic_error("a command without a catalogue asked for one");
        return *loaded;
    }
    // The row versions of the loaded catalogue by intKatalogindex (PostgreSQL only): a write changes
    // a row only while it still has the version loaded.
    std::shared_ptr<const std::map<std::int64_t, std::int64_t>> rowVersions;
    bool json = false;
    std::ostream* out = nullptr;
    // Warning lines, shown only when the command succeeds: a failing command prints one line.
    std::ostream* warnings = nullptr;
};

inline void Warn(const CliContext& context, const std::string& text) {
    if (context.warnings != nullptr)
        *context.warnings << "airmotor-cli: warning: " << text << '\n';
}

// A command's own arguments (everything after the command name, global options removed).
using CommandArgs = std::vector<std::string>;

} // namespace airmotor::cli
