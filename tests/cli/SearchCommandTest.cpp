#include "CliRunner.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <algorithm>

namespace {

using airmotor::cli::test::CliResult;

// Without --json the figures stand under the program's own captions, in the chosen language.
TEST(SearchCommand, TextOutputUsesTheProgramsCaptions) {
    const QStringList search{"--language", "German", "search",     "--torque", "10",
                             "--speed",    "3000",   "--pressure", "6"};
    const CliResult text = airmotor::cli::test::RunCli(QStringList{"--folder", AIRMOTOR_BIN_DIR} + search);
    ASSERT_EQ(text.status, 0) << text.err.toStdString();
    const QString out = QString::fromUtf8(text.out);
    const QJsonObject json = airmotor::cli::test::RunCli(QStringList{"--folder", AIRMOTOR_BIN_DIR} + search +
                                                         QStringList{"--json"})
                                 .json();
    const QJsonObject labels = json["current"].toObject()["labels"].toObject();
    const QJsonObject texts =
        airmotor::cli::test::RunCli({"--folder", AIRMOTOR_BIN_DIR, "--language", "German", "texts", "--json"})
            .json()["texts"]
            .toObject();
    const QStringList lines = out.split('\n');
    // "Max. Leistung [kW]   3.19": caption, blanks, the value, as the window shows it.
    for (const auto& [caption, value] :
         {std::pair{"98", "MaxeffektR"}, std::pair{"150", "lblProductNumber"}}) {
        const QString wanted = texts[caption].toString();
        const auto line = std::find_if(lines.begin(), lines.end(),
                                       [&](const QString& l) { return l.trimmed().startsWith(wanted); });
        ASSERT_NE(line, lines.end()) << wanted.toStdString() << "\n" << out.toStdString();
        EXPECT_EQ(line->mid(line->indexOf(wanted) + wanted.size()).trimmed(),
                  labels[value].toString().trimmed());
    }
    EXPECT_FALSE(out.contains("MaxeffektR")) << "no control names";
    EXPECT_TRUE(lines[0].startsWith("Suchfall 10: 6 Motoren")) << lines[0].toStdString();
    // The grid as a table: its headers, then each row numbered with its cells.
    const QJsonArray grid = json["grid"].toArray();
    const int header = int(lines.indexOf(
        QRegularExpression("^\\s+" + texts["79"].toString() + "\\s+" + texts["135"].toString() + "$")));
    ASSERT_GE(header, 0) << out.toStdString();
    for (int r = 0; r < grid.size(); ++r) {
        const QJsonArray cells = grid[r].toObject()["cells"].toArray();
        EXPECT_EQ(lines[header + 1 + r].simplified(),
                  QString("%1 %2 %3").arg(r + 1).arg(cells[0].toString(), cells[1].toString()).simplified());
    }
}

} // namespace
