#include "CliRunner.h"

#include <QJsonArray>
#include <QTemporaryDir>

using namespace airmotor::cli::test;

namespace {

const QString kSample =
    QStringLiteral(AIRMOTOR_BIN_DIR "/Produktionsdata/Alla TKM Trebro och Ungern Test.sqlite");

} // namespace

TEST(ProductionCli, JsonShapeRowsAndRecords) {
    // Motor 3 has records in the bundled sample; without --production the sample is the default.
    for (const QStringList& args :
         {QStringList{"--json", "production", "--index", "3", "--production", kSample},
          QStringList{"--json", "production", "--index", "3"}}) {
        const CliResult r = RunCli(args);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QJsonObject o = r.json();
        const QJsonArray records = o["records"].toArray();
        ASSERT_FALSE(records.isEmpty());
        int used = 0;
        for (const auto& v : records) {
            const QJsonObject rec = v.toObject();
            EXPECT_EQ(rec.keys(), (QStringList{"Produktnummer", "SerNbr", "reason", "used"}));
            EXPECT_EQ(rec["used"].toBool(), rec["reason"].toString() == "used");
            used += rec["used"].toBool() ? 1 : 0;
        }
        ASSERT_EQ(o["count"].toInt(), used);
        ASSERT_GT(used, 0);
        const QJsonArray rows = o["rows"].toArray();
        ASSERT_EQ(rows.size(), 8);
        EXPECT_EQ(rows[0].toObject()["label"].toString(), "Antal mätta motorer");
        EXPECT_EQ(rows[0].toObject()["old"].toString(), QString::number(used));
        EXPECT_EQ(rows[0].toObject()["new"].toString(), "");
        EXPECT_EQ(rows[2].toObject()["label"].toString(), "Maxeffekt");
        EXPECT_FALSE(rows[2].toObject()["new"].toString().isEmpty());
        EXPECT_EQ(rows[7].toObject().keys(), (QStringList{"diff", "label", "new", "old"}));
    }
}

TEST(ProductionCli, AMotorWithoutRecordsHasNoTable) {
    // A TKS motor: the sample holds TKM records only.
    const CliResult none = RunCli({"--json", "production", "--index", "243", "--production", kSample});
    ASSERT_EQ(none.status, 0) << none.err.toStdString();
    EXPECT_EQ(none.json()["count"].toInt(), 0);
    EXPECT_TRUE(none.json()["rows"].toArray().isEmpty());
}
