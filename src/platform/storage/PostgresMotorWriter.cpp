#include "platform/storage/PostgresMotorWriter.h"

#include "platform/storage/PostgresCatalogue.h"
#include "platform/storage/PostgresConnection.h"
#include "platform/storage/SqlFieldValue.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace airmotor::platform {
namespace {

// Runs one statement with bound values; the server's reason in one line when it fails.
std::optional<std::string> Run(QSqlQuery& q, const QString& sql, const QVariantList& values = {}) {
    q.setForwardOnly(true);
    // The driver prepares with PREPARE, which takes no LOCK: a statement without values runs as it is.
    bool ok = values.isEmpty() ? q.exec(sql) : q.prepare(sql);
    for (const QVariant& v : values)
        q.addBindValue(v);
    ok = ok && (values.isEmpty() || q.exec());
    if (ok)
        return std::nullopt;
    const QString text =
        q.lastError().databaseText().isEmpty() ? q.lastError().text() : q.lastError().databaseText();
    return PostgresErrorText(text).toStdString();
}

// The row as the history keeps it, and its version after the write.
struct Written {
    std::int64_t version = 0;
    QString row;
};

} // namespace

PostgresMotorWriter::PostgresMotorWriter(core::CatalogueLocation location) : location_(std::move(location)) {}

std::variant<int, std::string> PostgresMotorWriter::write(const core::MotorRecord& record,
                                                          const std::string& designation) {
    const auto fail = [this](const std::string& what) { return location_.text + ": " + what; };
    const auto unwritten = [&fail](const std::string& what) { return fail(what + "; nothing was written"); };
    conflict_.reset();
    PostgresConnection connection(location_);
    if (!connection.open())
        return fail("cannot connect: " + connection.errorText().toStdString());
    QSqlDatabase db = connection.database();
    if (!db.transaction())
        return unwritten("cannot start a transaction: " +
                         PostgresErrorText(db.lastError().text()).toStdString());
    // Rolled back on every way out but the commit; a lost connection rolls back on the server.
    struct Rollback {
        QSqlDatabase& db;
        bool open = true;
        ~Rollback() {
            if (open)
                db.rollback();
        }
    } rollback{db};

    QSqlQuery q(db);
    if (auto error = Run(q, QStringLiteral("SELECT max(version) FROM schema_version")))
        return unwritten(*error + " (create the catalogue with airmotor-cli catalogue init)");
    const int schema = q.next() ? q.value(0).toInt() : 0;
    if (schema < kPostgresSchemaVersion)
        return unwritten("the catalogue schema has version " + std::to_string(schema) +
                         ", writing needs version " + std::to_string(kPostgresSchemaVersion) +
                         "; upgrade it with airmotor-cli catalogue init");
    if (schema > kPostgresSchemaVersion)
        return unwritten("the catalogue schema has version " + std::to_string(schema) +
                         ", newer than this program knows (" + std::to_string(kPostgresSchemaVersion) +
                         "); use a newer version of the program");

    int index = 0;
    QVariant oldRow(QMetaType::fromType<QString>());
    Written written;
    if (record.mode == core::SaveMode::Replace) {
        // The row is locked from here: a save that comes later waits and then sees this one's version.
        if (auto error = Run(q,
                             QStringLiteral("SELECT \"intKatalogindex\", changed_by, "
                                            "to_char(changed_at, 'YYYY-MM-DD HH24:MI TZ'), to_jsonb(m)::text "
                                            "FROM \"tblMotordata\" m WHERE \"strBenamning\" = ? "
                                            "ORDER BY \"intKatalogindex\" LIMIT 1 FOR UPDATE"),
                             {QString::fromStdString(designation)}))
            return unwritten(*error);
        if (!q.next())
            return std::string(core::kDesignationNotFoundText);
        index = q.value(0).toInt();
        const std::string changedBy = q.value(1).toString().toStdString();
        const std::string changedAt = q.value(2).toString().toStdString();
        oldRow = q.value(3);
        // No version loaded for the row (it came after the load): no version matches.
        const auto loaded = versions_.find(index);
        const qlonglong expected = loaded == versions_.end() ? -1 : loaded->second;
        QStringList assignments;
        QVariantList values;
        for (const auto& [name, value] : record.fields) {
            assignments << QuotedName(name) + QStringLiteral(" = ?");
            values << ToVariant(value);
        }
        values << index << expected;
        if (auto error = Run(q,
                             QStringLiteral("UPDATE \"tblMotordata\" AS m SET ") +
                                 assignments.join(QStringLiteral(", ")) +
                                 QStringLiteral(", row_version = nextval('motor_row_version'), "
                                                "changed_by = session_user, changed_at = now() "
                                                "WHERE \"intKatalogindex\" = ? AND row_version = ? "
                                                "RETURNING row_version, to_jsonb(m)::text"),
                             values))
            return unwritten(*error);
        if (!q.next()) {
            conflict_ = WriteConflict{designation, changedBy, changedAt};
            return designation + " was changed by " + changedBy + " at " + changedAt +
                   " since it was loaded; nothing was written. Reload the catalogue and save again.";
        }
        written = {q.value(0).toLongLong(), q.value(1).toString()};
    } else {
        // Held to the commit and taken by one transaction at a time: two adds never read the same
        // maximum. Readers are not held up.
        if (auto error = Run(q, QStringLiteral("LOCK TABLE \"tblMotordata\" IN SHARE ROW EXCLUSIVE MODE")))
            return unwritten(*error);
        if (auto error = Run(
                q, QStringLiteral("SELECT COALESCE(MAX(\"intKatalogindex\"), 0) + 1 FROM \"tblMotordata\"")))
            return unwritten(*error);
        index = q.next() ? q.value(0).toInt() : 1;
        QStringList names{QStringLiteral("\"intKatalogindex\"")};
        QStringList marks{QStringLiteral("?")};
        QVariantList values{index};
        for (const auto& [name, value] : record.fields) {
            names << QuotedName(name);
            marks << QStringLiteral("?");
            values << ToVariant(value);
        }
        if (auto error =
                Run(q,
                    QStringLiteral("INSERT INTO \"tblMotordata\" AS m (") + names.join(QStringLiteral(", ")) +
                        QStringLiteral(") VALUES (") + marks.join(QStringLiteral(", ")) +
                        QStringLiteral(") RETURNING row_version, to_jsonb(m)::text"),
                    values))
            return unwritten(*error);
        if (!q.next())
            return unwritten("the new row was not returned");
        written = {q.value(0).toLongLong(), q.value(1).toString()};
    }
    if (auto error =
            Run(q,
                QStringLiteral("INSERT INTO motor_history (\"strBenamning\", \"intKatalogindex\", old_row, "
                               "new_row) VALUES (?, ?, CAST(? AS jsonb), CAST(? AS jsonb))"),
                {QString::fromStdString(designation), index, oldRow, written.row}))
        return unwritten(*error);
    // The listeners tell their users which motor changed and who changed it.
    if (auto error = Run(q,
                         QStringLiteral("SELECT pg_notify(?, json_build_object('motor', CAST(? AS text), "
                                        "'user', session_user)::text)"),
                         {QString::fromLatin1(kCatalogueChannel), QString::fromStdString(designation)}))
        return unwritten(*error);
    rollback.open = false;
    if (!db.commit())
        return fail("the commit failed (" + PostgresErrorText(db.lastError().text()).toStdString() +
                    "); reload the catalogue to see whether the save arrived");
    versions_[index] = written.version;
    return index;
}

} // namespace airmotor::platform
