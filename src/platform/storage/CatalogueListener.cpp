#include "platform/storage/CatalogueListener.h"

#include "platform/storage/PostgresCatalogue.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace airmotor::platform {

CatalogueNotice ParseCatalogueNotice(const QString& payload) {
    const QJsonDocument document = QJsonDocument::fromJson(payload.toUtf8());
    if (!document.isObject())
        return {};
    const QJsonObject object = document.object();
    return {object.value(QStringLiteral("motor")).toString().toStdString(),
            object.value(QStringLiteral("user")).toString().toStdString()};
}

CatalogueListener::CatalogueListener(const core::CatalogueLocation& location, Handler onChange,
                                     std::chrono::milliseconds checkInterval)
    : location_(location), onChange_(std::move(onChange)), checkInterval_(checkInterval) {
    // A window's thread must not hang on a host that does not answer, unless the location asks for it.
    if (std::none_of(location_.options.begin(), location_.options.end(),
                     [](const auto& option) { return option.first == "connect_timeout"; }))
        location_.options.emplace_back("connect_timeout", std::to_string(kConnectSeconds));
    listen();
    checkTimer_.setInterval(checkInterval);
    QObject::connect(&checkTimer_, &QTimer::timeout, [this] { check(); });
    checkTimer_.start();
}

bool CatalogueListener::listen() {
    connection_.reset();
    connection_.emplace(location_);
    const QString channel = QString::fromLatin1(kCatalogueChannel);
    if (!connection_->open()) {
        problem_ = QStringLiteral("catalogue changes will not be heard: cannot connect: ") +
                   connection_->errorText();
        return false;
    }
    QSqlDriver* driver = connection_->database().driver();
    if (!driver->subscribeToNotification(channel)) {
        problem_ = QStringLiteral("catalogue changes will not be heard: cannot listen on %1: %2")
                       .arg(channel, driver->lastError().text());
        return false;
    }
    QObject::connect(driver, &QSqlDriver::notification, driver,
                     [this](const QString&, QSqlDriver::NotificationSource, const QVariant& payload) {
                         onChange_(ParseCatalogueNotice(payload.toString()));
                     });
    problem_.clear();
    return true;
}

void CatalogueListener::check() {
    if (problem_.isEmpty()) {
        // A query on the listening connection is the one way to learn that the server has gone.
        bool alive = false;
        {
            QSqlQuery query(connection_->database());
            alive = query.exec(QStringLiteral("SELECT 1"));
        }
        if (alive)
            return;
    }
    if (listen()) {
        checkTimer_.setInterval(checkInterval_);
        onChange_({});
    } else {
        checkTimer_.setInterval(std::min(checkTimer_.intervalAsDuration() * 2, kLongestInterval));
    }
}

} // namespace airmotor::platform
