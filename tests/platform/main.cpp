#include "KillChildren.h"
#include "platform/storage/SqliteConnection.h"

#include <QGuiApplication>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <cstdio>
#include <string_view>
#include <unistd.h>

namespace {

// Child of the kill tests: changes every text inside an open write transaction, says "ready" and
// waits to be killed, so that the database is left with the journal of an interrupted write.
int HoldWrite(const char* file) {
    airmotor::platform::SqliteConnection connection(QString::fromLocal8Bit(file),
                                                    airmotor::platform::SqliteConnection::Mode::ReadWrite);
    if (!connection.open())
        return 1;
    QSqlQuery q(connection.database());
    if (!q.exec(QStringLiteral("PRAGMA cache_size = 1")) || !q.exec(QStringLiteral("BEGIN")) ||
        !q.exec(QStringLiteral("UPDATE tblLanguage SET strEnglish = 'changed'")))
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    while (true)
        ::pause();
}

} // namespace

// One application object for every platform test: SQL drivers, painting and fonts need it.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::string_view(argv[1]) == "--hold-write")
        return HoldWrite(argv[2]);
    if (const auto status = airmotor::platform::test::RunKillChild(argc, argv))
        return *status;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
