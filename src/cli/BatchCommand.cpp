#include "cli/BatchCommand.h"

#include "server/ApiRequest.h"
#include "server/ApiRoutes.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>

#include <iostream>
#include <string>

namespace airmotor::cli {
namespace {

// A line longer than an API body is refused as the server refuses it.
constexpr std::size_t kMaxLineBytes = 64 * 1024;

server::ApiAnswer Answer(const server::ApiRoutes& routes, const std::string& line) {
    if (line.size() > kMaxLineBytes)
        return server::ApiRoutes::Error(413, "the request line is larger than 64 KiB");
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return server::ApiRoutes::Error(400, "the line is not a JSON object");
    QJsonObject body = document.object();
    const QString op = body.take(QStringLiteral("op")).toString();
    const QByteArray rest = QJsonDocument(body).toJson(QJsonDocument::Compact);
    if (op == QStringLiteral("search"))
        return routes.search(rest);
    if (op == QStringLiteral("list"))
        return routes.list(rest);
    if (op == QStringLiteral("compare"))
        return routes.compare(rest);
    if (op == QStringLiteral("wagon"))
        return routes.wagon(rest);
    if (op == QStringLiteral("rotating-mass"))
        return routes.rotatingMass(rest);
    if (op == QStringLiteral("motor") || op == QStringLiteral("texts")) {
        // These take query items on the web; here the same names as fields.
        QUrlQuery query;
        for (auto it = body.begin(); it != body.end(); ++it)
            if (it.key() != QStringLiteral("index"))
                query.addQueryItem(it.key(),
                                   it.value().isDouble()
                                       ? QString::fromStdString(server::PlainNumber(it.value().toDouble()))
                                       : it.value().toString());
        if (op == QStringLiteral("texts"))
            return routes.texts(query);
        return routes.motor(body.value(QStringLiteral("index")).toInt(-1), query);
    }
    if (op == QStringLiteral("catalogue"))
        return routes.catalogue();
    return server::ApiRoutes::Error(
        400, "unknown op \"" + op.toStdString() +
                 "\" (search, list, compare, wagon, rotating-mass, motor, texts or catalogue)");
}

} // namespace

int RunBatch(const CliContext& ctx, std::istream& in, std::ostream& out) {
    const server::CatalogueHolder holder(server::ServedCatalogue::Load(
        ctx.folder.string(),
        ctx.catalogueLocation.empty() ? std::nullopt : std::optional<std::string>(ctx.catalogueLocation),
        std::string()));
    const server::ApiRoutes routes(holder);
    for (std::string line; std::getline(in, line);) {
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        const server::ApiAnswer answer = Answer(routes, line);
        std::string body = answer.body.toStdString();
        while (!body.empty() && body.back() == '\n')
            body.pop_back();
        // One answer a line, written as it is ready: a long list shows its progress.
        out << body << '\n' << std::flush;
    }
    return 0;
}

int RunBatchCommand(CliContext& ctx, const CommandArgs& args) {
    if (!args.empty())
        throw UsageError("batch: takes no options, it reads its requests from the standard input");
    // Straight to the standard output, unlike the other commands: answers stream as they are ready.
    return RunBatch(ctx, std::cin, std::cout);
}

} // namespace airmotor::cli
