#include "CliRunner.h"

#include <QFile>
#include <QJsonArray>
#include <QSet>
#include <QTemporaryDir>

using airmotor::cli::test::RunCli;

namespace {

const QStringList kDuty = {"--torque", "10", "--speed", "3000", "--pressure", "6"};

QJsonObject Compare(const QStringList& extra) {
    const auto r = RunCli(QStringList{"compare"} + kDuty + extra + QStringList{"--json"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    return r.json();
}

} // namespace

TEST(CompareCommand, RowsCarryTheAnalysisTheKeyFiguresAndTheBestMarks) {
    const QJsonObject answer = Compare({"--rows", "1,3,4"});
    const QJsonArray rows = answer["rows"].toArray();
    ASSERT_EQ(rows.size(), 3);
    QSet<QString> figureNames;
    for (const QJsonValue& f : answer["figures"].toArray()) {
        const QJsonObject figure = f.toObject();
        EXPECT_EQ(figure.keys(), (QStringList{"better", "name"}));
        EXPECT_TRUE(figure["better"].isNull() || figure["better"] == "higher" || figure["better"] == "lower");
        figureNames.insert(figure["name"].toString());
    }
    for (const char* name : {"maxPower", "stallTorque", "weight", "torqueMargin", "air", "airCostPerYear"})
        EXPECT_TRUE(figureNames.contains(name)) << name;

    int marks = 0;
    const int expectedRows[] = {1, 3, 4};
    for (int i = 0; i < rows.size(); ++i) {
        const QJsonObject row = rows[i].toObject();
        EXPECT_EQ(row["row"].toInt(), expectedRows[i]);
        // The analysis figures are those of the analyse command for the same row.
        const auto analysed = RunCli(QStringList{"analyse"} + kDuty +
                                     QStringList{"--select", QString::number(expectedRows[i]), "--json"});
        ASSERT_EQ(analysed.status, 0);
        const QJsonObject analysis = analysed.json()["rows"].toArray()[0].toObject();
        for (const QString& key : analysis.keys())
            EXPECT_EQ(row[key], analysis[key]) << key.toStdString();
        for (const QString& name : figureNames) {
            if (name != "mode") {
                EXPECT_TRUE(row.contains(name)) << name.toStdString();
            }
        }
        for (const QJsonValue& best : row["best"].toArray()) {
            EXPECT_TRUE(figureNames.contains(best.toString())) << best.toString().toStdString();
            ++marks;
        }
    }
    EXPECT_GT(marks, 0);
    EXPECT_FALSE(answer.contains("out"));

    // Numbers and marks do not depend on the language or its units.
    const auto german = RunCli(QStringList{"--language", "German", "compare"} + kDuty +
                               QStringList{"--rows", "1,3,4", "--json"});
    EXPECT_EQ(german.json(), answer);
}

TEST(CompareCommand, WritesTheDiagramWhenAsked) {
    QTemporaryDir dir;
    for (const char* name : {"c.svg", "c.pdf"}) {
        const QString out = dir.filePath(name);
        const QJsonObject answer = Compare({"--rows", "2,1", "--out", out});
        EXPECT_EQ(answer["out"].toString(), out);
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        EXPECT_GT(file.size(), 1000) << name;
    }
}
