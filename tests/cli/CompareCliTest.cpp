#include "CliRunner.h"

#include <QFile>
#include <QTemporaryDir>

namespace {
namespace compare_cli_test {

using airmotor::cli::test::RunCli;

const QStringList kDuty = {"--torque", "10", "--speed", "3000", "--pressure", "6"};

QJsonObject Compare(const QStringList& extra) {
    const auto r = RunCli(QStringList{"compare"} + kDuty + extra + QStringList{"--json"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    return r.json();
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

} // namespace compare_cli_test
} // namespace
