#include "CliRunner.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <tuple>

using namespace airmotor::cli::test;

namespace {
namespace maintenance_cli_test {

// The linear measurement also recorded for the measurement command: M(n) = 20 - 0.02 n Nm,
// L(n) = 5 + 0.01 n l/s with a maximum power of 0.6 kW.
const QString kLinear = QStringLiteral(AIRMOTOR_SOURCE_DIR "/tests/cli/recorded/TKM20.DAT");

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
    EXPECT_EQ(Listed(dir.path(), "TKM20-A5-NEW"), 1);

    // The load now also warns that the new motor has no search index yet.
    const CliResult notFound = RunCli(
        {"--folder", dir.path(), "save-motor", path, "--replace", "--designation", "tkm20-a5-new", "--json"});
    EXPECT_EQ(notFound.status, 2);
    EXPECT_TRUE(notFound.out.isEmpty());
    EXPECT_TRUE(notFound.err.contains("Denna motorbeteckning finns ej i datafilen!"))
        << notFound.err.toStdString();
    const CliResult replaced = RunCli(
        {"--folder", dir.path(), "save-motor", path, "--replace", "--designation", "TKM20-A5-NEW", "--json"});
    ASSERT_EQ(replaced.status, 0) << replaced.err.toStdString();
    EXPECT_EQ(replaced.json()["intKatalogindex"].toInt(), doc["intKatalogindex"].toInt());
}

// Readings that fit no motor and a designation longer than the catalogue's field are refused as
// input (exit 2, nothing stored); a designation in the old code page is converted, with a warning.
TEST(MaintenanceCli, SaveMotorRefusesWhatTheCatalogueCannotHoldAndConvertsOldText) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(AIRMOTOR_BIN_DIR "/Zevodida.db", dir.filePath("Zevodida.db")));
    QFile linear(kLinear);
    ASSERT_TRUE(linear.open(QIODevice::ReadOnly));
    const QByteArray text = linear.readAll();
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return dir.filePath(name);
    };
    const QString zero = write("ZERO.DAT", QByteArray(text)
                                               .replace("32,24,16,8,0,-4", "0,0,0,0,0,0")
                                               .replace("70,90,110,130,150,160", "0,0,0,0,0,0"));
    const QString latin =
        write("LATIN.DAT", QByteArray(text).replace("\"TKM20-A5\"", "\"TKM20-\xE5\xE4\xF6\""));
    const QString linearCopy = write("LINEAR.DAT", text);
    const QString longName(256, QLatin1Char('X'));
    const std::vector<std::tuple<QStringList, int, const char*>> cases = {
        {{zero}, 2, "Kurvorna ger inget tomgångsvarvtal eller ingen effekt"},
        {{linearCopy, "--designation", longName}, 2, "strBenamning är längre än de 255 tecken"},
        {{latin}, 0, "warning: save-motor: "},
    };
    for (const auto& [args, status, fragment] : cases) {
        const CliResult r =
            RunCli(QStringList{"--folder", dir.path(), "save-motor", "--add", "--json"} + args);
        EXPECT_EQ(r.status, status) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(fragment)) << r.err.toStdString();
    }
    EXPECT_EQ(Listed(dir.path(), "TKM20-A5"), 0);
    EXPECT_EQ(Listed(dir.path(), longName), 0);
    EXPECT_EQ(Listed(dir.path(), QStringLiteral("TKM20-\u00e5\u00e4\u00f6")), 1);

    // The measurement's JSON stays UTF-8 and carries the warning among its messages.
    const CliResult measured = RunCli({"measurement", latin, "--json"});
    ASSERT_EQ(measured.status, 0) << measured.err.toStdString();
    const QJsonObject doc = measured.json();
    EXPECT_EQ(doc["file"].toObject()["designation"].toString(), QStringLiteral("TKM20-\u00e5\u00e4\u00f6"));
    const QJsonArray messages = doc["messages"].toArray();
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(
        messages[0].toObject()["text"].toString().contains("line 8: the designation is not UTF-8 text"));
}

} // namespace maintenance_cli_test
} // namespace
