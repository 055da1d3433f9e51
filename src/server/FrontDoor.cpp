#include "server/FrontDoor.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace airmotor::server {
namespace {

// Answers and closes: the HTTP server never sees the request.
void Refuse(QTcpSocket* socket, const char* statusLine) {
    socket->readAll();
    const QByteArray body = QByteArray("{\"error\":\"") + (statusLine + 4) + "\"}\n";
    socket->write(QByteArray("HTTP/1.1 ") + statusLine +
                  "\r\nContent-Type: application/json\r\nConnection: close\r\nContent-Length: " +
                  QByteArray::number(body.size()) + "\r\n\r\n" + body);
    socket->disconnectFromHost();
}

// The Content-Length of the request head at the start of the buffered bytes, -1 when none is given
// yet. Only a request's head is looked at: its body may hold any bytes.
qint64 AnnouncedLength(const QByteArray& head, bool* chunked) {
    const QByteArray lower = head.toLower();
    *chunked = lower.contains("\r\ntransfer-encoding:") && lower.contains("chunked");
    const qsizetype at = lower.indexOf("\r\ncontent-length:");
    if (at < 0)
        return -1;
    const qsizetype end = lower.indexOf("\r\n", at + 2);
    bool ok = false;
    const qint64 length = lower.mid(at + 17, end < 0 ? -1 : end - at - 17).trimmed().toLongLong(&ok);
    return ok ? length : -1;
}

} // namespace

FrontDoor::FrontDoor(Limits limits, QObject* parent) : QTcpServer(parent), limits_(limits) {}

void FrontDoor::incomingConnection(qintptr descriptor) {
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    if (open_ >= limits_.maxConnections) {
        Refuse(socket, "503 Service Unavailable");
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        return;
    }
    ++open_;
    connect(socket, &QObject::destroyed, this, [this] { --open_; });

    // Bytes since the last answer: a request's head and body together stay under the cap.
    auto received = std::make_shared<qint64>(0);
    auto* deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, socket, [socket] { socket->abort(); });
    deadline->start(limits_.idleMilliseconds);

    // Connected before the HTTP server's own handler, so it runs first and may refuse the request.
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received, deadline] {
        const qint64 available = socket->bytesAvailable();
        if (*received == 0) {
            deadline->start(limits_.requestMilliseconds);
            bool chunked = false;
            const QByteArray head = socket->peek(std::min<qint64>(available, 16 * 1024));
            const qsizetype headEnd = head.indexOf("\r\n\r\n");
            const qint64 length = AnnouncedLength(headEnd < 0 ? head : head.left(headEnd + 2), &chunked);
            if (chunked) {
                Refuse(socket, "411 Length Required");
                return;
            }
            if (length > limits_.maxRequestBytes - 16 * 1024) {
                Refuse(socket, "413 Content Too Large");
                return;
            }
        }
        *received += available;
        if (*received > limits_.maxRequestBytes)
            Refuse(socket, "413 Content Too Large");
    });
    connect(socket, &QTcpSocket::bytesWritten, socket, [this, received, deadline] {
        *received = 0;
        deadline->start(limits_.idleMilliseconds);
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    addPendingConnection(socket);
}

} // namespace airmotor::server
