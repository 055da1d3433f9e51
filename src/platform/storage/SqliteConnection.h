#pragma once

#include <QSqlDatabase>
#include <QString>

#include <functional>

namespace airmotor::platform {

// One short-lived, uniquely named QSQLITE connection. The connection is removed from Qt's
// registry on destruction, after the QSqlDatabase handle the caller used has gone.
class SqliteConnection final {
public:
    // ReadWriteExisting never creates a missing file: for rolling back an interrupted write.
    enum class Mode { ReadOnly, ReadWrite, ReadWriteExisting };

    SqliteConnection(const QString& file, Mode mode);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // false when the driver is missing or the file cannot be opened; see errorText().
    bool open();
    QSqlDatabase database() const;
    QString errorText() const { return error_; }

    static constexpr int kBusyTimeoutMs = 10000;

private:
    QString name_;
    QString file_;
    Mode mode_;
    QString error_;
};

} // namespace airmotor::platform
