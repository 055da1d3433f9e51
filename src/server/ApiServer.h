#pragma once

#include "server/ApiRoutes.h"
#include "server/ServedCatalogue.h"

#include <QAbstractHttpServer>
#include <QHash>
#include <QHostAddress>
#include <QThreadPool>

#include <functional>
#include <mutex>

namespace airmotor::server {

// HTTP in front of the API's routes: dispatch by method and path, the searches and drawings on a
// thread pool (the event loop only parses and writes), the security headers on every answer, a cap
// on concurrent drawings per client and one log line per request.
class ApiServer final : public QAbstractHttpServer {
    Q_OBJECT
public:
    static constexpr int kRendersPerClient = 4;

    ApiServer(const CatalogueHolder& holder, int threads, QObject* parent = nullptr);
    ~ApiServer() override;

    // Lets the requests in flight finish (answers are written as their work completes).
    void drain();

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    using Work = std::function<ApiAnswer()>;
    void answer(const QHttpServerRequest& request, QTcpSocket* socket, const ApiAnswer& answer,
                qint64 startedNs);
    void runInPool(const QHttpServerRequest& request, QTcpSocket* socket, Work work, bool rendering);
    bool takeRender(const QHostAddress& client);
    void giveRender(const QHostAddress& client);

    const CatalogueHolder& holder_;
    ApiRoutes routes_;
    QThreadPool pool_;
    std::mutex rendersMutex_;
    QHash<QString, int> renders_; // by client address
};

} // namespace airmotor::server
