#pragma once

#include <QString>
#include <QTemporaryDir>

#include <string>

namespace airmotor::platform::test {

// A PostgreSQL cluster of its own for the tests: in a temporary folder, reachable only through a Unix
// socket there (so its port number clashes with no other server); stopped and removed on destruction.
class TestCluster final {
public:
    TestCluster();
    ~TestCluster();
    TestCluster(const TestCluster&) = delete;
    TestCluster& operator=(const TestCluster&) = delete;

    // Empty when the cluster runs; otherwise why it could not be started.
    const std::string& error() const { return error_; }

    QString url(const QString& database, const QString& user = QStringLiteral("airmotor")) const;
    // A URL on which no server listens: the cluster's socket folder with another port.
    QString refusedUrl(const QString& database) const;
    // Runs one statement as the cluster's superuser; empty on success, else the server's message.
    std::string exec(const QString& database, const QString& sql) const;
    void createDatabase(const QString& name) const;

    // A crash: the server stops without a checkpoint, as on a power failure. start() runs it again.
    std::string stopImmediately() const;
    std::string start() const;

    // This user logs in only with its password (scram-sha-256); every other user is trusted.
    static constexpr char kPasswordUser[] = "anna";

    // Stops every cluster still running and removes its folder; for the exit on a signal.
    static void StopAll();

private:
    std::string run(const QStringList& command) const;
    std::string pgCtl(const QStringList& arguments) const;

    QTemporaryDir dir_;
    int port_ = 5432;
    bool started_ = false;
    std::string error_;
};

} // namespace airmotor::platform::test
