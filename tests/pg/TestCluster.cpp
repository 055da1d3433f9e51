#include "TestCluster.h"

#include "core/catalogue/CatalogueLocation.h"
#include "platform/storage/PostgresConnection.h"

#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace airmotor::platform::test {
namespace {

// The server's tools; the package puts them outside PATH.
const QString kBinDir = QStringLiteral(AIRMOTOR_PG_BINDIR);

std::mutex gRunningMutex;
std::vector<TestCluster*> gRunning;
bool gStopping = false; // set by StopAll: no cluster starts again

} // namespace

void TestCluster::StopAll() {
    const std::lock_guard lock(gRunningMutex);
    gStopping = true;
    for (TestCluster* cluster : gRunning) {
        cluster->stopImmediately();
        cluster->dir_.remove();
    }
    gRunning.clear();
}

std::string TestCluster::pgCtl(const QStringList& arguments) const {
    return run(QStringList{kBinDir + QStringLiteral("/pg_ctl"), QStringLiteral("-D"),
                           dir_.filePath(QStringLiteral("data")), QStringLiteral("-w")} +
               arguments);
}

std::string TestCluster::stopImmediately() const {
    return pgCtl({QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("stop")});
}

std::string TestCluster::start() const {
    // Under the lock: a signal that comes while the server starts stops it once it runs.
    const std::lock_guard lock(gRunningMutex);
    if (gStopping)
        return "the test run is being stopped";
    return pgCtl({QStringLiteral("-l"), dir_.filePath(QStringLiteral("log")), QStringLiteral("-o"),
                  QStringLiteral("-p %1 -k %2 -c listen_addresses=''").arg(port_).arg(dir_.path()),
                  QStringLiteral("start")});
}

TestCluster::TestCluster() : dir_(QStringLiteral("/tmp/airmotor-pg-XXXXXX")) {
    if (!dir_.isValid()) {
        error_ = "cannot create a temporary folder for the cluster";
        return;
    }
    {
        // From here on a signal removes the folder, whatever state the cluster is in.
        const std::lock_guard lock(gRunningMutex);
        gRunning.push_back(this);
    }
    // initdb refuses to run as root: the cluster then belongs to the postgres user.
    if (::geteuid() == 0) {
        const passwd* postgres = ::getpwnam("postgres");
        if (postgres == nullptr ||
            ::chown(dir_.path().toLocal8Bit().constData(), postgres->pw_uid, postgres->pw_gid) != 0) {
            error_ = "running as root, and the folder cannot be given to the user postgres";
            return;
        }
    }
    const QString data = dir_.filePath(QStringLiteral("data"));
    if (std::string failed =
            run({kBinDir + QStringLiteral("/initdb"), QStringLiteral("-D"), data, QStringLiteral("-A"),
                 QStringLiteral("trust"), QStringLiteral("-U"), QStringLiteral("airmotor")});
        !failed.empty()) {
        error_ = "initdb failed: " + failed;
        return;
    }
    // The first matching line wins: the password user's comes before initdb's trust lines.
    QFile hba(data + QStringLiteral("/pg_hba.conf"));
    QByteArray lines;
    if (hba.open(QIODevice::ReadOnly))
        lines = hba.readAll();
    hba.close();
    if (lines.isEmpty() || !hba.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        hba.write(QByteArray("local all ") + kPasswordUser + " scram-sha-256\n" + lines) < 0 ||
        !hba.flush()) {
        error_ = "cannot write " + hba.fileName().toStdString();
        return;
    }
    hba.close();
    started_ = true; // from here on a stop is attempted, also after a failed start
    if (std::string failed = start(); !failed.empty())
        error_ = "pg_ctl start failed: " + failed;
}

TestCluster::~TestCluster() {
    {
        const std::lock_guard lock(gRunningMutex);
        const auto self = std::find(gRunning.begin(), gRunning.end(), this);
        if (self == gRunning.end())
            return; // already stopped by StopAll
        gRunning.erase(self);
    }
    if (started_)
        pgCtl({QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("stop")});
}

std::string TestCluster::run(const QStringList& command) const {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (::geteuid() == 0)
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} +
                          command);
    else
        process.start(command.front(), command.mid(1));
    if (!process.waitForFinished(120000))
        return command.front().toStdString() + " did not finish: " + process.errorString().toStdString();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QString::fromLocal8Bit(process.readAll()).simplified().toStdString();
    return {};
}

QString TestCluster::url(const QString& database, const QString& user) const {
    return QStringLiteral("postgresql:///%1?host=%2&port=%3&user=%4")
        .arg(database, dir_.path())
        .arg(port_)
        .arg(user);
}

QString TestCluster::refusedUrl(const QString& database) const {
    return url(database).replace(QStringLiteral("port=%1").arg(port_),
                                 QStringLiteral("port=%1").arg(port_ + 1));
}

std::string TestCluster::exec(const QString& database, const QString& sql) const {
    const auto location = core::ParseCatalogueLocation(url(database).toStdString());
    PostgresConnection connection(std::get<core::CatalogueLocation>(location));
    if (!connection.open())
        return connection.errorText().toStdString();
    QSqlQuery q(connection.database());
    if (!q.exec(sql))
        return q.lastError().text().toStdString();
    return {};
}

void TestCluster::createDatabase(const QString& name) const {
    exec(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE \"%1\"").arg(name));
}

} // namespace airmotor::platform::test
