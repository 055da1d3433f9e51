#pragma once

#include "core/catalogue/Settings.h"
#include "platform/files/RegularFile.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace airmotor::platform {

// Where the program finds its files.
struct ProgramFolder {
    QString folder;               // holds Zevodida.db, the help file and the drawings
    QString settingsFile;         // ZEVODIDA.DAT as read and rewritten
    QString fallbackSettingsFile; // read while settingsFile does not exist yet; may be empty

    // The catalogue database Zevodida.db in folder.
    QString databaseFile() const;
};

bool IsWritableFolder(const QString& folder);
// The per-user folder for ZEVODIDA.DAT when the program folder cannot be written.
QString UserSettingsFolder();

// The command-line text when one is given; otherwise the program's own folder, or, when that holds
// no Zevodida.db, the installed data folder <prefix>/share/airmotor beside <prefix>/bin. When the
// folder is not writable, or is that installed folder, ZEVODIDA.DAT lives in userFolder instead (the folder's
// own file is still read until the user's copy exists).
ProgramFolder ResolveProgramFolder(const QString& commandLineText, const QString& programDir,
                                   const std::function<bool(const QString&)>& isWritable = IsWritableFolder,
                                   const QString& userFolder = UserSettingsFolder());

// ZEVODIDA.DAT. A missing, unreadable or malformed file reads as defaults with no language, so the
// start window offers the language list instead of the program stopping.
class SettingsFile final {
public:
    explicit SettingsFile(ProgramFolder folder);

    core::Settings read() const;
    // Rewrites the whole file atomically; an error message naming the file on failure.
    std::optional<FileError> write(const core::Settings& settings) const;

    static std::optional<core::Settings> readFile(const QString& path);

private:
    ProgramFolder folder_;
};

} // namespace airmotor::platform
