#pragma once

#include "core/catalogue/CatalogueLocation.h"

#include <QSqlDatabase>
#include <QString>

namespace airmotor::platform {

// One short-lived, uniquely named QPSQL connection (a Qt connection belongs to one thread). The
// password comes from libpq's own sources, ~/.pgpass or PGPASSWORD; it is never set here.
class PostgresConnection final {
public:
    explicit PostgresConnection(const core::CatalogueLocation& location);
    ~PostgresConnection();
    PostgresConnection(const PostgresConnection&) = delete;
    PostgresConnection& operator=(const PostgresConnection&) = delete;

    // false when the driver is missing or the server refuses; see errorText().
    bool open();
    QSqlDatabase database() const;
    QString errorText() const { return error_; }

    // Seconds libpq waits for an unreachable server unless the location says otherwise.
    static constexpr int kConnectTimeoutSeconds = 10;

private:
    QString name_;
    core::CatalogueLocation location_;
    QString error_;
};

// The server's message in one line, without the driver's "QPSQL: Unable to connect" prefix.
QString PostgresErrorText(const QString& text);

} // namespace airmotor::platform
