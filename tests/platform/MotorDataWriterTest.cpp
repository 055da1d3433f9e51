#include "platform/storage/MotorDataWriter.h"
#include "platform/storage/CatalogueStore.h"
#include "platform/storage/DatabaseBuilder.h"

#include "KillChildren.h"
#include "TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <future>
#include <thread>

using namespace airmotor;
namespace {
namespace motor_data_writer_test {

using platform::MotorDataWriter;

// The first column of the query's first row; invalid when there is none. Opened for writing, so
// that a hot journal a killed writer left is rolled back first.
QVariant Query(const QString& file, const QString& sql) {
    platform::SqliteConnection c(file, platform::SqliteConnection::Mode::ReadWriteExisting);
    EXPECT_TRUE(c.open()) << c.errorText().toStdString();
    QSqlQuery q(c.database());
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
    return q.next() ? q.value(0) : QVariant();
}

struct Catalogue {
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("Zevodida.db"));

    Catalogue() {
        QStringList statements;
        for (const std::string& s : platform::DatabaseBuilder::schema())
            statements << QString::fromStdString(s);
        // Index 30 was not loaded (an obsolete row): an add must not collide with it.
        for (const char* row : {"2, 'tkm20-a5'", "5, 'TKM20-A5'", "9, 'TKM20-A5'", "30, 'OLD'"})
            statements << QStringLiteral(
                              "INSERT INTO tblMotordata (intKatalogindex, strBenamning, intSokindex, "
                              "sngTomgVarvtal, sngLuftforbrTomgang, sngMaxEffekt, sngMomentMaxeff, "
                              "sngLuftMaxeff, sngVarvMaxeff, sngMinStartMoment, intGradtal_M, sngC0_M, "
                              "sngC1_M, sngC2_M, sngC3_M, sngC4_M, intGradtal_L, sngC0_L, sngC1_L, "
                              "sngC2_L, sngC3_L, sngC4_L) VALUES (%1, 1, 1, 1, 1, 1, 1, 1, 1, 3, 1, 1, "
                              "1, 1, 1, 3, 1, 1, 1, 1, 1)")
                              .arg(QString::fromLatin1(row));
        platform::test::ExecSql(file, statements);
    }

    double freeSpeed(int index) const {
        const QVariant speed = Query(
            file,
            QStringLiteral("SELECT sngTomgVarvtal FROM tblMotordata WHERE intKatalogindex = %1").arg(index));
        return speed.isValid() ? speed.toDouble() : -1.0;
    }
};

core::MotorRecord Record(core::SaveMode mode) {
    core::MotorRecord r;
    r.mode = mode;
    if (mode == core::SaveMode::Add)
        r.fields = {{"intSokindex", std::int64_t{0}}, {"strBenamning", std::string("NEW \"quoted\"; --")}};
    r.fields.emplace_back("sngTomgVarvtal", 1234.5);
    for (const char* name : {"sngLuftforbrTomgang", "sngMaxEffekt", "sngMomentMaxeff", "sngLuftMaxeff",
                             "sngVarvMaxeff", "sngMinStartMoment"})
        if (mode == core::SaveMode::Add)
            r.fields.emplace_back(name, 1.0);
    for (const char* curve : {"M", "L"}) {
        if (mode == core::SaveMode::Add) {
            r.fields.emplace_back(std::string("intGradtal_") + curve, std::int64_t{3});
            for (int k = 0; k <= 4; ++k)
                r.fields.emplace_back("sngC" + std::to_string(k) + "_" + curve, 0.5);
        }
    }
    return r;
}

TEST(MotorDataWriter, ReplaceUpdatesTheLowestExactMatchAfterOneBackup) {
    Catalogue db;
    const QByteArray before = platform::test::ReadFile(db.file);
    MotorDataWriter writer(db.file);
    const auto written = writer.write(Record(core::SaveMode::Replace), "TKM20-A5");
    ASSERT_TRUE(std::holds_alternative<int>(written)) << std::get<std::string>(written);
    EXPECT_EQ(std::get<int>(written), 5);
    EXPECT_EQ((std::array{db.freeSpeed(2), db.freeSpeed(5), db.freeSpeed(9)}),
              (std::array{1.0, 1234.5, 1.0}));
    EXPECT_EQ(platform::test::ReadFile(writer.backupFile()), before);

    const auto missing = writer.write(Record(core::SaveMode::Replace), "Tkm20-A5");
    ASSERT_TRUE(std::holds_alternative<std::string>(missing));
    EXPECT_EQ(std::get<std::string>(missing), core::kDesignationNotFoundText);
    EXPECT_EQ(QDir(db.dir.path()).entryList(QDir::Files).size(), 2); // still the one backup
}

TEST(MotorDataWriter, AddTakesTheNextIndexAfterEveryRow) {
    Catalogue db;
    MotorDataWriter writer(db.file);
    const auto written = writer.write(Record(core::SaveMode::Add), "");
    ASSERT_TRUE(std::holds_alternative<int>(written)) << std::get<std::string>(written);
    EXPECT_EQ(std::get<int>(written), 31);
    EXPECT_EQ(db.freeSpeed(31), 1234.5);

    MotorDataWriter nowhere(db.dir.filePath(QStringLiteral("missing.db")));
    EXPECT_TRUE(std::holds_alternative<std::string>(nowhere.write(Record(core::SaveMode::Add), "")));
    EXPECT_FALSE(QFile::exists(db.dir.filePath(QStringLiteral("missing.db"))));
}

// A save killed at any moment, even inside its commit, leaves the catalogue as it was or as saved,
// never damaged: the transaction's journal rolls an interrupted write back, and every backup the
// killed writers made is a whole catalogue.
TEST(MotorDataWriter, SaveKilledMidWriteLeavesTheOldOrTheNewCatalogue) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Zevodida.db"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(AIRMOTOR_BIN_DIR "/Zevodida.db"), file));
    const auto query = [&](const QString& sql) { return Query(file, sql).toString(); };
    const QString first = query(QStringLiteral("SELECT MIN(intKatalogindex) FROM tblMotordata"));
    const QString designation =
        query(QStringLiteral("SELECT strBenamning FROM tblMotordata WHERE intKatalogindex = ") + first);
    const QString speedOfFirst =
        QStringLiteral("SELECT sngTomgVarvtal FROM tblMotordata WHERE intKatalogindex = ") + first;
    const QString others = QStringLiteral("SELECT COUNT(*) || ' ' || TOTAL(sngTomgVarvtal) FROM tblMotordata "
                                          "WHERE intKatalogindex <> ") +
                           first;
    const QStringList speeds = {query(speedOfFirst), QString::number(platform::test::kSavedSpeeds[0]),
                                QString::number(platform::test::kSavedSpeeds[1])};
    const QString untouched = query(others);

    constexpr int kRounds = 10;
    for (int round = 0; round < kRounds; ++round) {
        QProcess saver;
        saver.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--save-motor"), file, designation});
        ASSERT_TRUE(saver.waitForReadyRead(30000)) << saver.readAllStandardError().toStdString();
        QThread::msleep(static_cast<unsigned long>(round * 4));
        saver.kill();
        saver.waitForFinished();
        EXPECT_EQ(query(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok")) << "round " << round;
        EXPECT_TRUE(speeds.contains(query(speedOfFirst))) << query(speedOfFirst).toStdString();
        EXPECT_EQ(query(others), untouched) << "round " << round;
    }
    EXPECT_TRUE(
        std::holds_alternative<core::CatalogueLoadResult>(platform::CatalogueStore(file).loadCatalogue()));
    const QStringList backups = QDir(dir.path()).entryList({QStringLiteral("*-backup-*")}, QDir::Files);
    ASSERT_FALSE(backups.isEmpty());
    for (const QString& backup : backups)
        EXPECT_TRUE(std::holds_alternative<core::CatalogueLoadResult>(
            platform::CatalogueStore(dir.filePath(backup)).loadCatalogue()))
            << backup.toStdString();
}

// A failed save leaves no row and no copy behind; after a save only the newest ten backups stay,
// and files that merely look like backups are left alone.
TEST(MotorDataWriter, KeepsTheNewestTenBackupsAndNoneOfAFailedSave) {
    Catalogue db;
    const QDir dir(db.dir.path());
    core::MotorRecord incomplete;
    incomplete.fields = {{"strBenamning", std::string("X")}};
    MotorDataWriter failing(db.file);
    // A record the table refuses (a NOT NULL column left out) changes nothing.
    EXPECT_TRUE(std::holds_alternative<std::string>(failing.write(incomplete, "")));
    EXPECT_EQ(db.freeSpeed(31), -1.0);
    EXPECT_TRUE(failing.backupFile().isEmpty());
    EXPECT_EQ(dir.entryList({"*backup*"}, QDir::Files), QStringList());

    for (int k = 0; k < 12; ++k)
        platform::test::WriteFile(
            dir.filePath(QString("Zevodida-backup-20010101-0000%1.db").arg(k, 2, 10, QChar('0'))), "old");
    for (const char* other : {"Zevodida-backup-20010101-000011-2.db", "Zevodida-backup-notes.db",
                              "Other-backup-20010101-000000.db", "Zevodida-backup-20010101-000000.txt"})
        platform::test::WriteFile(dir.filePath(other), "other");
    MotorDataWriter writer(db.file);
    ASSERT_TRUE(std::holds_alternative<int>(writer.write(Record(core::SaveMode::Replace), "TKM20-A5")));
    const QStringList kept = dir.entryList({"Zevodida-backup-2*.db"}, QDir::Files, QDir::Name);
    ASSERT_EQ(kept.size(), static_cast<qsizetype>(MotorDataWriter::kKeptBackups));
    EXPECT_EQ(kept.front(), "Zevodida-backup-20010101-000004.db");
    EXPECT_TRUE(kept.contains("Zevodida-backup-20010101-000011-2.db"));
    EXPECT_TRUE(kept.contains(QFileInfo(writer.backupFile()).fileName()));
    for (const char* other : {"Zevodida-backup-notes.db", "Other-backup-20010101-000000.db",
                              "Zevodida-backup-20010101-000000.txt"})
        EXPECT_TRUE(dir.exists(other)) << other;
}

// Another program's write transaction is waited for, not answered with "database is locked".
TEST(MotorDataWriter, WaitsForAnotherWriterInsteadOfFailing) {
    Catalogue db;
    std::promise<void> locked;
    std::thread other([&] {
        platform::SqliteConnection connection(db.file, platform::SqliteConnection::Mode::ReadWrite);
        ASSERT_TRUE(connection.open());
        {
            QSqlQuery q(connection.database());
            EXPECT_TRUE(q.exec("BEGIN IMMEDIATE"));
            EXPECT_TRUE(q.exec("UPDATE tblMotordata SET sngTomgVarvtal = 7 WHERE intKatalogindex = 30"));
            locked.set_value();
            QThread::msleep(300);
            EXPECT_TRUE(q.exec("COMMIT"));
        }
    });
    locked.get_future().wait();
    MotorDataWriter writer(db.file);
    const auto written = writer.write(Record(core::SaveMode::Replace), "TKM20-A5");
    other.join();
    ASSERT_TRUE(std::holds_alternative<int>(written)) << std::get<std::string>(written);
    EXPECT_EQ((std::array{db.freeSpeed(5), db.freeSpeed(30)}), (std::array{1234.5, 7.0}));
}

// Three programs saving at once, many times a second: every save succeeds, every backup has a name
// of its own and is a whole catalogue, and no more than ten stay.
TEST(MotorDataWriter, ConcurrentSavesEachGetTheirOwnBackup) {
    Catalogue db;
    std::vector<std::unique_ptr<QProcess>> savers;
    for (int k = 0; k < 3; ++k) {
        savers.push_back(std::make_unique<QProcess>());
        savers.back()->start(QCoreApplication::applicationFilePath(),
                             {QStringLiteral("--save-motors"), db.file, QStringLiteral("TKM20-A5"), "8"});
    }
    for (auto& saver : savers) {
        ASSERT_TRUE(saver->waitForFinished(60000));
        EXPECT_EQ(saver->exitCode(), 0) << saver->readAllStandardError().toStdString();
    }
    const QStringList backups = QDir(db.dir.path()).entryList({"*-backup-*"}, QDir::Files);
    EXPECT_EQ(backups.size(), static_cast<qsizetype>(MotorDataWriter::kKeptBackups));
    for (const QString& backup : backups)
        EXPECT_TRUE(std::holds_alternative<std::vector<core::MotorRow>>(
            platform::CatalogueStore(db.dir.filePath(backup)).readMotorRows()))
            << backup.toStdString();
}

} // namespace motor_data_writer_test
} // namespace
