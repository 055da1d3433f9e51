#pragma once

#include <QString>
#include <QTemporaryDir>

#include <string>

namespace airmotor::platform::test {

// A PostgreSQL cluster of its own for the tests: in a temporary folder, reachable only through a Unix
// socket there, on a port no other server uses; stopped and removed on destruction.
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

private:
    std::string run(const QStringList& command) const;

    QTemporaryDir dir_;
    int port_ = 0;
    bool started_ = false;
    std::string error_;
};

} // namespace airmotor::platform::test
