#include "platform/storage/SqliteConnection.h"

#include <QSqlError>
#include <QUrl>
#include <QUuid>

namespace airmotor::platform {

SqliteConnection::SqliteConnection(const QString& file, Mode mode)
    : name_(QStringLiteral("airmotor-") + QUuid::createUuid().toString(QUuid::WithoutBraces)), file_(file),
      mode_(mode) {}

SqliteConnection::~SqliteConnection() {
    if (QSqlDatabase::contains(name_)) {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
}

bool SqliteConnection::open() {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        error_ = QStringLiteral("the SQLite driver QSQLITE of Qt is not installed");
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(file_);
    // Another program's transaction is waited for this long before "database is locked".
    const QString wait = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    if (mode_ == Mode::ReadOnly) {
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;") + wait);
    } else if (mode_ == Mode::ReadWriteExisting) {
        // The driver always adds "create"; a URI with mode=rw takes it back.
        db.setDatabaseName(QUrl::fromLocalFile(file_).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=rw"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;") + wait);
    } else {
        db.setConnectOptions(wait);
    }
    if (!db.open()) {
        error_ = db.lastError().text();
        return false;
    }
    return true;
}

QSqlDatabase SqliteConnection::database() const {
    return QSqlDatabase::database(name_, false);
}

} // namespace airmotor::platform
