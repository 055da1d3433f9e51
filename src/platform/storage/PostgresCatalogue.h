#pragma once

#include "platform/storage/DatabaseBuilder.h"

#include <QString>

#include <string>
#include <variant>

namespace airmotor::platform {

// Every write to the catalogue notifies this channel in its transaction: a listener hears of it
// only once it is committed.
inline constexpr char kCatalogueChannel[] = "airmotor_catalogue";

struct SchemaSummary {
    int version = 0;
    bool created = false; // false: the database already had the current schema
};

// The catalogue schema on a PostgreSQL server and whole-catalogue copies between it and a
// database file. Each operation is one transaction: on any failure nothing is changed.
class PostgresCatalogue final {
public:
    // Creates or upgrades the schema to kPostgresSchemaVersion through the migration list.
    static std::variant<SchemaSummary, BuildError> init(const QString& url);
    // Replaces every row of the server's catalogue by the file's; the file must load.
    static std::variant<BuildSummary, BuildError> push(const QString& file, const QString& url);
    // Writes the server's catalogue into the file atomically, checked as make-database checks.
    static std::variant<BuildSummary, BuildError> pull(const QString& url, const QString& file);
};

} // namespace airmotor::platform
