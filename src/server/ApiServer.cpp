#include "server/ApiServer.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpSocket>

#include <chrono>
#include <cstdio>
#include <memory>

namespace airmotor::server {
namespace {

using Method = QHttpServerRequest::Method;

qint64 NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QByteArray MethodName(Method method) {
    switch (method) {
    case Method::Get:
        return "GET";
    case Method::Post:
        return "POST";
    case Method::Head:
        return "HEAD";
    case Method::Put:
        return "PUT";
    case Method::Delete:
        return "DELETE";
    case Method::Options:
        return "OPTIONS";
    case Method::Patch:
        return "PATCH";
    default:
        return "OTHER";
    }
}

// The page loads its scripts and styles from this server only; nothing inline, no frames.
constexpr const char* kContentSecurityPolicy =
    "default-src 'self'; script-src 'self'; style-src 'self'; img-src 'self' data: blob:; "
    "connect-src 'self'; object-src 'none'; base-uri 'none'; form-action 'self'; frame-ancestors 'none'";

void Write(QHttpServerResponder& responder, const ApiAnswer& answer, const QByteArray& allow) {
    responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(answer.status));
    responder.writeHeader("Content-Type", answer.contentType);
    responder.writeHeader("Content-Length", QByteArray::number(answer.body.size()));
    responder.writeHeader("Content-Security-Policy", kContentSecurityPolicy);
    responder.writeHeader("X-Content-Type-Options", "nosniff");
    responder.writeHeader("Referrer-Policy", "no-referrer");
    responder.writeHeader("Cache-Control", "no-store");
    if (!allow.isEmpty())
        responder.writeHeader("Allow", allow);
    responder.writeBody(answer.body);
}

void Log(const QByteArray& method, const QString& path, int status, qint64 startedNs) {
    const QByteArray line = method + ' ' + path.toUtf8() + ' ' + QByteArray::number(status) + ' ' +
                            QByteArray::number((NowNs() - startedNs) / 1000) + "us\n";
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
}

QByteArray OpenApiDocument() {
    QFile file(QStringLiteral(":/api/openapi.json"));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

ApiServer::ApiServer(const CatalogueHolder& holder, int threads, QObject* parent)
    : QAbstractHttpServer(parent), holder_(holder), routes_(holder) {
    if (threads > 0)
        pool_.setMaxThreadCount(threads);
}

ApiServer::~ApiServer() {
    pool_.waitForDone();
}

void ApiServer::drain() {
    pool_.waitForDone();
}

bool ApiServer::takeRender(const QHostAddress& client) {
    const std::lock_guard lock(rendersMutex_);
    int& count = renders_[client.toString()];
    if (count >= kRendersPerClient)
        return false;
    ++count;
    return true;
}

void ApiServer::giveRender(const QHostAddress& client) {
    const std::lock_guard lock(rendersMutex_);
    const QString key = client.toString();
    if (--renders_[key] <= 0)
        renders_.remove(key);
}

void ApiServer::answer(const QHttpServerRequest& request, QTcpSocket* socket, const ApiAnswer& result,
                       qint64 startedNs) {
    QHttpServerResponder responder = makeResponder(request, socket);
    Write(responder, result, {});
    Log(MethodName(request.method()), request.url().path(), result.status, startedNs);
}

void ApiServer::runInPool(const QHttpServerRequest& request, QTcpSocket* socket, Work work, bool rendering) {
    const qint64 started = NowNs();
    const QHostAddress client = request.remoteAddress();
    if (rendering && !takeRender(client)) {
        answer(request, socket,
               ApiRoutes::Error(429, "too many drawings at once from this client; try again shortly"),
               started);
        return;
    }
    auto responder = std::make_shared<QHttpServerResponder>(makeResponder(request, socket));
    const QPointer<QTcpSocket> alive(socket);
    const QByteArray method = MethodName(request.method());
    const QString path = request.url().path();
    pool_.start([this, responder, alive, method, path, started, client, rendering, work = std::move(work)] {
        ApiAnswer result = work();
        QMetaObject::invokeMethod(
            this,
            [this, responder, alive, method, path, started, client, rendering, result = std::move(result)] {
                if (rendering)
                    giveRender(client);
                // A client that went away gets nothing; the work is done either way.
                if (alive)
                    Write(*responder, result, {});
                Log(method, path, alive ? result.status : 499, started);
            },
            Qt::QueuedConnection);
    });
}

bool ApiServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    const qint64 started = NowNs();
    const QString path = request.url().path();
    const Method method = request.method();
    const auto only = [&](Method wanted, const char* allowName) {
        if (method == wanted)
            return true;
        ApiAnswer refused = ApiRoutes::Error(405, std::string("this path takes ") + allowName + " only");
        QHttpServerResponder responder = makeResponder(request, socket);
        Write(responder, refused, allowName);
        Log(MethodName(method), path, 405, started);
        return false;
    };
    const auto now = [&](const ApiAnswer& result) { answer(request, socket, result, started); };
    const QByteArray body = request.body();

    if (!path.startsWith(QStringLiteral("/api/"))) {
        if (!only(Method::Get, "GET"))
            return true;
        // A page file by its name only: no folders, nothing from the request reaches the file system.
        const QString name = path == QStringLiteral("/") ? QStringLiteral("index.html") : path.mid(1);
        const auto served = holder_.current();
        const auto file = served->page.constFind(name);
        if (name.contains(QLatin1Char('/')) || file == served->page.constEnd())
            now(ApiRoutes::Error(404, "no such page"));
        else
            now(ApiAnswer{200, file->contentType, file->bytes});
        return true;
    }

    static const QRegularExpression motorPath(
        QStringLiteral("^/api/v1/motors/([0-9]{1,6})(/diagram\\.svg|/drawing\\.svg|/drawing\\.png)?$"));
    const QUrlQuery query = request.query();
    if (const QRegularExpressionMatch m = motorPath.match(path); m.hasMatch()) {
        if (!only(Method::Get, "GET"))
            return true;
        const int index = m.captured(1).toInt();
        const QString what = m.captured(2);
        if (what.isEmpty())
            runInPool(
                request, socket, [this, index, query] { return routes_.motor(index, query); }, false);
        else if (what == QStringLiteral("/diagram.svg"))
            runInPool(
                request, socket, [this, index, query] { return routes_.diagram(index, query); }, true);
        else
            runInPool(
                request, socket,
                [this, index, png = what.endsWith(QStringLiteral("png"))] {
                    return routes_.drawing(index, png ? "png" : "svg");
                },
                true);
        return true;
    }

    using Post = ApiAnswer (ApiRoutes::*)(const QByteArray&) const;
    struct PostRoute {
        const char* path;
        Post route;
        bool rendering;
    };
    static const PostRoute kPosts[] = {
        {"/api/v1/search", &ApiRoutes::search, false},
        {"/api/v1/list", &ApiRoutes::list, false},
        {"/api/v1/compare", &ApiRoutes::compare, false},
        {"/api/v1/datasheet.pdf", &ApiRoutes::datasheet, true},
        {"/api/v1/calculators/wagon", &ApiRoutes::wagon, false},
        {"/api/v1/calculators/rotating-mass", &ApiRoutes::rotatingMass, false},
    };
    for (const PostRoute& r : kPosts) {
        if (path != QLatin1String(r.path))
            continue;
        if (only(Method::Post, "POST"))
            runInPool(
                request, socket, [this, route = r.route, body] { return (routes_.*route)(body); },
                r.rendering);
        return true;
    }

    if (path == QStringLiteral("/api/v1/health")) {
        if (only(Method::Get, "GET"))
            now(routes_.health());
    } else if (path == QStringLiteral("/api/v1/texts")) {
        if (only(Method::Get, "GET"))
            now(routes_.texts(query));
    } else if (path == QStringLiteral("/api/v1/catalogue")) {
        if (only(Method::Get, "GET"))
            runInPool(
                request, socket, [this] { return routes_.catalogue(); }, false);
    } else if (path == QStringLiteral("/api/v1/openapi.json")) {
        if (only(Method::Get, "GET")) {
            static const QByteArray document = OpenApiDocument();
            now(ApiAnswer{200, "application/json", document});
        }
    } else {
        now(ApiRoutes::Error(404, "no such path"));
    }
    return true;
}

void ApiServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
    answer(request, socket, ApiRoutes::Error(404, "no such path"), NowNs());
}

} // namespace airmotor::server
