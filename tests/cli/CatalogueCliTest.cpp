#include "CliRunner.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

using namespace airmotor::cli::test;

namespace {
namespace catalogue_cli_test {

TEST(CatalogueCli, GlobalOptionsStandAnywhereAndLanguageDefaultsToTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(AIRMOTOR_BIN_DIR "/Zevodida.db", dir.filePath("Zevodida.db")));
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
    const CliResult loaded = RunCli({"--folder", dir.path(), "catalogue", "--json"});
    ASSERT_EQ(loaded.status, 0) << loaded.err.toStdString();
    // Every key of the program's table, each once.
    const CliResult texts = RunCli({"--folder", dir.path(), "texts", "--json"});
    ASSERT_EQ(texts.status, 0) << texts.err.toStdString();
    EXPECT_EQ(good.json()["texts"].toInt(), texts.json()["texts"].toObject().size());

    // A broken source: the message names the file and line (the builder's own tests keep the output).
    QDir(dir.path()).mkdir("src");
    for (const char* f : {"motors.csv", "texts.csv", "imperial.csv"})
        QFile::copy(data + "/" + f, dir.filePath(QString("src/") + f));
    QFile imperial(dir.filePath("src/imperial.csv"));
    ASSERT_TRUE(imperial.open(QIODevice::Append));
    imperial.write("999,too far\n");
    imperial.close();
    ExpectFailure(RunCli({"make-database", dir.filePath("src"), dir.filePath("Zevodida.db")}), 1,
                  "imperial.csv:");
}

} // namespace catalogue_cli_test
} // namespace
