#include "CliRunner.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {
namespace print_cli_test {

using airmotor::cli::test::RunCli;

const QString kBin = QStringLiteral(AIRMOTOR_BIN_DIR);

QString Tool(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(30000);
    // pdftotext writes ligatures ("ff") as single characters.
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}
QString PdfText(const QString& pdf) {
    return Tool("pdftotext", {"-layout", pdf, "-"});
}
QString PdfInfo(const QString& pdf, const QString& field) {
    static const QRegularExpression line(QStringLiteral("^(\\w[\\w ]*):\\s+(.*)$"),
                                         QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(Tool("pdfinfo", {pdf})); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(1) == field)
            return m.captured(2).trimmed();
    }
    return {};
}

struct Sheet {
    airmotor::cli::test::CliResult run;
    QString pdf;
    QString text;
};

Sheet Datasheet(const QTemporaryDir& dir, QStringList args, const QString& language = "English") {
    Sheet s;
    s.pdf = dir.filePath("sheet.pdf");
    QFile::remove(s.pdf);
    s.run = RunCli(QStringList{"--folder", kBin, "--language", language, "--json", "datasheet"} + args +
                   QStringList{"--out", s.pdf});
    s.text = PdfText(s.pdf);
    return s;
}

const QStringList kSearch{"--torque", "10", "--speed", "3000", "--pressure", "6"};

void ExpectText(const QString& text, const QStringList& present, const QStringList& absent,
                const std::string& context) {
    for (const QString& t : present)
        EXPECT_TRUE(text.contains(t)) << context << ": no " << t.toStdString();
    for (const QString& t : absent)
        EXPECT_FALSE(text.contains(t)) << context << ": has " << t.toStdString();
}

TEST(DatasheetCommand, ModesGiveTheirPageAndContent) {
    QTemporaryDir dir;
    struct Case {
        const char* mode;
        const char* size;
        QStringList present, absent;
    };
    const std::vector<Case> cases{
        {"complete",
         "595 x 842 pts (A4)",
         {"Air motor data sheet", "Requirements:", "Selected motor:", "Max. power", "Class: Ex II",
          "Catalogue data measured at 6.3 bar(e).", "Date: " + QDate::currentDate().toString(Qt::ISODate)},
         {}},
        {"diagram", "842 x 595 pts (A4)", {"Air motor data sheet", "Requirements:", "[r/min]"}, {}},
        {"drawing", "842 x 595 pts (A4)", {"TKM46-A650-"}, {"Requirements:", "Torque", "Date:"}},
    };
    for (const Case& c : cases) {
        const Sheet s = Datasheet(dir, kSearch + QStringList{"--mode", c.mode});
        ASSERT_EQ(s.run.status, 0) << c.mode << s.run.err.toStdString();
        EXPECT_EQ(PdfInfo(s.pdf, "Pages"), "1");
        EXPECT_EQ(PdfInfo(s.pdf, "Page size"), c.size) << c.mode;
        EXPECT_EQ(PdfInfo(s.pdf, "Title"), "TKM46-A650-");
        ExpectText(s.text, c.present, c.absent, c.mode);
    }
}

TEST(DatasheetCommand, PrintsOnlyWhatWasEnteredAndTheRowsColumns) {
    QTemporaryDir dir;
    struct Case {
        QStringList args;
        const char* language;
        QStringList present, absent;
    };
    const std::vector<Case> cases{
        // A listing: no working point, no throttled or reduced-pressure column.
        {{"--select", "3"},
         "English",
         {"Available pressure"},
         {"Working torque", "Required power", "Throttled", "reduced", "Stall torque min."}},
        {kSearch,
         "English",
         {"Working torque", "Working speed", "Required power", "Throttled", "to working point", "At reduced",
          "5.95 bar(e)"},
         {"Stall torque min.", "Free speed max."}},
        {kSearch + QStringList{"--stall-min", "12", "--free-max", "9000"},
         "English",
         {"Stall torque min.", "Free speed max."},
         {"Stall torque max.", "Free speed min."}},
        {{"--torque", "7", "--speed", "3000", "--pressure", "87"},
         "English_Imperial",
         {"[lbf ft]", "[hp]", "[cfm]", "[lb]", "87 psi", "Catalogue data measured at 91 psi."},
         {"bar(e)", "[Nm]"}},
        {kSearch,
         "German",
         {"Anforderungen:", "Gewählter Motor:", "Bestell-Nr.", "Datum:"},
         {"Requirements:"}},
    };
    for (const Case& c : cases) {
        const Sheet s = Datasheet(dir, c.args, c.language);
        ASSERT_EQ(s.run.status, 0) << s.run.err.toStdString();
        ExpectText(s.text, c.present, c.absent, c.args.join(' ').toStdString());
    }
}

// The jobs and messages of copies are recorded with the CLI's answers; here the files themselves.
TEST(DatasheetCommand, EveryCopyIsAOnePageSheetAndAWebLinkedDrawingLeavesTheRest) {
    QTemporaryDir dir;
    Datasheet(dir, kSearch + QStringList{"--copies", "3"});
    for (const char* job : {"sheet.pdf", "sheet-2.pdf", "sheet-3.pdf"})
        EXPECT_EQ(PdfInfo(dir.filePath(job), "Pages"), "1") << job;
    // Row 82 of the listing draws from a web link.
    EXPECT_TRUE(Datasheet(dir, {"--select", "82"}).text.contains("Selected motor:"));
}

// The bundled catalogue, 33 motors a job (the split itself is the core's): every page full but the last.
TEST(CatalogueTableCommand, ThirtyThreeMotorsAJob) {
    QTemporaryDir dir;
    const int bundled = RunCli({"--folder", kBin, "--json", "catalogue"}).json()["count"].toInt();
    const QString out = dir.filePath("table.pdf");
    const auto r = RunCli({"--folder", kBin, "--json", "catalogue-table", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonArray jobs = r.json()["jobs"].toArray();
    ASSERT_EQ(jobs.size(), (bundled + 32) / 33);
    const QString first = jobs.first().toString(), last = jobs.last().toString();
    EXPECT_EQ(PdfInfo(first, "Page size"), "842 x 595 pts (A4)");
    EXPECT_EQ(PdfInfo(first, "Title"), "Motor catalogue");
    const auto rows = [](const QString& pdf) {
        // A row: the designation, then figures with decimals further on the line.
        static const QRegularExpression designation(QStringLiteral("^[ \\t]*(TKM|TKS|PGW)[^\\n]*\\d\\.\\d"),
                                                    QRegularExpression::MultilineOption);
        return static_cast<int>(PdfText(pdf).count(designation));
    };
    EXPECT_EQ(rows(first), 33);
    EXPECT_EQ(rows(last), (bundled - 1) % 33 + 1);
    // The headings are the language's, with units.
    EXPECT_TRUE(PdfText(first).contains("designation"));
    EXPECT_TRUE(PdfText(first).contains("[r/min]"));
}

} // namespace print_cli_test
} // namespace
