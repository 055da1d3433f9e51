#include "CliRunner.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

namespace {
namespace export_cli_test {

using airmotor::cli::test::ExpectFailure;
using airmotor::cli::test::RunCli;

QJsonArray Rows(const QStringList& arguments) {
    const auto r = RunCli(arguments);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    return r.json()["rows"].toArray();
}

const QStringList kDuty = {"--torque", "10", "--speed", "3000", "--pressure", "6"};

TEST(ExportCommand, WritesEveryAnalysedRowAsCsv) {
    QTemporaryDir dir;
    const QString csv = dir.filePath("rows.csv");
    const auto r = RunCli(QStringList{"export"} + kDuty + QStringList{"--out", csv, "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonArray rows = Rows(QStringList{"analyse"} + kDuty + QStringList{"--all", "--json"});
    EXPECT_EQ(r.json()["rows"].toInt(), rows.size());
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), rows.size() + 1);
    EXPECT_TRUE(lines[0].startsWith("row,designation,mode,pressure [bar]"));
    const QStringList first = lines[1].split(',');
    EXPECT_EQ(first[1], rows[0].toObject()["designation"].toString());
    EXPECT_NEAR(first[8].toDouble(), rows[0].toObject()["air"].toDouble(), 0.006);

    ExpectFailure(RunCli(QStringList{"export"} + kDuty + QStringList{"--out", dir.filePath("x.ods")}), 2,
                  "unknown file type");
}

// The workbook read back by an independent reader: header, frozen panes, number formats and the
// same figures as the analysis; a folder in the way is refused and left alone.
TEST(ExportCommand, WorkbookReadsBackWithTheAnalysedFigures) {
    if (!QFile::exists("/usr/bin/python3") ||
        QProcess::execute("/usr/bin/python3", {"-c", "import openpyxl"}) != 0)
        GTEST_SKIP() << "python3-openpyxl is not installed: the workbook is not read back";
    QTemporaryDir dir;
    const QString xlsx = dir.filePath("rows.xlsx");
    const auto r = RunCli(QStringList{"export"} + kDuty + QStringList{"--out", xlsx, "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QProcess reader;
    reader.start("/usr/bin/python3", {"-c",
                                      "import sys, json, openpyxl\n"
                                      "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                      "rows = [[c.value for c in r] for r in ws.iter_rows()]\n"
                                      "print(json.dumps({'freeze': ws.freeze_panes, 'rows': rows,\n"
                                      "  'formats': [c.number_format for c in ws[2]]}))",
                                      xlsx});
    ASSERT_TRUE(reader.waitForFinished(30000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonObject book = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    EXPECT_EQ(book["freeze"].toString(), "C2");
    const QJsonArray sheet = book["rows"].toArray();
    const QJsonArray rows = Rows(QStringList{"analyse"} + kDuty + QStringList{"--all", "--json"});
    ASSERT_EQ(sheet.size(), rows.size() + 1);
    EXPECT_EQ(sheet[0].toArray()[3].toString(), "pressure [bar]");
    const QJsonArray formats = book["formats"].toArray();
    EXPECT_EQ(formats[7].toString(), "0.000");
    EXPECT_EQ(formats[8].toString(), "0.00");
    for (int i = 0; i < rows.size(); ++i) {
        const QJsonArray cells = sheet[i + 1].toArray();
        const QJsonObject row = rows[i].toObject();
        EXPECT_EQ(cells[0].toInt(), i + 1);
        EXPECT_EQ(cells[1].toString(), row["designation"].toString());
        EXPECT_NEAR(cells[8].toDouble(), row["air"].toDouble(), 1e-4);
        EXPECT_TRUE(cells[10].isNull()) << "no start torque was required";
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.xlsx"));
    ExpectFailure(RunCli(QStringList{"export"} + kDuty + QStringList{"--out", dir.filePath("folder.xlsx")}),
                  1, "folder.xlsx");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary left";
}

// The comparison's diagram in the format its extension names.
TEST(CompareCommand, WritesTheDiagramWhenAsked) {
    QTemporaryDir dir;
    for (const char* name : {"c.svg", "c.pdf"}) {
        const QString out = dir.filePath(name);
        const auto r =
            RunCli(QStringList{"compare"} + kDuty + QStringList{"--rows", "2,1", "--out", out, "--json"});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_EQ(r.json()["out"].toString(), out);
        EXPECT_GT(QFile(out).size(), 1000) << name;
    }
}

} // namespace export_cli_test
} // namespace
