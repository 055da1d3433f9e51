#pragma once

#include <QTcpServer>

namespace airmotor::server {

// The listening socket with the limits a public server needs before HTTP parsing starts: a cap on
// open connections, a request body cap announced by Content-Length (413 before the body arrives),
// no chunked uploads (411: their size is not known in advance), and deadlines for slow and idle
// clients. Everything else goes on to the HTTP server unchanged.
class FrontDoor final : public QTcpServer {
    Q_OBJECT
public:
    struct Limits {
        int maxConnections = 1024;
        qint64 maxRequestBytes = 64 * 1024 + 16 * 1024; // body plus headers
        int requestMilliseconds = 10'000;               // from a request's first byte to its answer
        int idleMilliseconds = 30'000;                  // a kept-alive connection with nothing to do
    };
    explicit FrontDoor(Limits limits, QObject* parent = nullptr);

    int openConnections() const { return open_; }

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    Limits limits_;
    int open_ = 0;
};

} // namespace airmotor::server
