#include "cli/CliContext.h"
#include "core/common/ProgramVersion.h"
#include "server/ApiServer.h"
#include "server/CatalogueWatcher.h"
#include "server/FrontDoor.h"
#include "server/ServedCatalogue.h"
#include "server/ServerOptions.h"

#include <QGuiApplication>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <iostream>
#include <locale>
#include <sys/socket.h>
#include <unistd.h>

using namespace airmotor::server;

namespace {

// SIGTERM and SIGINT reach the event loop through a socket pair: a signal handler may only write.
int gSignalPipe[2] = {-1, -1}; // NOLINT: written by the signal handler, read once by the loop

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(gSignalPipe[0], &byte, 1);
}

void Say(const std::string& line) {
    std::cerr << "airmotor-server: " << line << '\n' << std::flush;
}

} // namespace

int main(int argc, char** argv) {
    ServerOptions options;
    try {
        options = ServerOptions::Parse(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const ServerUsageError& e) {
        Say(std::string(e.what()) +
            "; usage: airmotor-server [--folder DIR] [--listen HOST:PORT] [--threads N]");
        return 2;
    }
    if (options.help) {
        std::cout << ServerHelpText() << std::flush;
        return 0;
    }
    if (options.version) {
        std::cout << airmotor::core::VersionBanner("airmotor-server") << std::flush;
        return 0;
    }
    // Diagrams and drawings paint text and need fonts: a GUI application that never shows a window.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            Say(text.toStdString());
    });
    QGuiApplication app(argc, argv);
    // Figures go out with '.', whatever the host's locale says.
    std::locale::global(std::locale::classic());

    const std::string programDir = QCoreApplication::applicationDirPath().toStdString();
    std::shared_ptr<const ServedCatalogue> first;
    try {
        first = ServedCatalogue::Load(options.folder, options.catalogue, programDir);
    } catch (const std::exception& e) {
        Say(e.what());
        return 1;
    }
    for (const std::string& warning : first->folder.warnings)
        Say("warning: " + warning);
    CatalogueHolder holder(first);
    CatalogueWatcher watcher(holder, options.folder, options.catalogue, programDir);
    QObject::connect(&watcher, &CatalogueWatcher::reloaded,
                     [](bool, const QString& message) { Say(message.toStdString()); });
    if (!watcher.problem().isEmpty())
        Say("warning: " + watcher.problem().toStdString());

    // The HTTP server takes ownership of the socket it is bound to.
    auto* door = new FrontDoor(FrontDoor::Limits{});
    ApiServer server(holder, options.threads);
    server.bind(door);
    const QHostAddress address(QString::fromStdString(options.host));
    if (address.isNull()) {
        Say("--listen: \"" + options.host + "\" is not an IP address");
        return 2;
    }
    if (!door->listen(address, static_cast<quint16>(options.port))) {
        Say("cannot listen on " + options.host + ":" + std::to_string(options.port) + ": " +
            door->errorString().toStdString());
        return 1;
    }

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe) != 0) {
        Say("cannot set up the signal handling");
        return 1;
    }
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);
    QSocketNotifier stopNotice(gSignalPipe[1], QSocketNotifier::Read);
    QObject::connect(&stopNotice, &QSocketNotifier::activated, [&] {
        stopNotice.setEnabled(false);
        Say("stopping: no new connections, answering the requests in flight");
        door->close();
        server.drain();
        // The answers of the drained work are queued on this loop; let them be written, then stop.
        QTimer::singleShot(200, &app, &QCoreApplication::quit);
    });

    const QString shown = address.protocol() == QAbstractSocket::IPv6Protocol
                              ? QStringLiteral("[%1]").arg(address.toString())
                              : address.toString();
    Say("listening on http://" + shown.toStdString() + ":" + std::to_string(door->serverPort()) + "/ with " +
        std::to_string(first->folder.catalogue->intAntalMotorer) + " motors");
    return app.exec();
}
