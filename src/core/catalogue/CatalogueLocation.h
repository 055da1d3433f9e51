#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace airmotor::core {

// Where the catalogue is: a database file, or a PostgreSQL server named by a libpq URL
// (postgresql://user@host:port/db?sslmode=verify-full, or postgresql:///db?host=/socket/dir).
// A password is never part of a location: it would be stored in settings and shown in messages,
// so libpq takes it from ~/.pgpass or PGPASSWORD.
struct CatalogueLocation {
    enum class Kind { File, Postgres };
    Kind kind = Kind::File;
    std::string text; // as given: the name used in every message about the catalogue
    std::string file; // File only
    // Postgres only, percent-decoded; empty host or user and no port leave libpq's defaults.
    std::string host; // a name, an address or a Unix socket folder (starts with '/')
    std::optional<int> port;
    std::string database;
    std::string user;
    std::vector<std::pair<std::string, std::string>> options; // sslmode and the other parameters

    bool isPostgres() const { return kind == Kind::Postgres; }
};

struct LocationError {
    std::string message;   // names the location and what is wrong with it
    bool password = false; // the fault is a password in the URL: a window words it in its own language
};

// A text starting with postgresql:// or postgres:// is a URL, anything else a file name.
std::variant<CatalogueLocation, LocationError> ParseCatalogueLocation(const std::string& text);

} // namespace airmotor::core
