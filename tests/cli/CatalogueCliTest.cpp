#include "CliRunner.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

using namespace airmotor::cli::test;

namespace {

const QString kBin = QStringLiteral(AIRMOTOR_BIN_DIR);

QTemporaryDir FolderWith(const QStringList& files) {
    QTemporaryDir dir;
    for (const QString& f : files)
        QFile::copy(kBin + "/" + f, dir.filePath(f));
    return dir;
}

} // namespace

TEST(CatalogueCli, CatalogueJsonHasTheContractShape) {
    const CliResult r = RunCli({"--folder", kBin, "catalogue", "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject doc = r.json();
    const QJsonArray motors = doc["motors"].toArray();
    ASSERT_GE(motors.size(), 300);
    EXPECT_EQ(doc["count"].toInt(), motors.size());
    const QStringList keys =
        QString("index intSokindex strBenamning strDetaljnr1 strDetaljnr2 strDetaljnr3 txtRotation "
                "bolLubricationFree bolStainless bolBrake sngTomgVarvtal sngLuftforbrTomgang sngMaxEffekt "
                "sngMomentMaxeff sngLuftMaxeff sngVarvMaxeff sngStallmoment sngMinStartMoment sngPris "
                "strMattskiss sngUtvaxling sngVikt intGradtal_M sngC_M intGradtal_L sngC_L bolOldMotor "
                "sngMin_VarvDiagram sngMax_VarvDiagram")
            .split(' ');
    for (int k = 0; k < motors.size(); ++k) {
        const QJsonObject m = motors[k].toObject();
        EXPECT_EQ(m.keys().size(), keys.size());
        for (const QString& key : keys)
            ASSERT_TRUE(m.contains(key)) << key.toStdString();
        EXPECT_EQ(m["index"].toInt(), k + 1);
        EXPECT_TRUE(m["bolBrake"].isBool());
        EXPECT_TRUE(m["strDetaljnr3"].isString());        // Null in the database is ""
        EXPECT_LE(m["txtRotation"].toString().size(), 1); // "" where the database held Null
        EXPECT_EQ(m["sngC_M"].toArray().size(), 5);
        EXPECT_EQ(m["sngC_L"].toArray().size(), 5);
        // The stall torque is coefficient 0 of the torque curve, to the last bit.
        EXPECT_EQ(static_cast<float>(m["sngStallmoment"].toDouble()),
                  static_cast<float>(m["sngC_M"].toArray()[0].toDouble()));
    }
}

TEST(CatalogueCli, TextsJsonPerLanguage) {
    const struct {
        const char* language;
        int imperial;
        double torqueFactor;
    } cases[] = {{"German", 0, 1.0}, {"English_Imperial", 1, 1.35582f}, {"Spanish", 0, 1.0}};
    for (const auto& tc : cases) {
        const CliResult r = RunCli({"--folder", kBin, "--language", tc.language, "texts", "--json"});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QJsonObject doc = r.json();
        EXPECT_EQ(doc["language"].toString(), tc.language);
        EXPECT_EQ(doc["intImperialUnits"].toInt(), tc.imperial);
        EXPECT_EQ(static_cast<float>(doc["units"].toObject()["sngUnitTorque"].toDouble()),
                  static_cast<float>(tc.torqueFactor));
        EXPECT_EQ(doc["units"].toObject().size(), 5);
        const QJsonObject texts = doc["texts"].toObject();
        EXPECT_EQ(texts.size(), 229);
        for (int key = 0; key <= 228; ++key)
            EXPECT_TRUE(texts[QString::number(key)].isString()) << key;
    }
}

TEST(CatalogueCli, GlobalOptionsStandAnywhereAndLanguageDefaultsToTheFile) {
    QTemporaryDir dir = FolderWith({"Zevodida.db"});
    QFile settings(dir.filePath("ZEVODIDA.DAT"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("\"2017-01-12\",\"French\",0\r\n");
    settings.close();
    const CliResult r = RunCli({"--json", "texts", "--folder", dir.path()});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.json()["language"].toString(), "French");

    QFile::remove(dir.filePath("ZEVODIDA.DAT"));
    const CliResult noFile = RunCli({"texts", "--json", "--folder=" + dir.path()});
    ASSERT_EQ(noFile.status, 0) << noFile.err.toStdString();
    EXPECT_EQ(noFile.json()["language"].toString(), "English");
    EXPECT_FALSE(QFile::exists(dir.filePath("ZEVODIDA.DAT"))); // --language and defaults never rewrite it

    const CliResult readable = RunCli({"--folder", dir.path(), "catalogue"});
    EXPECT_EQ(readable.status, 0);
    EXPECT_FALSE(readable.out.startsWith('{'));
}

TEST(CatalogueCli, UsageErrorsExitWith2) {
    ExpectFailure(RunCli({}), 2);
    ExpectFailure(RunCli({"--folder", kBin, "nonsense"}), 2, "nonsense");
    ExpectFailure(RunCli({"--verbose", "catalogue"}), 2, "--verbose");
    ExpectFailure(RunCli({"--folder", kBin, "catalogue", "--colour", "red"}), 2, "colour");
    ExpectFailure(RunCli({"--folder", kBin, "--language", "Swedish", "texts"}), 2, "Swedish");
    ExpectFailure(RunCli({"catalogue", "--folder"}), 2, "--folder");
    ExpectFailure(RunCli({"make-database", "only-one-argument"}), 2);
}

TEST(CatalogueCli, UnusableFolderOrDatabaseExitsWith1) {
    QTemporaryDir empty;
    ExpectFailure(RunCli({"--folder", empty.path(), "catalogue", "--json"}), 1, "Zevodida.db");
    EXPECT_FALSE(QFile::exists(empty.filePath("Zevodida.db")));
    ExpectFailure(RunCli({"--folder", empty.filePath("missing"), "texts"}), 1, "missing");

    QFile junk(empty.filePath("Zevodida.db"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray("not a database\n").repeated(200));
    junk.close();
    ExpectFailure(RunCli({"--folder", empty.path(), "catalogue"}), 1, "Zevodida.db");
}

TEST(CatalogueCli, MakeDatabaseFromSources) {
    QTemporaryDir dir;
    const QString data = QStringLiteral(AIRMOTOR_SOURCE_DIR "/data");
    const CliResult good = RunCli({"make-database", data, dir.filePath("Zevodida.db"), "--json"});
    ASSERT_EQ(good.status, 0) << good.err.toStdString();
    EXPECT_GE(good.json()["motors"].toInt(), 300);
    EXPECT_EQ(good.json()["texts"].toInt(), 229);
    const CliResult loaded = RunCli({"--folder", dir.path(), "catalogue", "--json"});
    ASSERT_EQ(loaded.status, 0) << loaded.err.toStdString();

    // A broken source: the message names file and line, the database stays as it was.
    QDir(dir.path()).mkdir("src");
    for (const char* f : {"motors.csv", "texts.csv", "imperial.csv"})
        QFile::copy(data + "/" + f, dir.filePath(QString("src/") + f));
    QFile imperial(dir.filePath("src/imperial.csv"));
    ASSERT_TRUE(imperial.open(QIODevice::Append));
    imperial.write("999,too far\n");
    imperial.close();
    const QByteArray before = [&] {
        QFile f(dir.filePath("Zevodida.db"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    const CliResult bad = RunCli({"make-database", dir.filePath("src"), dir.filePath("Zevodida.db")});
    ExpectFailure(bad, 1, "imperial.csv:");
    QFile after(dir.filePath("Zevodida.db"));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}

// The Access files at hand are no catalogues: the command reads them and names what is missing.
TEST(CatalogueCli, ImportCatalogueRefusesAccessFilesWithoutTheTables) {
    QTemporaryDir dir;
    const QString out = dir.filePath("imported.db");
    const QString access = QStringLiteral(AIRMOTOR_SOURCE_DIR "/tests/data/access/");
    ExpectFailure(RunCli({"import-catalogue", access + "testV1997.mdb", out}), 1,
                  "testV1997.mdb: has no table tblMotordata");
    ExpectFailure(RunCli({"import-catalogue", access + "test2V2000.mdb", out, "--json"}), 1,
                  "test2V2000.mdb: has no table tblMotordata");
    ExpectFailure(RunCli({"import-catalogue", access + "README.md", out}), 1, "is not an Access database");
    EXPECT_FALSE(QFile::exists(out));
    ExpectFailure(RunCli({"import-catalogue", access + "testV1997.mdb"}), 2);
}
