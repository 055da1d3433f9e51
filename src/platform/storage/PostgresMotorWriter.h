#pragma once

#include "core/catalogue/CatalogueLocation.h"
#include "core/maintenance/MotorRecord.h"
#include "platform/storage/CatalogueStore.h"

#include <optional>
#include <string>
#include <variant>

namespace airmotor::platform {

// A replace refused because another save changed the row since it was loaded.
struct WriteConflict {
    std::string designation;
    std::string changedBy;
    std::string changedAt; // as the server words it, with its time zone
};

// Writes one motor record into the catalogue on a PostgreSQL server, one transaction per save:
// the row, a history entry with the old and the new row, and a notice on kCatalogueChannel. A
// replace changes the row only while it has the version this writer loaded; otherwise nothing is
// written and the message names who changed it and when. An add takes max(intKatalogindex) + 1
// under a table lock that only one adder holds at a time.
class PostgresMotorWriter final {
public:
    explicit PostgresMotorWriter(core::CatalogueLocation location);

    // The versions of the catalogue as loaded; each successful write updates its row's.
    void rememberLoaded(RowVersions versions) { versions_ = std::move(versions); }
    const RowVersions& loadedVersions() const { return versions_; }

    // The catalogue index written, or a message; on failure nothing changed.
    std::variant<int, std::string> write(const core::MotorRecord& record, const std::string& designation);
    // The conflict that refused the last write, for a window that words it in its own language.
    const std::optional<WriteConflict>& lastConflict() const { return conflict_; }

private:
    core::CatalogueLocation location_;
    std::optional<WriteConflict> conflict_;
    RowVersions versions_;
};

} // namespace airmotor::platform
