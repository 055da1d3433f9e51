#pragma once

#include "core/maintenance/MotorRecord.h"
#include "platform/storage/CatalogueStore.h"
#include "platform/storage/PostgresMotorWriter.h"

#include <QFile>
#include <QString>

#include <optional>
#include <string>
#include <variant>

namespace airmotor::platform {

// Writes the editor's motor records into tblMotordata: one transaction per save, bound parameters
// only, and a timestamped copy of the database beside it before the first write of the writer's life.
// Of those copies the newest kKeptBackups stay; the copy made for a save that failed is removed.
// A postgresql:// location goes to PostgresMotorWriter instead: no copies, history on the server.
class MotorDataWriter final {
public:
    explicit MotorDataWriter(QString databaseFile);
    const QString& databaseFile() const { return databaseFile_; }

    // The row versions of the catalogue the caller loaded (PostgreSQL only; a file has none).
    void rememberLoaded(RowVersions versions);
    RowVersions loadedVersions() const;

    // The catalogue index written, or a message naming the database; on failure nothing changed.
    // Replace updates the row of lowest intKatalogindex whose designation matches exactly; add takes
    // max(intKatalogindex) + 1, so it never collides with a row the catalogue did not load.
    std::variant<int, std::string> write(const core::MotorRecord& record, const std::string& designation);

    const QString& backupFile() const { return backup_; }
    // Why the last write to PostgreSQL was refused, when another save changed the row first.
    std::optional<WriteConflict> lastConflict() const {
        if (!postgres_)
            return std::nullopt;
        return postgres_->lastConflict();
    }

    static constexpr std::size_t kKeptBackups = 10;

private:
    std::string backupOnce(const QFile& database);
    void keepNewestBackups() const;

    QString databaseFile_;
    QString backup_;
    std::optional<PostgresMotorWriter> postgres_;
};

} // namespace airmotor::platform
