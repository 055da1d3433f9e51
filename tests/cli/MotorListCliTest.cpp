#include "CliRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>

using namespace airmotor::cli::test;

namespace {
namespace motor_list_cli_test {

// The shipped sample list (rows 2-4) and the bundled catalogue in a folder of their own.
struct ListFolder {
    QTemporaryDir dir;
    QString book = dir.filePath("Motorlista.xlsx");

    ListFolder() {
        const QDir sample(AIRMOTOR_SOURCE_DIR "/data/samples/motor-list");
        for (const QString& name : sample.entryList(QDir::Files))
            EXPECT_TRUE(QFile::copy(sample.filePath(name), dir.filePath(name)));
        EXPECT_TRUE(QFile::copy(AIRMOTOR_BIN_DIR "/Zevodida.db", dir.filePath("Zevodida.db")));
    }
    CliResult run(QStringList args) const {
        return RunCli(QStringList{"--folder", dir.path(), "motor-list", book} + args + QStringList{"--json"});
    }
};

QStringList Outcomes(const QJsonObject& doc) {
    QStringList outcomes;
    for (const auto& row : doc["rows"].toArray())
        outcomes << row.toObject()["outcome"].toString();
    return outcomes;
}

TEST(MotorListCli, RowsAreAddedOnceAndABadRowIsSkippedWithItsReason) {
    ListFolder list;
    ASSERT_TRUE(QFile::rename(list.dir.filePath("TKM30S2.DAT"), list.dir.filePath("away.DAT")));
    const CliResult first = list.run({"--rows", "2-5", "--update"});
    ASSERT_EQ(first.status, 0) << first.err.toStdString();
    const QJsonObject doc = first.json();
    // Which rows are skipped and why is the batch's own rule; here the fields the command writes.
    EXPECT_EQ(Outcomes(doc), QStringList({"added", "skipped", "added", "skipped"}));
    EXPECT_EQ(doc["added"].toInt(), 2);
    EXPECT_EQ(doc["skipped"].toInt(), 2);
    QJsonObject bad = doc["rows"].toArray()[1].toObject();
    const QString reason = bad.take("reason").toString();
    EXPECT_TRUE(reason.contains("TKM30S2.DAT: ")) << reason.toStdString();
    EXPECT_EQ(bad, (QJsonObject{{"row", 3},
                                {"designation", "TKM30-S2-EX"},
                                {"file", "TKM30S2.DAT"},
                                {"outcome", "skipped"},
                                {"intKatalogindex", QJsonValue::Null}}));
    const int index = doc["rows"].toArray()[0].toObject()["intKatalogindex"].toInt();
    EXPECT_EQ(doc["rows"].toArray()[2].toObject()["intKatalogindex"].toInt(), index + 1);

    // Run again with the file back: only the row skipped before is added.
    ASSERT_TRUE(QFile::rename(list.dir.filePath("away.DAT"), list.dir.filePath("TKM30S2.DAT")));
    const QJsonObject second = list.run({"--rows", "2-4", "--update"}).json();
    EXPECT_EQ(Outcomes(second), QStringList({"skipped", "added", "skipped"}));
    EXPECT_EQ(second["rows"].toArray()[0].toObject()["intKatalogindex"].toInt(), index);
    for (const char* designation : {"TKM20-S1-EX", "TKM30-S2-EX", "TKS05-C3-EX"})
        EXPECT_EQ(Listed(list.dir.path(), designation), 1) << designation;
}

TEST(MotorListCli, PrintWritesOnePdfPerRow) {
    ListFolder list;
    QTemporaryDir out;
    const CliResult r = list.run({"--rows", "2-3", "--print", "--out", out.path()});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject doc = r.json();
    EXPECT_EQ(doc.keys(), (QStringList{"added", "printed", "rows", "skipped"}));
    EXPECT_EQ(doc["rows"].toArray()[0].toObject().keys(),
              (QStringList{"designation", "file", "intKatalogindex", "outcome", "reason", "row"}));
    EXPECT_EQ(Outcomes(doc), QStringList({"printed", "printed"}));
    EXPECT_EQ(doc["printed"].toInt(), 2);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList({"row-2.pdf", "row-3.pdf"}));
    EXPECT_TRUE(QFile(out.filePath("row-2.pdf")).size() > 1000);
}

// A workbook opened through a link elsewhere finds its measurement files beside the workbook
// itself, and its save goes to the workbook, the link staying a link.
TEST(MotorListCli, LinkedWorkbookReadsBesideItsTarget) {
    ListFolder list;
    QTemporaryDir elsewhere;
    const QString link = elsewhere.filePath("linked.xlsx");
    ASSERT_TRUE(QFile::link(list.book, link));
    const CliResult r =
        RunCli({"--folder", list.dir.path(), "motor-list", link, "--rows", "2-2", "--update", "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Outcomes(r.json()), QStringList({"added"})) << r.out.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"linked.xlsx"}));
}

TEST(MotorListCli, RefusedWorkbooksAndUsage) {
    ListFolder list;
    QFile f(list.book);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    ExpectFailure(RunCli({"motor-list", list.dir.filePath("none.xlsx"), "--rows", "2-3", "--update"}), 1,
                  "none.xlsx: the workbook does not exist");
    ExpectFailure(RunCli({"motor-list", list.dir.filePath("TKM20S1.DAT"), "--rows", "2", "--update"}), 1,
                  "TKM20S1.DAT: is not a zip archive");
    ExpectFailure(list.run({"--rows", "2-3", "--update", "--print"}), 2,
                  "exactly one of --update and --print");
    for (const char* rows : {"3-2", "0-1", "two", "2-"})
        ExpectFailure(list.run({"--rows", rows, "--update"}), 2, "--rows takes FIRST-LAST");
    // Row 1 is the lowest a range may start at (the headings there are skipped like any bad row).
    EXPECT_EQ(Outcomes(list.run({"--rows", "1-1", "--update"}).json()), QStringList({"skipped"}));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

} // namespace motor_list_cli_test
} // namespace
