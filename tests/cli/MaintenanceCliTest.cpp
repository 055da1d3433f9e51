#include "CliRunner.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

using namespace airmotor::cli::test;

namespace {

// The linear measurement also recorded for the measurement command: M(n) = 20 - 0.02 n Nm,
// L(n) = 5 + 0.01 n l/s with a maximum power of 0.6 kW.
const QString kLinear = QStringLiteral(AIRMOTOR_SOURCE_DIR "/tests/cli/recorded/TKM20.DAT");

} // namespace

TEST(MaintenanceCli, SaveMotorAddsOneRecordAndReplaceNeedsAnExactName) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(AIRMOTOR_BIN_DIR "/Zevodida.db", dir.filePath("Zevodida.db")));
    const QString path = dir.filePath("NEW.DAT");
    ASSERT_TRUE(QFile::copy(kLinear, path));
    const CliResult added = RunCli({"--folder", dir.path(), "save-motor", path, "--add", "--designation",
                                    "TKM20-A5-NEW", "--degree-m", "3", "--price", "12", "--json"});
    ASSERT_EQ(added.status, 0) << added.err.toStdString();
    const QJsonObject doc = added.json();
    EXPECT_EQ(doc["mode"].toString(), "add");
    const QJsonObject fields = doc["fields"].toObject();
    EXPECT_EQ(fields["intKatalogindex"].toInt(), doc["intKatalogindex"].toInt());
    EXPECT_EQ(fields["sngC4_M"].toDouble(), 0.0);
    EXPECT_EQ(fields["sngPris"].toDouble(), 12.0);
    EXPECT_NEAR(fields["sngMaxEffekt"].toDouble(), 0.6, 1e-4); // the calibrated pass
    // The new motor is listed once, under the index the add reported.
    const QJsonObject listed = RunCli({"--folder", dir.path(), "catalogue", "--json"}).json();
    int count = 0;
    for (const auto& motor : listed["motors"].toArray())
        count += motor.toObject()["strBenamning"].toString() == "TKM20-A5-NEW" ? 1 : 0;
    EXPECT_EQ(count, 1);

    // The load now also warns that the new motor has no search index yet.
    const CliResult notFound = RunCli(
        {"--folder", dir.path(), "save-motor", path, "--replace", "--designation", "tkm20-a5-new", "--json"});
    EXPECT_EQ(notFound.status, 1);
    EXPECT_TRUE(notFound.out.isEmpty());
    EXPECT_TRUE(notFound.err.contains("Denna motorbeteckning finns ej i datafilen!"))
        << notFound.err.toStdString();
    const CliResult replaced = RunCli(
        {"--folder", dir.path(), "save-motor", path, "--replace", "--designation", "TKM20-A5-NEW", "--json"});
    ASSERT_EQ(replaced.status, 0) << replaced.err.toStdString();
    EXPECT_EQ(replaced.json()["intKatalogindex"].toInt(), doc["intKatalogindex"].toInt());
}
