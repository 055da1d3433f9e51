#pragma once

#include "core/catalogue/CatalogueLoader.h"
#include "core/catalogue/MotorRow.h"
#include "core/language/Language.h"

#include <QString>

#include <string>
#include <variant>
#include <vector>

namespace airmotor::platform {

struct StoreError {
    std::string message; // names the database file and what is wrong with it
};

template <class T> using StoreResult = std::variant<T, StoreError>;

// Read access to the catalogue database Zevodida.db. Every operation opens its own read-only
// connection and closes it before returning, so no connection outlives a call and a missing
// file is reported instead of being created empty.
class CatalogueStore final {
public:
    explicit CatalogueStore(QString databaseFile);

    const QString& databaseFile() const { return databaseFile_; }

    // tblMotordata ordered by intKatalogindex; every schema column must be present.
    StoreResult<std::vector<core::MotorRow>> readMotorRows() const;
    // tblLanguage and tblImperialUnits by column position; a key that is not a whole number is an error.
    StoreResult<std::vector<core::LanguageRow>> readLanguageRows() const;
    StoreResult<std::vector<core::ImperialRow>> readImperialRows() const;

    // readMotorRows followed by the catalogue load rules.
    std::variant<core::CatalogueLoadResult, core::LoadError> loadCatalogue() const;

private:
    QString databaseFile_;
};

} // namespace airmotor::platform
