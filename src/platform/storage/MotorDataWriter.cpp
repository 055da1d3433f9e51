#include "platform/storage/MotorDataWriter.h"

#include "platform/files/AtomicFile.h"
#include "platform/storage/SqlFieldValue.h"
#include "platform/storage/SqliteConnection.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace airmotor::platform {
namespace {

std::string Named(const QString& file, const QString& what) {
    return (QDir::toNativeSeparators(file) + QStringLiteral(": ") + what).toStdString();
}

// NAME-backup-yyyyMMdd-HHmmss.SUFFIX, then -2, -3, ... for saves within the same second.
QString BackupName(const QFileInfo& database, const QString& stamp, int n) {
    return database.dir().filePath(database.completeBaseName() + QStringLiteral("-backup-") + stamp +
                                   (n > 1 ? QStringLiteral("-%1").arg(n) : QString()) + QStringLiteral(".") +
                                   database.suffix());
}

std::variant<int, QString> Replace(QSqlDatabase& db, const core::MotorRecord& record,
                                   const std::string& designation) {
    QSqlQuery find(db);
    find.prepare(
        QStringLiteral("SELECT intKatalogindex FROM tblMotordata WHERE strBenamning = ? COLLATE BINARY "
                       "ORDER BY intKatalogindex LIMIT 1"));
    find.addBindValue(QString::fromStdString(designation));
    if (!find.exec())
        return find.lastError().text();
    if (!find.next())
        return QString::fromUtf8(core::kDesignationNotFoundText);
    const int index = find.value(0).toInt();
    QStringList assignments;
    for (const auto& [name, value] : record.fields)
        assignments << QuotedName(name) + QStringLiteral(" = ?");
    QSqlQuery update(db);
    update.prepare(QStringLiteral("UPDATE tblMotordata SET ") + assignments.join(QStringLiteral(", ")) +
                   QStringLiteral(" WHERE intKatalogindex = ?"));
    for (const auto& [name, value] : record.fields)
        update.addBindValue(ToVariant(value));
    update.addBindValue(index);
    if (!update.exec())
        return update.lastError().text();
    return index;
}

std::variant<int, QString> Add(QSqlDatabase& db, const core::MotorRecord& record) {
    QSqlQuery next(db);
    if (!next.exec(QStringLiteral("SELECT COALESCE(MAX(intKatalogindex), 0) + 1 FROM tblMotordata")) ||
        !next.next())
        return next.lastError().text();
    const int index = next.value(0).toInt();
    QStringList names{QStringLiteral("intKatalogindex")};
    QStringList marks{QStringLiteral("?")};
    for (const auto& [name, value] : record.fields) {
        names << QuotedName(name);
        marks << QStringLiteral("?");
    }
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO tblMotordata (") + names.join(QStringLiteral(", ")) +
                   QStringLiteral(") VALUES (") + marks.join(QStringLiteral(", ")) + QStringLiteral(")"));
    insert.addBindValue(index);
    for (const auto& [name, value] : record.fields)
        insert.addBindValue(ToVariant(value));
    if (!insert.exec())
        return insert.lastError().text();
    return index;
}

} // namespace

MotorDataWriter::MotorDataWriter(QString databaseFile) : databaseFile_(std::move(databaseFile)) {
    auto location = core::ParseCatalogueLocation(databaseFile_.toStdString());
    if (auto* parsed = std::get_if<core::CatalogueLocation>(&location); parsed && parsed->isPostgres())
        postgres_.emplace(std::move(*parsed));
}

void MotorDataWriter::rememberLoaded(RowVersions versions) {
    if (postgres_)
        postgres_->rememberLoaded(std::move(versions));
}

RowVersions MotorDataWriter::loadedVersions() const {
    return postgres_ ? postgres_->loadedVersions() : RowVersions{};
}

std::string MotorDataWriter::backupOnce(const QFile& database) {
    if (!backup_.isEmpty())
        return {};
    const QFileInfo info(databaseFile_);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    auto copied = CopyToNewFile(database, [&](int n) { return BackupName(info, stamp, n); });
    if (auto* error = std::get_if<FileError>(&copied))
        return error->message + "; the backup copy failed, so nothing was saved";
    backup_ = std::get<QString>(copied);
    return {};
}

void MotorDataWriter::keepNewestBackups() const {
    const QFileInfo info(databaseFile_);
    const QRegularExpression pattern(QStringLiteral("^%1-backup-(\\d{8}-\\d{6})(?:-(\\d+))?\\.%2$")
                                         .arg(QRegularExpression::escape(info.completeBaseName()),
                                              QRegularExpression::escape(info.suffix())));
    std::vector<std::pair<std::pair<QString, int>, QString>> backups; // (stamp, number), name
    for (const QString& entry : info.dir().entryList(QDir::Files)) {
        const auto match = pattern.match(entry);
        if (match.hasMatch())
            backups.push_back(
                {{match.captured(1), match.captured(2).isEmpty() ? 1 : match.captured(2).toInt()}, entry});
    }
    std::sort(backups.begin(), backups.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t k = kKeptBackups; k < backups.size(); ++k)
        QFile::remove(info.dir().filePath(backups[k].second));
}

std::variant<int, std::string> MotorDataWriter::write(const core::MotorRecord& record,
                                                      const std::string& designation) {
    if (postgres_)
        return postgres_->write(record, designation);
    if (!QFileInfo(databaseFile_).isFile())
        return Named(databaseFile_, QStringLiteral("no such database file"));
    // Opened for the backup before the connection locks the file, and closed only after the
    // connection is gone: closing a descriptor of the file while SQLite holds its lock would drop
    // that lock, and another writer could then write under our feet.
    QFile database(databaseFile_);
    if (!database.open(QIODevice::ReadOnly))
        return Named(databaseFile_, QStringLiteral("cannot be read: ") + database.errorString());
    SqliteConnection connection(databaseFile_, SqliteConnection::Mode::ReadWriteExisting);
    if (!connection.open())
        return Named(databaseFile_, connection.errorText());
    const bool firstBackup = backup_.isEmpty();
    std::variant<int, std::string> result = 0;
    {
        QSqlDatabase db = connection.database();
        // The write lock is taken first, waiting for other writers up to the busy timeout: a
        // transaction that began by reading would be refused at its first write instead. Held, it
        // also keeps the file still while the backup is copied.
        QSqlQuery begin(db);
        if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return Named(databaseFile_, begin.lastError().text());
        if (std::string error = backupOnce(database); !error.empty()) {
            db.rollback();
            return error;
        }
        auto written =
            record.mode == core::SaveMode::Replace ? Replace(db, record, designation) : Add(db, record);
        if (const QString* error = std::get_if<QString>(&written)) {
            db.rollback();
            result = record.mode == core::SaveMode::Replace &&
                             *error == QString::fromUtf8(core::kDesignationNotFoundText)
                         ? error->toStdString()
                         : Named(databaseFile_, *error);
        } else if (!db.commit()) {
            result = Named(databaseFile_, db.lastError().text());
            db.rollback();
        } else {
            result = std::get<int>(written);
        }
    }
    if (std::holds_alternative<int>(result)) {
        keepNewestBackups();
    } else if (firstBackup && !backup_.isEmpty()) {
        // A copy of a catalogue that did not change is no backup of anything.
        QFile::remove(backup_);
        backup_.clear();
    }
    return result;
}

} // namespace airmotor::platform
