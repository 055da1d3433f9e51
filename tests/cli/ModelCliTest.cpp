#include "CliRunner.h"

#include <QJsonArray>

using namespace airmotor::cli::test;

TEST(ModelCli, FactorsAtTheReferencePressureAreOne) {
    const CliResult r = RunCli({"factors", "--designation", "TKM22-A300", "--pressure", "6.3", "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject doc = r.json();
    EXPECT_EQ(doc.keys(), (QStringList{"sngKl", "sngKm", "sngKn"}));
    for (const char* k : {"sngKm", "sngKn", "sngKl"})
        EXPECT_EQ(doc[k].toDouble(), 1.0) << k;
}

TEST(ModelCli, PreviousFactorsReachTheRules) {
    // A TKS "BS" version (positions 10-11) has no factors of its own and keeps those passed in.
    const CliResult r = RunCli({"factors", "--designation", "TKS03-ST-BS 25-120", "--pressure", "5",
                                "--previous", "0.5,0.25,2", "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.json(), (QJsonObject{{"sngKm", 0.5}, {"sngKn", 0.25}, {"sngKl", 2.0}}));
}

TEST(ModelCli, AxisDecimalsAndFit) {
    const QJsonObject axis = RunCli({"axis", "--value", "12.3", "--axis", "Y", "--json"}).json();
    EXPECT_EQ(axis["maximum"].toDouble(), 14.0);
    EXPECT_EQ(axis["divisions"].toInt(), 7);
    EXPECT_EQ(axis["step"].toDouble(), 2.0);
    EXPECT_EQ(axis["labelStep"].toDouble(), 2.0);
    EXPECT_EQ(RunCli({"axis", "--value", "0", "--axis", "X", "--json"}).json(),
              (QJsonObject{{"unchanged", true}}));
    EXPECT_EQ(RunCli({"decimals", "--value", "12.5", "--json"}).json()["decimals"].toInt(), 1);

    const QJsonArray line = RunCli({"fit", "--degree", "1", "--points", "0,1 1,3 2,5", "--json"})
                                .json()["coefficients"]
                                .toArray();
    ASSERT_EQ(line.size(), 2);
    EXPECT_NEAR(line[0].toDouble(), 1.0, 1e-5);
    EXPECT_NEAR(line[1].toDouble(), 2.0, 1e-5);
    const QJsonArray tooFew =
        RunCli({"fit", "--degree", "1", "--points", "0,1 1,3", "--json"}).json()["coefficients"].toArray();
    EXPECT_EQ(tooFew, (QJsonArray{0, 0}));
}

TEST(ModelCli, MalformedNumbersAreUsageErrors) {
    ExpectFailure(RunCli({"factors", "--designation", "TKM22", "--pressure", "6,3"}), 2, "pressure");
    ExpectFailure(RunCli({"factors", "--designation", "TKM22", "--pressure", "6", "--previous", "1,1"}), 2,
                  "previous");
    ExpectFailure(RunCli({"factors", "--pressure", "6"}), 2, "designation");
    ExpectFailure(RunCli({"axis", "--value", "abc", "--axis", "X"}), 2, "value");
    ExpectFailure(RunCli({"axis", "--value", "3", "--axis", "Z"}), 2, "axis");
    ExpectFailure(RunCli({"decimals", "--value", "1e999"}), 2, "value");
    ExpectFailure(RunCli({"fit", "--degree", "-1", "--points", "0,1"}), 2, "degree");
    ExpectFailure(RunCli({"fit", "--degree", "2", "--points", "0,1 2"}), 2, "points");
    // These commands need no program folder: a useless folder does not stop them.
    EXPECT_EQ(RunCli({"--folder", "/nonexistent", "decimals", "--value", "12"}).status, 0);
}
