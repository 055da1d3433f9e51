#pragma once

#include "platform/access/TableSource.h"
#include "platform/storage/DatabaseBuilder.h"

#include <QString>

#include <array>
#include <string>
#include <variant>
#include <vector>

namespace airmotor::platform {

// A legacy catalogue (the Access file with tblMotordata, tblLanguage and tblImperialUnits) made
// into a new catalogue database. Columns are taken by position, as the program reads them, and
// each must carry the schema's name (in any case); the rows then pass exactly the checks of the
// database build and are written as atomically (DatabaseBuilder). Messages name the place as
// file:table:row:column.
class CatalogueImport final {
public:
    explicit CatalogueImport(const TableSource& source);

    // The legacy file's three tables, read and mapped onto the schema: what can be checked before
    // the user is asked where the new catalogue goes.
    struct ReadTables {
        QString legacyFile;
        std::array<SourceTable, 3> tables;
    };
    std::variant<ReadTables, BuildError> read(const QString& legacyFile) const;
    // Builds the new catalogue from tables read; the output stays as it was on any error.
    static std::variant<BuildSummary, BuildError> write(ReadTables read, const QString& outputFile);

    std::variant<BuildSummary, BuildError> run(const QString& legacyFile, const QString& outputFile) const;

    static const std::vector<std::string>& tableNames();

private:
    const TableSource& source_;
};

} // namespace airmotor::platform
