#include "CatalogueFixture.h"

#include "core/catalogue/CatalogueLoader.h"
#include "platform/storage/MotorDataWriter.h"
#include "platform/storage/MotorHistory.h"
#include "platform/storage/PostgresConnection.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <set>
#include <thread>

namespace airmotor::platform::test {
namespace {
namespace postgres_writer_test {

using Written = std::variant<int, std::string>;

std::string Designation(const core::MotorRow& row) {
    return std::get<std::string>(**row.find("strBenamning"));
}

std::optional<double> PriceAt(const QString& url, int index) {
    for (const core::MotorRow& row : Snapshot(url).motors)
        if (std::get<std::int64_t>(**row.find("intKatalogindex")) == index)
            return std::get<double>(**row.find("sngPris"));
    return std::nullopt;
}

std::string Message(const Written& written) {
    return std::holds_alternative<std::string>(written) ? std::get<std::string>(written) : std::string();
}

TEST_F(PostgresCatalogueTest, ReplaceWritesOnlyOverTheVersionItLoadedAndKeepsTheHistory) {
    pushBundled();
    const CatalogueSnapshot loaded = Snapshot(url());
    ASSERT_EQ(loaded.rowVersions.size(), loaded.motors.size());
    const core::MotorRow& row = loaded.motors.at(3);
    const std::string motor = Designation(row);
    MotorDataWriter anna(cluster_->url(database_, QString::fromLatin1(TestCluster::kPasswordUser)));
    MotorDataWriter late(url());
    anna.rememberLoaded(loaded.rowVersions);
    late.rememberLoaded(loaded.rowVersions);

    const Written first = anna.write(RecordOf(row, core::SaveMode::Replace, 111, motor), motor);
    ASSERT_TRUE(std::holds_alternative<int>(first)) << Message(first);
    const int index = std::get<int>(first);
    const std::string refused =
        Message(late.write(RecordOf(row, core::SaveMode::Replace, 222, motor), motor));
    EXPECT_EQ(refused.rfind(motor + " was changed by anna at ", 0), 0u) << refused;
    EXPECT_NE(refused.find("since it was loaded; nothing was written. Reload"), std::string::npos) << refused;
    EXPECT_EQ(PriceAt(url(), index), 111.0);
    // The writer knows its own save: a second one needs no reload.
    const Written second = anna.write(RecordOf(row, core::SaveMode::Replace, 333, motor), motor);
    ASSERT_TRUE(std::holds_alternative<int>(second)) << Message(second);
    EXPECT_EQ(PriceAt(url(), index), 333.0);
    EXPECT_EQ(
        Message(late.write(RecordOf(row, core::SaveMode::Replace, 1, "NO-SUCH-MOTOR"), "NO-SUCH-MOTOR")),
        core::kDesignationNotFoundText);

    const auto history = MotorHistory::read(url(), motor);
    ASSERT_TRUE(std::holds_alternative<std::vector<HistoryEntry>>(history)) << std::get<std::string>(history);
    const auto& entries = std::get<std::vector<HistoryEntry>>(history);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].changedBy, "anna");
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(entries[0].oldRow)).object()["sngPris"],
              111.0);
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(entries[0].newRow)).object()["sngPris"],
              333.0);
    EXPECT_EQ(entries[1].index, index);

    const CliRun json =
        RunCli({"--catalogue", url(), "catalogue", "history", QString::fromStdString(motor), "--json"});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonObject answer = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(answer["designation"], QString::fromStdString(motor));
    const QJsonArray changes = answer["changes"].toArray();
    ASSERT_EQ(changes.size(), 2);
    EXPECT_EQ(changes[1].toObject()["change"], QStringLiteral("replace"));
    const CliRun file = RunCli({"catalogue", "history", QString::fromStdString(motor)});
    EXPECT_EQ(file.status, 1);
    EXPECT_TRUE(file.err.contains("history is kept only in a catalogue on PostgreSQL"))
        << file.err.toStdString();
    EXPECT_EQ(file.err.count('\n'), 1);
}

TEST_F(PostgresCatalogueTest, TwoWritersAddingAtOnceNeverShareAnIndex) {
    pushBundled();
    const CatalogueSnapshot loaded = Snapshot(url());
    const std::int64_t last = loaded.rowVersions.rbegin()->first;
    constexpr int kAdds = 8;
    std::vector<Written> results(2 * kAdds);
    const auto adder = [&](int writer) {
        MotorDataWriter mine(url());
        for (int k = 0; k < kAdds; ++k) {
            const std::string name = "RACE-" + std::to_string(writer) + "-" + std::to_string(k);
            results[static_cast<std::size_t>(writer * kAdds + k)] =
                mine.write(RecordOf(loaded.motors.front(), core::SaveMode::Add, k, name), name);
        }
    };
    std::thread other(adder, 1);
    adder(0);
    other.join();
    std::set<int> indexes;
    for (const Written& result : results) {
        ASSERT_TRUE(std::holds_alternative<int>(result)) << Message(result);
        indexes.insert(std::get<int>(result));
    }
    ASSERT_EQ(indexes.size(), results.size());
    EXPECT_EQ(*indexes.begin(), last + 1);
    EXPECT_EQ(*indexes.rbegin(), last + 2 * kAdds);
}

TEST_F(PostgresCatalogueTest, SaveMotorWritesTheServerCatalogueAndTheListSeesIt) {
    pushBundled();
    const QTemporaryDir dir;
    const QString measurement = dir.filePath(QStringLiteral("NEW.DAT"));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(AIRMOTOR_SOURCE_DIR "/tests/cli/recorded/TKM20.DAT"), measurement));
    const QStringList save{"--catalogue",   url(),      "save-motor", measurement,
                           "--designation", "TKM20-PG", "--json"};
    const CliRun added = RunCli(save + QStringList{"--add"});
    ASSERT_EQ(added.status, 0) << added.err.toStdString();
    const CliRun replaced = RunCli(save + QStringList{"--replace"});
    ASSERT_EQ(replaced.status, 0) << replaced.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(replaced.out).object()["intKatalogindex"],
              QJsonDocument::fromJson(added.out).object()["intKatalogindex"]);
    const CliRun history = RunCli({"catalogue", "history", "TKM20-PG"}, url());
    ASSERT_EQ(history.status, 0) << history.err.toStdString();
    EXPECT_TRUE(history.out.endsWith("2 changes of TKM20-PG\n")) << history.out.toStdString();
}

// An older schema is read but not written; catalogue init upgrades it with its rows.
TEST_F(PostgresCatalogueTest, InitUpgradesAVersionOneCatalogueForWriting) {
    pushBundled();
    ASSERT_EQ(
        cluster_->exec(database_,
                       QStringLiteral("ALTER TABLE \"tblMotordata\" DROP COLUMN row_version, DROP COLUMN "
                                      "changed_by, DROP COLUMN changed_at; DROP TABLE motor_history; DROP "
                                      "SEQUENCE motor_row_version; UPDATE schema_version SET version = 1")),
        "");
    const CatalogueSnapshot loaded = Snapshot(url());
    EXPECT_TRUE(loaded.rowVersions.empty());
    const std::string motor = Designation(loaded.motors.front());
    MotorDataWriter writer(url());
    const std::string refused =
        Message(writer.write(RecordOf(loaded.motors.front(), core::SaveMode::Add, 5, "X"), "X"));
    EXPECT_NE(
        refused.find(
            "schema has version 1, writing needs version 2; upgrade it with airmotor-cli catalogue init"),
        std::string::npos)
        << refused;
    const auto upgraded = PostgresCatalogue::init(url());
    ASSERT_TRUE(std::holds_alternative<SchemaSummary>(upgraded));
    EXPECT_TRUE(std::get<SchemaSummary>(upgraded).created);
    const CatalogueSnapshot after = Snapshot(url());
    ExpectSameCatalogue(loaded, after);
    std::set<std::int64_t> versions;
    for (const auto& [index, version] : after.rowVersions)
        versions.insert(version);
    EXPECT_EQ(versions.size(), after.motors.size()) << "every row has a version of its own";
    writer.rememberLoaded(after.rowVersions);
    const Written saved =
        writer.write(RecordOf(after.motors.front(), core::SaveMode::Replace, 5, motor), motor);
    EXPECT_TRUE(std::holds_alternative<int>(saved)) << Message(saved);
}

// The server dies while a save holds its transaction open (its history row waits for a lock): after
// the restart the row is the old one, whole, and the writer said that nothing was written.
TEST_F(PostgresCatalogueTest, ServerKilledMidWriteKeepsTheOldRow) {
    pushBundled();
    const CatalogueSnapshot loaded = Snapshot(url());
    const core::MotorRow& row = loaded.motors.at(1);
    const std::string motor = Designation(row);
    const auto location = core::ParseCatalogueLocation(url().toStdString());
    std::optional<PostgresConnection> blocker(std::get<core::CatalogueLocation>(location));
    ASSERT_TRUE(blocker->open());
    QSqlQuery hold(blocker->database());
    ASSERT_TRUE(hold.exec(QStringLiteral("BEGIN")));
    ASSERT_TRUE(hold.exec(QStringLiteral("LOCK TABLE motor_history IN ACCESS EXCLUSIVE MODE")));

    Written result;
    std::thread save([&] {
        MotorDataWriter writer(url());
        writer.rememberLoaded(loaded.rowVersions);
        result = writer.write(RecordOf(row, core::SaveMode::Replace, 999, motor), motor);
    });
    // The save has updated its row and waits for the history table.
    bool waiting = false;
    for (int k = 0; k < 200 && !waiting; ++k) {
        QSqlQuery q(blocker->database());
        waiting =
            q.exec(QStringLiteral("SELECT count(*) FROM pg_locks WHERE relation = 'motor_history'::regclass "
                                  "AND NOT granted")) &&
            q.next() && q.value(0).toInt() > 0;
        if (!waiting)
            QThread::msleep(50);
    }
    EXPECT_TRUE(waiting);
    EXPECT_EQ(cluster_->stopImmediately(), "");
    save.join();
    blocker.reset();
    ASSERT_EQ(cluster_->start(), "");
    const std::string message = Message(result);
    EXPECT_EQ(message.rfind(url().toStdString() + ": ", 0), 0u) << message;
    EXPECT_NE(message.find("; nothing was written"), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    ExpectSameCatalogue(loaded, Snapshot(url()));
}

// The body of GET path from the loopback port, or empty.
QByteArray Get(int port, const char* path) {
    QProcess curl;
    curl.start(QStringLiteral("curl"),
               {QStringLiteral("-s"), QStringLiteral("--max-time"), QStringLiteral("5"),
                QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path)});
    return curl.waitForFinished(10000) ? curl.readAllStandardOutput() : QByteArray();
}

// The server hears each committed write and answers from the new catalogue without a restart.
TEST_F(PostgresCatalogueTest, ServerReloadsWhenTheCatalogueIsWritten) {
    pushBundled();
    QProcess server;
    server.setProcessChannelMode(QProcess::MergedChannels);
    server.start(kBin + QStringLiteral("/airmotor-server"),
                 {QStringLiteral("--folder"), kBin, QStringLiteral("--catalogue"), url(),
                  QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")});
    const auto stop = qScopeGuard([&] {
        server.terminate();
        if (!server.waitForFinished(10000))
            server.kill();
    });
    int port = 0;
    QByteArray said;
    while (port == 0 && server.waitForReadyRead(20000)) {
        said += server.readAll();
        const qsizetype at = said.indexOf("listening on http://127.0.0.1:");
        if (at >= 0 && said.indexOf('/', at + 30) > 0)
            port = said.mid(at + 30, said.indexOf('/', at + 30) - at - 30).toInt();
    }
    ASSERT_NE(port, 0) << said.toStdString();
    EXPECT_FALSE(said.contains("warning")) << said.toStdString();
    ASSERT_FALSE(Get(port, "/api/v1/catalogue").contains("NOTICED-1"));

    // The bundled catalogue fills every place: each write renames a motor, which the list shows. The
    // second comes after a restart of the database, which ends the server's listening connection.
    for (const char* name : {"NOTICED-1", "NOTICED-2"}) {
        if (std::string(name) == "NOTICED-2") {
            ASSERT_EQ(cluster_->stopImmediately(), "");
            ASSERT_EQ(cluster_->start(), "");
        }
        const CatalogueSnapshot loaded = Snapshot(url());
        MotorDataWriter writer(url());
        writer.rememberLoaded(loaded.rowVersions);
        const core::MotorRow& row = loaded.motors.at(3);
        const Written added = writer.write(RecordOf(row, core::SaveMode::Replace, 1, name), Designation(row));
        ASSERT_TRUE(std::holds_alternative<int>(added)) << Message(added);
        bool seen = false;
        // The server checks its listening connection every few seconds.
        for (int k = 0; k < 200 && !seen; ++k) {
            seen = Get(port, "/api/v1/catalogue").contains("\"" + QByteArray(name) + "\"");
            if (!seen)
                QThread::msleep(100);
        }
        server.waitForReadyRead(1000);
        said += server.readAll();
        EXPECT_TRUE(seen) << name << ": " << said.toStdString();
    }
}

// Twenty readers load the catalogue and apply the load rules to it while one writer adds 200 motors,
// one save each. Every load is the catalogue after some whole number of saves: the added motors are
// the first of them in order, complete, each with its row version, and the texts are all there.
TEST_F(PostgresCatalogueTest, ReadersWhileAWriterSavesSeeOnlyWholeCatalogues) {
    pushBundled();
    const CatalogueSnapshot loaded = Snapshot(url());
    const std::size_t motors = loaded.motors.size();
    constexpr int kSaves = 200;
    constexpr int kReaders = 20;
    std::atomic<bool> writing{true};
    std::string writeFault;
    std::thread writer([&] {
        MotorDataWriter mine(url());
        for (int k = 0; k < kSaves && writeFault.empty(); ++k) {
            const std::string name = "READ-" + std::to_string(k);
            writeFault =
                Message(mine.write(RecordOf(loaded.motors.front(), core::SaveMode::Add, k, name), name));
        }
        writing = false;
    });
    std::vector<std::string> faults(kReaders);
    std::vector<std::set<std::size_t>> seen(kReaders);
    std::vector<std::thread> readers;
    for (int r = 0; r < kReaders; ++r)
        readers.emplace_back([&, r] {
            std::string& fault = faults[static_cast<std::size_t>(r)];
            do {
                auto read = CatalogueStore(url()).readSnapshot(true);
                if (auto* error = std::get_if<StoreError>(&read)) {
                    fault = error->message;
                    return;
                }
                const auto& snapshot = std::get<CatalogueSnapshot>(read);
                const std::size_t added = snapshot.motors.size() - motors;
                for (std::size_t k = 0; k < added && fault.empty(); ++k) {
                    const core::MotorRow& row = snapshot.motors[motors + k];
                    if (Designation(row) != "READ-" + std::to_string(k) ||
                        std::get<double>(**row.find("sngPris")) != static_cast<double>(k))
                        fault = "motor " + std::to_string(k) + " of " + std::to_string(added) + " is " +
                                Designation(row);
                }
                if (snapshot.rowVersions.size() != snapshot.motors.size())
                    fault = std::to_string(snapshot.rowVersions.size()) + " row versions for " +
                            std::to_string(snapshot.motors.size()) + " motors";
                else if (snapshot.texts.size() != loaded.texts.size())
                    fault = std::to_string(snapshot.texts.size()) + " texts";
                else if (const auto rules = core::LoadCatalogue(snapshot.motors, "pg");
                         std::holds_alternative<core::LoadError>(rules))
                    fault = std::get<core::LoadError>(rules).message;
                seen[static_cast<std::size_t>(r)].insert(added);
                // A pause between loads leaves the two cores of a small machine to the writer too.
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            } while (writing && fault.empty());
        });
    writer.join();
    for (std::thread& reader : readers)
        reader.join();
    ASSERT_EQ(writeFault, "");
    std::set<std::size_t> all;
    for (int r = 0; r < kReaders; ++r) {
        EXPECT_EQ(faults[static_cast<std::size_t>(r)], "") << "reader " << r;
        all.insert(seen[static_cast<std::size_t>(r)].begin(), seen[static_cast<std::size_t>(r)].end());
    }
    // The readers met the catalogue between saves, not only before or after all of them.
    EXPECT_GT(all.size(), 2U);
    EXPECT_EQ(Snapshot(url()).motors.size(), motors + kSaves);
}

} // namespace postgres_writer_test
} // namespace
} // namespace airmotor::platform::test
