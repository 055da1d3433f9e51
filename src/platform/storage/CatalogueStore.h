#pragma once

#include "core/catalogue/CatalogueLoader.h"
#include "core/catalogue/MotorRow.h"
#include "core/language/Language.h"

#include <QString>

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace airmotor::platform {

struct StoreError {
    std::string message; // names the database file and what is wrong with it
};

// The version of the PostgreSQL catalogue schema this program reads and writes.
// 2 added the row version, who changed a row and when, and the history of writes.
inline constexpr int kPostgresSchemaVersion = 2;

// The row version of each motor row as loaded, by intKatalogindex: a write on PostgreSQL changes a
// row only while it still has the version its writer loaded. Empty for a database file.
using RowVersions = std::map<std::int64_t, std::int64_t>;

template <class T> using StoreResult = std::variant<T, StoreError>;

// Every table a command needs, read in one transaction on one connection: one version of the
// catalogue even while the database file is being replaced.
struct CatalogueSnapshot {
    std::vector<core::LanguageRow> texts;
    std::vector<core::ImperialRow> imperialTexts; // read only when asked for
    std::vector<core::MotorRow> motors;
    RowVersions rowVersions; // of the same snapshot as motors
};

// Read access to the catalogue: the database file Zevodida.db, or a PostgreSQL database when the
// location is a postgresql:// URL (same tables, read in one REPEATABLE READ READ ONLY transaction). Every
// operation opens its own read-only connection and closes it before returning, so no connection outlives a
// call and a missing file is reported instead of being created empty. A database with the journal of an
// interrupted write beside it is opened for writing (never created), so that SQLite rolls the write back.
class CatalogueStore final {
public:
    explicit CatalogueStore(QString databaseFile);

    const QString& databaseFile() const { return databaseFile_; }

    // tblMotordata ordered by intKatalogindex; every schema column must be present.
    StoreResult<std::vector<core::MotorRow>> readMotorRows() const;
    // tblLanguage and tblImperialUnits by column position; a key that is not a whole number is an error.
    StoreResult<std::vector<core::LanguageRow>> readLanguageRows() const;
    StoreResult<std::vector<core::ImperialRow>> readImperialRows() const;

    StoreResult<CatalogueSnapshot> readSnapshot(bool withImperialTexts) const;

    // readMotorRows followed by the catalogue load rules; the rows' versions of the same read go to
    // `versions` when given.
    std::variant<core::CatalogueLoadResult, core::LoadError>
    loadCatalogue(RowVersions* versions = nullptr) const;

private:
    QString databaseFile_;
};

} // namespace airmotor::platform
