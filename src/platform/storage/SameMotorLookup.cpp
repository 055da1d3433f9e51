#include "platform/storage/SameMotorLookup.h"

#include "core/catalogue/CatalogueLocation.h"
#include "platform/storage/PostgresConnection.h"
#include "platform/storage/SqliteConnection.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace airmotor::platform {
namespace {

// A field of the record as the database holds it: every number of the table is stored as a double.
std::optional<double> Number(const core::MotorRecord& record, const std::string& name) {
    const core::FieldValue* value = record.find(name);
    if (value == nullptr)
        return std::nullopt;
    if (const auto* i = std::get_if<std::int64_t>(value))
        return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(value))
        return *d;
    return std::nullopt;
}

} // namespace

std::variant<std::optional<int>, std::string>
FindSameMotor(const QString& databaseFile, const core::MotorRecord& record, const std::string& designation) {
    auto location = core::ParseCatalogueLocation(databaseFile.toStdString());
    const auto* parsed = std::get_if<core::CatalogueLocation>(&location);
    const bool postgres = parsed != nullptr && parsed->isPostgres();
    const std::string named =
        (postgres ? databaseFile : QDir::toNativeSeparators(databaseFile)).toStdString() + ": ";
    std::optional<SqliteConnection> file;
    std::optional<PostgresConnection> server;
    if (postgres)
        server.emplace(*parsed);
    else
        file.emplace(databaseFile, SqliteConnection::Mode::ReadOnly);
    if (postgres ? !server->open() : !file->open())
        return named + (postgres ? server->errorText() : file->errorText()).toStdString();
    const std::vector<std::string>& fields = core::CurveFieldNames();
    QStringList columns;
    for (const std::string& name : fields)
        columns << QStringLiteral("\"%1\"").arg(QString::fromStdString(name));
    std::optional<int> found;
    {
        QSqlQuery query(postgres ? server->database() : file->database());
        query.setForwardOnly(true);
        // On PostgreSQL = under a deterministic collation is byte equality, as BINARY is here.
        query.prepare(QStringLiteral("SELECT \"intKatalogindex\", ") + columns.join(QStringLiteral(", ")) +
                      QStringLiteral(" FROM \"tblMotordata\" WHERE \"strBenamning\" = ?") +
                      (postgres ? QString() : QStringLiteral(" COLLATE BINARY")) +
                      QStringLiteral(" ORDER BY \"intKatalogindex\""));
        query.addBindValue(QString::fromStdString(designation));
        if (!query.exec())
            return named + query.lastError().text().toStdString();
        while (!found && query.next()) {
            bool same = true;
            for (std::size_t k = 0; k < fields.size() && same; ++k) {
                const QVariant stored = query.value(static_cast<int>(k) + 1);
                bool ok = false;
                const double value = stored.toDouble(&ok);
                same = ok && !stored.isNull() && Number(record, fields[k]) == value;
            }
            if (same)
                found = query.value(0).toInt();
        }
        if (query.lastError().isValid())
            return named + query.lastError().text().toStdString();
    }
    return found;
}

} // namespace airmotor::platform
