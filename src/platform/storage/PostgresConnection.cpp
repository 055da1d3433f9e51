#include "platform/storage/PostgresConnection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>

namespace airmotor::platform {

PostgresConnection::PostgresConnection(const core::CatalogueLocation& location)
    : name_(QStringLiteral("airmotor-pg-") + QUuid::createUuid().toString(QUuid::WithoutBraces)),
      location_(location) {}

PostgresConnection::~PostgresConnection() {
    if (QSqlDatabase::contains(name_)) {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
}

bool PostgresConnection::open() {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        error_ =
            QStringLiteral("the PostgreSQL driver QPSQL of Qt is not installed (package libqt6sql6-psql)");
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
    db.setHostName(QString::fromStdString(location_.host));
    if (location_.port)
        db.setPort(*location_.port);
    db.setDatabaseName(QString::fromStdString(location_.database));
    db.setUserName(QString::fromStdString(location_.user));
    QStringList options;
    bool timeoutGiven = false;
    for (const auto& [key, value] : location_.options) {
        options << QString::fromStdString(key + "=" + value);
        timeoutGiven = timeoutGiven || key == "connect_timeout";
    }
    if (!timeoutGiven)
        options << QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutSeconds);
    db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!db.open()) {
        error_ = PostgresErrorText(db.lastError().databaseText().isEmpty() ? db.lastError().text()
                                                                           : db.lastError().databaseText());
        return false;
    }
    // Notices ("already exists, skipping") would go to stderr past the program's own messages.
    QSqlQuery quiet(db);
    quiet.exec(QStringLiteral("SET client_min_messages TO warning"));
    return true;
}

QSqlDatabase PostgresConnection::database() const {
    return QSqlDatabase::database(name_, false);
}

QString PostgresErrorText(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        lines << line.trimmed();
    return lines.join(QStringLiteral("; "));
}

} // namespace airmotor::platform
