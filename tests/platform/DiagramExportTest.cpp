#include "platform/drawing/DiagramExport.h"
#include "../core/SelectionTestCatalogue.h"
#include "core/diagram/MotorDiagram.h"

#include "TestDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace airmotor;
using namespace airmotor::core::testing;

namespace {
namespace diagram_export_test {

struct DiagramSetup {
    DiagramSetup() {
        index = AddMotor(catalogue, Tkm("TKM22-A100-"));
        language = KeyedLanguage();
    }
    core::MotorDiagramInput Input(int mode, const char* strLanguage, const char* torqueTitle) {
        language.strLanguage = strLanguage;
        language.strText.set(84, torqueTitle);
        core::MotorDiagramInput in;
        in.catalogue = &catalogue;
        in.index = index;
        in.strCurrentBenamning = "TKM22-A100-";
        in.intPressureMode = mode;
        in.texts = &language.strText;
        in.strLanguage = strLanguage;
        return in;
    }
    core::MotorCatalogue catalogue;
    core::LanguageState language;
    int index = 0;
};

// Standard output of a poppler tool on the file; empty when the tool is missing.
QString PopplerOutput(const QString& tool, const QString& path) {
    QProcess p;
    p.start(tool,
            tool == QStringLiteral("pdftotext") ? QStringList{path, QStringLiteral("-")} : QStringList{path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString ReadAll(const QString& path) {
    return QString::fromUtf8(platform::test::ReadFile(path));
}

// Curves are long point chains; axes, ticks, grid and legend lines have two points.
int CurveCount(const QString& svg) {
    static const QRegularExpression polyline(QStringLiteral("<polyline[^>]*points=\"([^\"]*)\""));
    int curves = 0;
    for (auto it = polyline.globalMatch(svg); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts).size() > 50)
            ++curves;
    }
    return curves;
}

TEST(DiagramExport, SvgHoldsTheLanguagesTitlesAndTheCurvesOfEachAlternative) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    DiagramSetup s;
    struct Case {
        int mode;
        int curves;
    } cases[] = {{0, 3}, {1, 15}, {2, 5}, {3, 5}, {4, 5}, {5, 3}};
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("d%1.svg").arg(c.mode));
        const QString error = platform::ExportMotorDiagram(s.Input(c.mode, "German", "Drehmoment [Nm]"), path,
                                                           QSize(1400, 1200));
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        const QString svg = ReadAll(path);
        EXPECT_EQ(CurveCount(svg), c.curves) << "alternative " << c.mode;
        for (const char* text : {">Drehmoment [Nm]<", ">T86<", ">T99<", ">[min   ]<"})
            EXPECT_TRUE(svg.contains(QLatin1String(text))) << c.mode << text;
    }
    const QString french = dir.filePath(QStringLiteral("fr.svg"));
    ASSERT_TRUE(
        platform::ExportMotorDiagram(s.Input(0, "French", "Couple [Nm]"), french, QSize(800, 600)).isEmpty());
    const QString svg = ReadAll(french);
    EXPECT_TRUE(svg.contains(QStringLiteral(">Couple [Nm]<")));
    EXPECT_TRUE(svg.contains(QStringLiteral(">[tr/mn]<")));
    EXPECT_FALSE(svg.contains(QStringLiteral(">Drehmoment [Nm]<")));
}

TEST(DiagramExport, PngAndPdfByExtensionAndCleanFailures) {
    QTemporaryDir dir;
    DiagramSetup s;
    const auto in = s.Input(0, "English", "Torque [Nm]");
    const QString png = dir.filePath(QStringLiteral("d.png"));
    ASSERT_TRUE(platform::ExportMotorDiagram(in, png, QSize(700, 600)).isEmpty());
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(700, 600));
    // Something red (the torque curve) was drawn on the white sheet.
    bool red = false;
    for (int y = 0; y < image.height() && !red; y += 2)
        for (int x = 0; x < image.width() && !red; x += 2)
            red = image.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_TRUE(red);

    const QString pdf = dir.filePath(QStringLiteral("d.pdf"));
    ASSERT_TRUE(platform::ExportMotorDiagram(in, pdf, QSize(700, 600)).isEmpty());
    EXPECT_TRUE(ReadAll(pdf).startsWith(QStringLiteral("%PDF")));

    EXPECT_FALSE(
        platform::ExportMotorDiagram(in, dir.filePath(QStringLiteral("d.bmp")), QSize(700, 600)).isEmpty());
    for (const QSize size : {QSize(49, 600), QSize(700, 49), QSize(20001, 600)})
        EXPECT_FALSE(platform::ExportMotorDiagram(in, dir.filePath(QStringLiteral("d.png")), size).isEmpty());
    const QString unwritable = dir.filePath(QStringLiteral("missing/sub/d.png"));
    const QString error = platform::ExportMotorDiagram(in, unwritable, QSize(700, 600));
    EXPECT_TRUE(error.contains(unwritable)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(unwritable));
}

TEST(DiagramExport, NoCurrentMotorGivesAnEmptySheet) {
    DiagramSetup s;
    auto in = s.Input(0, "English", "Torque [Nm]");
    in.index = 0;
    const QImage image = platform::RenderMotorDiagram(in, QSize(300, 200));
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::white));
}

TEST(DiagramExport, PrinterPageInBothOrientations) {
    QTemporaryDir dir;
    DiagramSetup s;
    for (auto orientation : {QPageLayout::Landscape, QPageLayout::Portrait}) {
        const QString path = dir.filePath(orientation == QPageLayout::Landscape ? "land.pdf" : "port.pdf");
        {
            QPdfWriter writer(path);
            writer.setResolution(300);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageOrientation(orientation);
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter(&writer);
            const QRectF page(0, 0, writer.width(), writer.height());
            platform::PaintMotorDiagramPage(painter, page, 300, s.Input(0, "English", "Torque [Nm]"));
        }
        // The page must come out in the orientation asked for and carry the diagram's texts:
        // a blank page of the right size would pass a file-size check.
        const QString info = PopplerOutput("pdfinfo", path);
        const QString text = PopplerOutput("pdftotext", path);
        if (info.isEmpty())
            GTEST_SKIP() << "pdfinfo/pdftotext not installed";
        static const QRegularExpression size(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"));
        const auto m = size.match(info);
        ASSERT_TRUE(m.hasMatch()) << info.toStdString();
        const double w = m.captured(1).toDouble();
        const double h = m.captured(2).toDouble();
        EXPECT_EQ(w > h, orientation == QPageLayout::Landscape) << info.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Torque [Nm]"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("T17 6.30 T56"))) << text.toStdString();
    }
}

} // namespace diagram_export_test
} // namespace
