#include "CliRunner.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <algorithm>

namespace {

using airmotor::cli::test::CliResult;

// The bundled program folder with English texts, whatever its settings file names.
CliResult RunCli(const QStringList& arguments) {
    return airmotor::cli::test::RunCli(
        QStringList{"--folder", QStringLiteral(AIRMOTOR_BIN_DIR), "--language", "English"} + arguments);
}

QJsonObject Json(const QStringList& arguments) {
    const CliResult run = RunCli(arguments + QStringList{"--json"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    return run.json();
}

void ExpectKeys(const QJsonObject& object, const QStringList& keys) {
    for (const QString& key : keys)
        EXPECT_TRUE(object.contains(key)) << key.toStdString();
    EXPECT_EQ(object.size(), keys.size()) << QJsonDocument(object).toJson().toStdString();
}

TEST(SearchCommand, SearchListsMotorsInTheContractShape) {
    const QJsonObject o = Json({"search", "--torque", "10", "--speed", "3000", "--pressure", "6"});
    ExpectKeys(o, {"command", "case", "refused", "messages", "rows", "grid", "label23", "maintenance",
                   "fields", "current"});
    EXPECT_EQ(o["command"].toString(), "search");
    EXPECT_EQ(o["case"].toInt(), 10);
    EXPECT_FALSE(o["refused"].toBool());
    const QJsonArray rows = o["rows"].toArray();
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_LE(rows.size(), 15 + 15);
    for (int k = 0; k < rows.size(); ++k) {
        const QJsonObject row = rows[k].toObject();
        ExpectKeys(row, {"row", "index", "designation", "throttle", "pressure"});
        EXPECT_EQ(row["row"].toInt(), k + 1);
        EXPECT_GT(row["index"].toInt(), 0);
        EXPECT_LE(row["pressure"].toDouble(), 6.0 + 1e-6) << "never above the available pressure";
    }
    const QJsonArray grid = o["grid"].toArray();
    ASSERT_EQ(grid.size(), rows.size());
    for (const auto& g : grid) {
        ExpectKeys(g.toObject(), {"cells", "colour"});
        EXPECT_EQ(g.toObject()["cells"].toArray().size(), 2);
        EXPECT_TRUE(g.toObject()["colour"].isNull());
    }
    const QJsonObject fields = o["fields"].toObject();
    ExpectKeys(fields, {"ArbetsMomentB", "ArbetsVarvtalB", "MinStartmomentB", "StallmomentMinB",
                        "StallmomentMaxB", "TomgVarvMinB", "TomgVarvMaxB", "TillgLuftTryckB"});
    EXPECT_EQ(fields["ArbetsMomentB"].toObject()["text"].toString(), "10");
    EXPECT_EQ(fields["TillgLuftTryckB"].toObject()["text"].toString(), "6");
    EXPECT_EQ(fields["TillgLuftTryckB"].toObject()["colour"].toInt(), 14);

    const QJsonObject current = o["current"].toObject();
    ExpectKeys(current, {"row", "column", "index", "strCurrentBenamning", "factors", "values", "labels",
                         "NtomgangRColour", "information", "mountingPositions", "scale"});
    EXPECT_EQ(current["index"].toInt(), rows[0].toObject()["index"].toInt());
    EXPECT_EQ(current["strCurrentBenamning"].toString(), rows[0].toObject()["designation"].toString());
    ExpectKeys(current["factors"].toObject(), {"sngKm", "sngKn", "sngKl"});
    ExpectKeys(current["values"].toObject(), {"sngStallEst", "sngCurrentUtvaxling", "sngCurMaxEffekt",
                                              "sngCurVarvMaxeff", "sngCurMomentMaxeff", "sngCurLuftMaxeff",
                                              "sngCurMinStartMoment", "sngCurTomgVarv", "sngCurStallmoment"});
    ExpectKeys(current["labels"].toObject(),
               {"Label17", "MaxeffektR", "NMaxeffR", "MinStartMomentR", "StallmomentR", "lblWeight", "QmR",
                "RelativprisR", "lblProductNumber", "MmaxeffR", "NtomgangR", "Label15", "ArbetstryckR",
                "StrypningR", "Label24", "lblClass"});
    EXPECT_TRUE(current["labels"].toObject()["Label17"].toString().contains("6.00"));
    const QJsonObject scale = current["scale"].toObject();
    ExpectKeys(scale, {"sngTopVarv", "sngStartVarv", "sngMaxMomentAxel", "sngMaxLuftAxel", "speed", "power",
                       "torque", "air"});
    ExpectKeys(scale["speed"].toObject(), {"maximum", "step", "labelStep", "divisions"});
}

TEST(SearchCommand, RefusalsAndTheMaintenanceCodeAreReportedNotFailed) {
    const QJsonObject none = Json({"search", "--torque", "10"});
    EXPECT_TRUE(none["refused"].toBool());
    EXPECT_TRUE(none["case"].isNull());
    EXPECT_TRUE(none["current"].isNull());
    ASSERT_EQ(none["messages"].toArray().size(), 1);
    EXPECT_EQ(none["messages"].toArray()[0].toObject()["key"].toInt(), 141);

    const QJsonObject red = Json({"search", "--torque", "20000", "--speed", "100"});
    EXPECT_TRUE(red["refused"].toBool());
    EXPECT_EQ(red["messages"].toArray()[0].toObject()["key"].toInt(), 167);

    const QJsonObject maintenance =
        Json({"search", "--torque", "10", "--speed", "3000", "--pressure", "583196"});
    EXPECT_TRUE(maintenance["maintenance"].toBool());
    EXPECT_TRUE(maintenance["rows"].toArray().isEmpty());
    EXPECT_EQ(maintenance["fields"].toObject()["TillgLuftTryckB"].toObject()["text"].toString(), "6.3");

    // Counter-clockwise then stainless: message 62 and the search goes on.
    const QJsonObject ccw = Json({"search", "--torque", "1", "--speed", "1000", "--rotation",
                                  "counter-clockwise", "--steel", "stainless"});
    ASSERT_FALSE(ccw["messages"].toArray().isEmpty());
    EXPECT_EQ(ccw["messages"].toArray()[0].toObject()["key"].toInt(), 62);
    EXPECT_FALSE(ccw["refused"].toBool());
}

TEST(SearchCommand, ListShowsTheCatalogueView) {
    const QJsonObject o = Json({"list"});
    EXPECT_EQ(o["command"].toString(), "list");
    EXPECT_TRUE(o["case"].isNull());
    EXPECT_TRUE(o["messages"].toArray().isEmpty());
    const QJsonArray rows = o["rows"].toArray();
    ASSERT_FALSE(rows.isEmpty());
    for (const auto& r : rows) {
        EXPECT_EQ(r.toObject()["throttle"].toDouble(), 0.0);
        EXPECT_EQ(r.toObject()["pressure"].toDouble(), 0.0);
        EXPECT_FALSE(r.toObject()["designation"].toString().startsWith("PGW"));
    }
    EXPECT_EQ(o["fields"].toObject()["ArbetsMomentB"].toObject()["colour"].toInt(), 0);
    EXPECT_FALSE(o["current"].isNull());

    const QJsonObject obsolete = Json({"list", "--obsolete", "only-obsolete", "--series", "TKM,TKS,PGW"});
    for (const auto& g : obsolete["grid"].toArray())
        EXPECT_EQ(g.toObject()["colour"].toInt(), 9);

    const QJsonObject second = Json({"list", "--select", "2", "--column", "0"});
    EXPECT_EQ(second["current"].toObject()["row"].toInt(), 2);
    EXPECT_EQ(second["current"].toObject()["index"].toInt(),
              second["rows"].toArray()[1].toObject()["index"].toInt());
    const QJsonObject beyond = Json({"list", "--select", "5000"});
    EXPECT_TRUE(beyond["current"].isNull());
}

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

TEST(SearchCommand, UsageErrorsPrintNothingOnStdout) {
    for (const QStringList& args :
         {QStringList{"search", "--nonsense", "1"}, QStringList{"search", "--select", "x"},
          QStringList{"list", "--rotation", "left"}, QStringList{"search", "--series", "ABC"},
          QStringList{"search", "--alternative", "6"}, QStringList{"search", "--obsolete", "all"}}) {
        const CliResult run = RunCli(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(run.err.isEmpty());
    }
}

} // namespace
