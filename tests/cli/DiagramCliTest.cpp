#include "CliRunner.h"

#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSize>
#include <QTemporaryDir>

namespace {
namespace diagram_cli_test {

using airmotor::cli::test::ExpectFailure;
using airmotor::cli::test::RunCli;

int LongPolylines(const QString& svg) {
    static const QRegularExpression polyline(QStringLiteral("<polyline[^>]*points=\"([^\"]*)\""));
    int n = 0;
    for (auto it = polyline.globalMatch(svg); it.hasNext();)
        if (it.next().captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts).size() > 50)
            ++n;
    return n;
}

// Width and height from a PNG's header chunk.
QSize PngSize(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray h = f.read(24);
    if (h.size() < 24 || !h.startsWith("\x89PNG"))
        return {};
    const auto be = [&](int at) {
        return (uchar(h[at]) << 24) | (uchar(h[at + 1]) << 16) | (uchar(h[at + 2]) << 8) | uchar(h[at + 3]);
    };
    return {int(be(16)), int(be(20))};
}

TEST(DiagramCommand, WritesTheChartOfTheClickedRowByExtension) {
    QTemporaryDir dir;
    const QString svg = dir.filePath("d.svg");
    const auto r = RunCli({"--language", "German", "diagram", "--torque", "10", "--speed", "3000",
                           "--pressure", "6", "--alternative", "2", "--out", svg, "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject json = r.json();
    EXPECT_EQ(json["command"].toString(), "diagram");
    EXPECT_EQ(json["alternative"].toInt(), 2);
    EXPECT_GT(json["index"].toInt(), 0);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_EQ(LongPolylines(text), 5);
    EXPECT_TRUE(text.contains(">Drehmoment [Nm]<"));

    // The listing (no requirement given) with a click in another row, as a PNG of the given size.
    const QString png = dir.filePath("d.png");
    const auto list =
        RunCli({"diagram", "--series", "TKS", "--select", "3", "--out", png, "--size", "640x480"});
    ASSERT_EQ(list.status, 0) << list.err.toStdString();
    EXPECT_EQ(PngSize(png), QSize(640, 480));
    const QString pdf = dir.filePath("d.pdf");
    ASSERT_EQ(RunCli({"diagram", "--out", pdf}).status, 0);
    QFile pdfFile(pdf);
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdfFile.read(4) == "%PDF");
}

// Catalogue index of the first motor whose drawing reference passes the test.
template <class Pred> int FindMotor(Pred pred, QString* reference = nullptr) {
    const QJsonObject catalogue = RunCli({"catalogue", "--json"}).json();
    for (const auto& m : catalogue["motors"].toArray()) {
        const QString r = m.toObject()["strMattskiss"].toString();
        if (pred(r)) {
            if (reference)
                *reference = r;
            return m.toObject()["index"].toInt();
        }
    }
    return 0;
}

TEST(DrawingCommand, RendersTheDrawingByTheCommaRuleOrSaysWhyNot) {
    QTemporaryDir dir;
    const QString out = dir.filePath("w.png");
    QString pair;
    const int twoDrawings =
        FindMotor([](const QString& r) { return r.contains(',') && !r.startsWith("http"); }, &pair);
    const int link = FindMotor([](const QString& r) { return r.startsWith("http"); });
    const int none = FindMotor([](const QString& r) { return r == "?"; });
    ASSERT_GT(twoDrawings, 0);
    const QStringList names = pair.split(',');

    // Column 1 takes the second drawing, any other column the first.
    const auto r =
        RunCli({"drawing", "--index", QString::number(twoDrawings), "--column", "1", "--out", out, "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.json()["drawing"].toString(), names[1].trimmed());
    EXPECT_EQ(PngSize(out), QSize(1400, 1200));
    EXPECT_EQ(RunCli({"drawing", "--index", QString::number(twoDrawings), "--out", out, "--json"})
                  .json()["drawing"]
                  .toString(),
              names[0].trimmed());

    if (link > 0)
        ExpectFailure(RunCli({"drawing", "--index", QString::number(link), "--out", out}), 2, "web page");
    if (none > 0)
        ExpectFailure(RunCli({"drawing", "--index", QString::number(none), "--out", out}), 1,
                      "No dimension drawing");
}

} // namespace diagram_cli_test
} // namespace
