#pragma once

#include <QString>

#include <optional>
#include <string>

namespace airmotor::platform {

// The local copy of a PostgreSQL catalogue, a database file in the user's cache folder: what the
// desktop reads, read-only, while the server cannot be reached. One file per location, so that a
// copy never stands in for another catalogue.
class CatalogueCache final {
public:
    // The user's cache folder.
    CatalogueCache();
    // Copies kept elsewhere (tests).
    explicit CatalogueCache(QString folder);

    QString fileFor(const QString& location) const;
    // Replaces the copy of `location` by the server's catalogue in one atomic write; a message naming
    // the copy and the fault when it could not be written (the old copy then stays).
    std::optional<std::string> refresh(const QString& location) const;

private:
    QString folder_;
};

} // namespace airmotor::platform
