#pragma once

#include "core/catalogue/TableSchema.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace airmotor::platform {

struct BuildSummary {
    int motors = 0;
    int texts = 0;
    int imperialTexts = 0;
};

struct BuildError {
    std::string message; // "file:line: what is wrong" for a bad source record
};

// One cell of a source table before the schema's checks: Null, a text (as a CSV field gives it)
// or a typed value (as a database gives it; booleans as whole numbers).
using SourceCell = std::variant<std::monostate, std::string, std::int64_t, double>;

// A source table in schema column order. `where` names a row and one of its columns in messages,
// "file:line: field NAME" or "file:table:row:NAME"; a message is where(...) + ": " + the fault.
struct SourceTable {
    std::vector<std::vector<SourceCell>> rows;
    std::function<std::string(std::size_t row, std::string_view column)> where;
};

struct BuildSources {
    SourceTable motors;        // tblMotordata
    SourceTable texts;         // tblLanguage
    SourceTable imperialTexts; // tblImperialUnits
};

// Builds a catalogue database from the reviewable sources of a data folder: motors.csv (all
// tblMotordata columns in schema order), texts.csv (intKey and the five language columns) and
// imperial.csv (intKey, strText). Every source is checked before anything is written, motor rows
// by the catalogue's own load rules; the new database is written into a temporary file beside the
// output (OUT.tmp-PID, leftovers of killed builds are removed), loaded back as the program loads it
// and renamed over the output, so the output is either the complete new database or left
// untouched. An output that exists and is not a regular file is never replaced.
class DatabaseBuilder final {
public:
    static std::variant<BuildSummary, BuildError> build(const QString& dataFolder, const QString& outputFile);
    // The same checks and the same atomic write for tables from another source. Every row must
    // have exactly the schema's columns.
    static std::variant<BuildSummary, BuildError> build(const BuildSources& sources,
                                                        const QString& outputFile);

    static const core::TableDef& textTable();     // tblLanguage
    static const core::TableDef& imperialTable(); // tblImperialUnits

    // The schema of Zevodida.db, one CREATE TABLE statement per element.
    static const std::vector<std::string>& schema();
};

} // namespace airmotor::platform
