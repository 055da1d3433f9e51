#pragma once

#include "server/ServedCatalogue.h"

#include <QByteArray>
#include <QUrlQuery>

namespace airmotor::server {

// One answer of the API before HTTP: status, type and body.
struct ApiAnswer {
    int status = 200;
    QByteArray contentType = "application/json";
    QByteArray body;
};

// The API's answers, computed from one catalogue snapshot with one session per request: the same
// commands as airmotor-cli, so the figures agree to the last digit. Thread-safe (nothing mutable is
// shared); every failure is an answer with a status, never an exception.
class ApiRoutes final {
public:
    explicit ApiRoutes(const CatalogueHolder& holder) : holder_(holder) {}

    ApiAnswer search(const QByteArray& body) const;
    ApiAnswer list(const QByteArray& body) const;
    ApiAnswer motor(int index, const QUrlQuery& query) const;
    ApiAnswer diagram(int index, const QUrlQuery& query) const;
    ApiAnswer drawing(int index, const QByteArray& format) const;
    ApiAnswer datasheet(const QByteArray& body) const;
    ApiAnswer compare(const QByteArray& body) const;
    ApiAnswer wagon(const QByteArray& body) const;
    ApiAnswer rotatingMass(const QByteArray& body) const;
    ApiAnswer texts(const QUrlQuery& query) const;
    ApiAnswer catalogue() const;
    ApiAnswer health() const;

    // {"error": message} with the status.
    static ApiAnswer Error(int status, const std::string& message);

private:
    const CatalogueHolder& holder_;
};

} // namespace airmotor::server
