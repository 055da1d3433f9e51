#include "platform/storage/MotorHistory.h"

#include "core/catalogue/CatalogueLocation.h"
#include "platform/storage/PostgresConnection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace airmotor::platform {

std::variant<std::vector<HistoryEntry>, std::string> MotorHistory::read(const QString& location,
                                                                        const std::string& designation) {
    const std::string name = location.toStdString();
    auto parsed = core::ParseCatalogueLocation(name);
    if (auto* error = std::get_if<core::LocationError>(&parsed))
        return error->message;
    const auto& where = std::get<core::CatalogueLocation>(parsed);
    if (!where.isPostgres())
        return name +
               ": history is kept only in a catalogue on PostgreSQL (a database file keeps backup copies)";
    PostgresConnection connection(where);
    if (!connection.open())
        return name + ": cannot connect: " + connection.errorText().toStdString();
    QSqlQuery q(connection.database());
    q.setForwardOnly(true);
    // The id breaks ties: two writes in one second keep their order.
    q.prepare(QStringLiteral("SELECT \"intKatalogindex\", changed_by, "
                             "to_char(changed_at AT TIME ZONE 'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS\"Z\"'), "
                             "coalesce(old_row::text, ''), new_row::text FROM motor_history "
                             "WHERE \"strBenamning\" = ? ORDER BY changed_at DESC, id DESC"));
    q.addBindValue(QString::fromStdString(designation));
    if (!q.exec())
        return name +
               ": cannot read the history: " + PostgresErrorText(q.lastError().databaseText()).toStdString() +
               " (a catalogue schema before version 2 keeps none; upgrade it with airmotor-cli catalogue "
               "init)";
    std::vector<HistoryEntry> entries;
    while (q.next())
        entries.push_back({q.value(0).toLongLong(), q.value(1).toString().toStdString(),
                           q.value(2).toString().toStdString(), q.value(3).toString().toStdString(),
                           q.value(4).toString().toStdString()});
    return entries;
}

} // namespace airmotor::platform
