#include "platform/MotorDataWriter.h"

#include "platform/SqliteConnection.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace airmotor::platform {
namespace {

std::string Named(const QString& file, const QString& what) {
    return (QDir::toNativeSeparators(file) + QStringLiteral(": ") + what).toStdString();
}

QVariant ToVariant(const core::FieldValue& value) {
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return QVariant(static_cast<qlonglong>(*i));
    if (const auto* d = std::get_if<double>(&value))
        return QVariant(*d);
    return QVariant(QString::fromStdString(std::get<std::string>(value)));
}

// Column names come from the record, which only ever holds names of the fixed table layout.
QString Quoted(const std::string& name) {
    return QStringLiteral("\"") + QString::fromStdString(name) + QStringLiteral("\"");
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
        assignments << Quoted(name) + QStringLiteral(" = ?");
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
        names << Quoted(name);
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

MotorDataWriter::MotorDataWriter(QString databaseFile) : databaseFile_(std::move(databaseFile)) {}

std::string MotorDataWriter::backupOnce() {
    if (!backup_.isEmpty())
        return {};
    const QFileInfo info(databaseFile_);
    if (!info.isFile())
        return Named(databaseFile_, QStringLiteral("no such database file"));
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = info.dir().filePath(info.completeBaseName() + QStringLiteral("-backup-") + stamp +
                                         QStringLiteral(".") + info.suffix());
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = info.dir().filePath(info.completeBaseName() + QStringLiteral("-backup-") + stamp +
                                     QStringLiteral("-%1.").arg(n) + info.suffix());
    if (!QFile::copy(databaseFile_, target))
        return Named(target, QStringLiteral("the backup copy cannot be written; nothing was saved"));
    backup_ = target;
    return {};
}

std::variant<int, std::string> MotorDataWriter::write(const core::MotorRecord& record,
                                                      const std::string& designation) {
    if (std::string error = backupOnce(); !error.empty())
        return error;
    SqliteConnection connection(databaseFile_, SqliteConnection::Mode::ReadWrite);
    if (!connection.open())
        return Named(databaseFile_, connection.errorText());
    std::variant<int, std::string> result = 0;
    {
        QSqlDatabase db = connection.database();
        if (!db.transaction())
            return Named(databaseFile_, db.lastError().text());
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
    return result;
}

} // namespace airmotor::platform
