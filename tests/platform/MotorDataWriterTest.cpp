#include "platform/MotorDataWriter.h"
#include "platform/DatabaseBuilder.h"

#include "TestDatabase.h"

#include <QDir>
#include <QTemporaryDir>

using namespace airmotor;
using platform::MotorDataWriter;

namespace {

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
        platform::SqliteConnection c(file, platform::SqliteConnection::Mode::ReadOnly);
        EXPECT_TRUE(c.open());
        QSqlQuery q(c.database());
        q.exec(
            QStringLiteral("SELECT sngTomgVarvtal FROM tblMotordata WHERE intKatalogindex = %1").arg(index));
        return q.next() ? q.value(0).toDouble() : -1.0;
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

} // namespace

TEST(MotorDataWriter, ReplaceUpdatesTheLowestExactMatchAfterOneBackup) {
    Catalogue db;
    const QByteArray before = platform::test::ReadFile(db.file);
    MotorDataWriter writer(db.file);
    const auto written = writer.write(Record(core::SaveMode::Replace), "TKM20-A5");
    ASSERT_TRUE(std::holds_alternative<int>(written)) << std::get<std::string>(written);
    EXPECT_EQ(std::get<int>(written), 5);
    EXPECT_EQ(db.freeSpeed(5), 1234.5);
    EXPECT_EQ(db.freeSpeed(9), 1.0);
    EXPECT_EQ(db.freeSpeed(2), 1.0);
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

    // A record the table refuses (a NOT NULL column left out) changes nothing.
    core::MotorRecord incomplete;
    incomplete.fields = {{"strBenamning", std::string("X")}};
    EXPECT_TRUE(std::holds_alternative<std::string>(writer.write(incomplete, "")));
    EXPECT_EQ(db.freeSpeed(32), -1.0);

    MotorDataWriter nowhere(db.dir.filePath(QStringLiteral("missing.db")));
    EXPECT_TRUE(std::holds_alternative<std::string>(nowhere.write(Record(core::SaveMode::Add), "")));
    EXPECT_FALSE(QFile::exists(db.dir.filePath(QStringLiteral("missing.db"))));
}
