#include "CliRunner.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

using namespace airmotor::cli::test;

namespace {

// M(n) = 20 - 0.02 n Nm and L(n) = 5 + 0.01 n l/s read at 10 r/min, 0.5 Nm and 0.1 l/s per mm,
// targets: free speed 1100, maximum power 0.6 kW, air at maximum power 12 l/s.
const char* const kLinear =
    "6,10,0.5,0.1,1\r\n20,40,60,80,100,110\r\n32,24,16,8,0,-4\r\n70,90,110,130,150,160\r\n"
    "1100,0.6,0,12\r\n1.3,1,1\r\n2.5\r\n\"TKM20-A5\"\r\n#2026-12-07#\r\n";

QString WriteFile(const QTemporaryDir& dir, const char* name, const char* text) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    return path;
}

} // namespace

TEST(MaintenanceCli, GearContract) {
    const QJsonObject multi =
        RunCli({"gear", "--designation", "TKM20-A5-UAA 247", "--speed", "1000", "--torque", "0", "--json"})
            .json();
    EXPECT_EQ(multi["kind"].toString(), "multi-stage");
    EXPECT_TRUE(multi["error"].isNull());
    EXPECT_EQ(multi["stages"].toDouble(), 2.0);
    EXPECT_EQ(multi["gearCode"].toString(), "247");
    EXPECT_EQ(multi["axleDistance"].toDouble(), 70.0);
    EXPECT_EQ(multi["sealDiameter"].toDouble(), 45.0);
    EXPECT_NEAR(multi["losses"].toObject()["eta"].toDouble(), 0.99, 1e-7);
    EXPECT_EQ(multi["losses"].toObject()["etaTot"].toDouble(), 0.0);

    const QJsonObject unknown = RunCli({"gear", "--designation", "TKM20-A5-UAA 299", "--json"}).json();
    EXPECT_EQ(unknown["error"].toString(), "FELAKTIG VÄXELBETECKNING");
    EXPECT_EQ(unknown["gearCode"].toString(), "299");
    EXPECT_TRUE(unknown["losses"].isNull());

    // "BSX": no decode, but the loss model still takes the worm branch (a = 0); empty worm data give 0 / 0.
    const QJsonObject bsx =
        RunCli({"gear", "--designation", "TKS03-ST-BSX40", "--speed", "1000", "--torque", "5", "--json"})
            .json();
    EXPECT_EQ(bsx["kind"].toString(), "none");
    EXPECT_EQ(bsx["gearCode"].toString(), "");
    EXPECT_TRUE(bsx["losses"].toObject()["eta"].isNull());

    const QJsonObject plain = RunCli({"gear", "--designation", "TKM20", "--efficiency", "9x0", "--speed", "1",
                                      "--torque", "1", "--json"})
                                  .json();
    EXPECT_NEAR(plain["losses"].toObject()["eta"].toDouble(), 0.9, 1e-7); // typed through the key filter
}

TEST(MaintenanceCli, MeasurementCalibratedAndWithCompanion) {
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "TKM20.DAT", kLinear);
    WriteFile(dir, "tkm20-u.dat", "2,10,0.5,0.1,1\r\n20,40\r\n32,24\r\n70,90\r\n");
    const CliResult r = RunCli(
        {"measurement", path, "--degree-m", "1", "--degree-l", "1", "--calibrate", "--companion", "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject doc = r.json();
    EXPECT_FLOAT_EQ(static_cast<float>(doc["file"].toObject()["factors"].toObject()["Kn"].toDouble()), 1.3f);
    EXPECT_NEAR(doc["sngTopVarv"].toDouble(), 1100.0, 1e-3);
    EXPECT_EQ(doc["torqueFit"].toObject()["coefficients"].toArray().size(), 5);
    EXPECT_EQ(doc["torqueFit"].toObject()["coefficients"].toArray()[2].toDouble(), 0.0);
    EXPECT_NEAR(doc["curves"].toObject()["maxPower"].toDouble(), 0.6, 1e-4);
    EXPECT_NEAR(doc["curves"].toObject()["freeSpeed"].toDouble(), 1100.0, 0.1);
    EXPECT_NEAR(doc["factors"].toObject()["Kl"].toDouble(), 1.2, 5e-4);
    EXPECT_EQ(doc["companion"].toObject()["n"].toInt(), 2);
    EXPECT_TRUE(doc["messages"].toArray().isEmpty());

    const CliResult plain = RunCli({"measurement", path, "--json"});
    EXPECT_TRUE(plain.json()["companion"].isNull());
    EXPECT_FLOAT_EQ(static_cast<float>(plain.json()["factors"].toObject()["Kn"].toDouble()), 1.3f);
}

TEST(MaintenanceCli, SaveMotorAddsOneRecordAndReplaceNeedsAnExactName) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(AIRMOTOR_BIN_DIR "/Zevodida.db", dir.filePath("Zevodida.db")));
    const QString path = WriteFile(dir, "NEW.DAT", kLinear);
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
