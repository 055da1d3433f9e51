#include "CliRunner.h"

#include <QJsonArray>

using airmotor::cli::test::RunCli;

namespace {

QJsonObject Answer(const QStringList& args) {
    const auto r = RunCli(QStringList{"--folder", AIRMOTOR_BIN_DIR, "--json"} + args);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    return r.json();
}

} // namespace

TEST(CalculatorCommands, OwnMotorDataSolveWithCurvesAndAxes) {
    const QJsonObject w = Answer({"wagon", "--own", "10,8,3000", "--m", "1000", "--Nd", "5000"});
    EXPECT_EQ(w["command"].toString(), "wagon");
    EXPECT_FALSE(w["refused"].toBool());
    EXPECT_TRUE(w["messages"].toArray().isEmpty());
    EXPECT_EQ(w["motor"]["Ms"].toDouble(), 10.0);
    EXPECT_EQ(w["results"]["Text1_8"].toString(), "7.68");
    EXPECT_NEAR(w["values"]["v"].toDouble(), 1.5538498, 1e-4);
    EXPECT_EQ(w["boxes"]["Text1_4"]["text"].toString(), "1000");
    EXPECT_EQ(w["boxes"]["Text1_14"]["colour"].toInt(), 14);
    EXPECT_EQ(w["heading"].toString(), "Result after 6 s :");
    for (const char* name : {"t", "s", "v", "a"})
        EXPECT_EQ(w["curves"][name].toArray().size(), 71) << name;
    EXPECT_EQ(w["curves"]["v"].toArray().at(0).toDouble(), 0.0);
    for (const char* axis : {"time", "distance", "velocity", "acceleration"})
        EXPECT_TRUE(w["axes"][axis].isObject()) << axis;
    EXPECT_EQ(w["axes"]["time"]["maximum"].toDouble(), 6.0);

    const QJsonObject r = Answer({"rotating-mass", "--own", "2,1.5,6000", "--c", "1"});
    EXPECT_FALSE(r["refused"].toBool());
    EXPECT_NEAR(r["values"]["angleVelocity"].toDouble(), 475.62424, 0.01);
    EXPECT_NEAR(r["values"]["rpm"].toDouble(), 475.62424 / 6.0, 0.01);
    EXPECT_EQ(r["results"]["Text1_6"].toString(), "79.27");
    for (const char* name : {"t", "revolutions", "rpm", "acceleration"})
        EXPECT_EQ(r["curves"][name].toArray().size(), 71) << name;
    for (const char* axis : {"time", "angle", "speed", "acceleration"})
        EXPECT_TRUE(r["axes"][axis].isObject()) << axis;
}

TEST(CalculatorCommands, RefusalsReportNothingMore) {
    struct Case {
        QStringList args;
        int key;
    };
    const Case cases[] = {
        {{"wagon", "--own", ",8,3000"}, 168}, // an empty stall torque stays 0
        {{"wagon", "--own", "10,8,3000", "--m", "0"}, 169},
        {{"wagon", "--own", "10,8,3000", "--T", "0"}, 169},
        {{"wagon", "--own", "10,8,3000", "--m", "1000"}, 218}, // the default Nd lets the wheel slip
        {{"rotating-mass", "--own", "2,1.5,6000", "--J", "0"}, 169},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const QJsonObject o = Answer(c.args);
        EXPECT_TRUE(o["refused"].toBool());
        ASSERT_EQ(o["messages"].toArray().size(), 1);
        EXPECT_EQ(o["messages"][0]["key"].toInt(), c.key);
        EXPECT_TRUE(o["values"].isNull());
        EXPECT_TRUE(o["curves"].isNull());
        EXPECT_TRUE(o["axes"].isNull());
        EXPECT_EQ(o["results"]["Text1_8"].toString(), "");
    }
}

TEST(CalculatorCommands, MotorFromCatalogueOrSession) {
    const QJsonObject byIndex = Answer({"wagon", "--index", "1"});
    EXPECT_FALSE(byIndex["motor"]["Text1_13"].toString().isEmpty());
    EXPECT_EQ(byIndex["boxes"]["Text1_14"]["colour"].toInt(), 12648384);
    const QJsonObject listed = Answer({"wagon"});
    EXPECT_FALSE(listed["motor"]["Text1_13"].toString().isEmpty());
}
