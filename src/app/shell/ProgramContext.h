#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/catalogue/Settings.h"
#include "core/language/Language.h"
#include "core/session/CaptionKeys.h"
#include "platform/files/SettingsFile.h"
#include "platform/printing/ProgramPrinter.h"
#include "platform/storage/CatalogueCache.h"
#include "platform/storage/CatalogueStore.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace airmotor::app {

// The state the windows share for one run: program folder, settings, language and catalogue.
// It is created by main() (or a test) and handed to every window by reference.
struct ProgramContext {
    platform::ProgramFolder folder;
    core::Settings settings;
    core::LanguageState language;
    core::MotorCatalogue catalogue;
    // Every window prints on this printer, and every print dialog changes it for all of them.
    platform::ProgramPrinter printer{&language.strText};
    // True while the main window is closed to go back to the start window: the program goes on.
    bool intTillbakaStart = false;
    // Another catalogue database chosen for this run (an imported one); empty: the folder's own.
    QString databaseOverride;
    // The catalogue of the user's choice (platform::ChooseCatalogue): a file or a postgresql:// URL;
    // empty: the folder's own.
    QString catalogueLocation;
    // Where a PostgreSQL catalogue is copied after each load, and read from while it cannot be reached.
    platform::CatalogueCache cache;
    // Set while the catalogue is that copy: why the server could not be read. Nothing may be saved then.
    std::optional<std::string> offlineReason;

    // The catalogue as the user named it, even while its offline copy is read.
    QString location() const;
    // The database actually read: the location, or its offline copy.
    QString databaseFile() const;
    // An imported catalogue chosen for the run is a file of its own, read and written as such.
    bool readOnly() const { return offlineReason.has_value() && databaseOverride.isEmpty(); }
    // After a failed load of a PostgreSQL catalogue: reads its last copy instead, read-only. False,
    // with nothing changed, when there is no copy that loads.
    bool useOfflineCopy(const std::string& reason);
    core::CaptionContext captionContext() const;

    // Fills the catalogue from the database; an error message naming the file on failure, in the
    // chosen language once the texts are loaded. A PostgreSQL catalogue that loaded from the server
    // is copied to the cache.
    // What the load kept but had to leave out (rows beyond the catalogue's size) is in loadWarnings.
    std::optional<std::string> loadCatalogue();
    // The row versions of the loaded catalogue (PostgreSQL only); a save changes a row only while
    // it still has its version, and updates it here.
    platform::RowVersions rowVersions;
    std::vector<std::string> loadWarnings;
    // Re-reads the texts of language.strLanguage; the loader sets the imperial flag with them, and a
    // failed load changes neither.
    std::optional<std::string> loadTexts();
    std::optional<std::string> writeSettings() const;
};

} // namespace airmotor::app
