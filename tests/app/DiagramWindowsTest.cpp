#include "../core/SelectionTestCatalogue.h"
#include "app/DiagramWindow.h"
#include "app/DrawingWindow.h"

#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace airmotor;

namespace {

void WriteSvg(const QString& path, const char* colour) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='300' height='200'><rect width='300' "
                       "height='200' fill='") +
            colour + "'/></svg>");
}

} // namespace

class DiagramWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void drawingCommaRuleAndLinks() {
        QTemporaryDir dir;
        WriteSvg(dir.filePath("FIRST.SVG"), "#ff0000");
        WriteSvg(dir.filePath("SECOND.SVG"), "#0000ff");
        app::DrawingWindow w(dir.path());
        auto* link = w.findChild<QPushButton*>("Command1");
        QVERIFY(link);
        QCOMPARE(w.objectName(), QStringLiteral("MÅTTSKISS"));

        w.showDrawing("FIRST,SECOND", 1);
        QVERIFY(w.view().drawing().sourceFile().endsWith("SECOND.SVG"));
        QVERIFY(link->isHidden());
        w.showDrawing("FIRST,SECOND", 0);
        QVERIFY(w.view().drawing().sourceFile().endsWith("FIRST.SVG"));

        w.showDrawing("http://example.com/drawing.pdf", 0);
        QVERIFY(!link->isHidden());
        QCOMPARE(w.link(), QStringLiteral("http://example.com/drawing.pdf"));
        QVERIFY(!w.view().drawing().isValid());
        QVERIFY(w.view().drawing().error().isEmpty()); // empty view, no message

        w.showDrawing("MISSING", 0);
        QVERIFY(link->isHidden());
        QVERIFY(w.view().drawing().error().contains("MISSING.WMF"));
        const QImage shot = w.view().grab().toImage();
        QVERIFY(!shot.isNull()); // the message is painted, nothing crashes
    }

    void zoomAnyDirectionWithoutDistortion() {
        QTemporaryDir dir;
        WriteSvg(dir.filePath("D.SVG"), "#00ff00");
        app::DrawingWindow w(dir.path());
        w.showDrawing("D", 0);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QSize viewSize = w.view().size();
        auto* zoomOut = w.findChild<QPushButton*>("ZoomOutB");
        QVERIFY(zoomOut && zoomOut->isHidden());

        w.view().zoomTo(QPointF(150, 100), QPointF(150, 200)); // zero width
        QVERIFY(!w.view().isZoomed());
        QVERIFY(zoomOut->isHidden());

        w.view().zoomTo(QPointF(100, 80), QPointF(300, 180));
        QVERIFY(w.view().isZoomed());
        QVERIFY(!zoomOut->isHidden());
        const QRectF forward = w.view().source();
        QVERIFY(qAbs(forward.width() / forward.height() - double(viewSize.width()) / viewSize.height()) <
                1e-9);

        QTest::mouseClick(zoomOut, Qt::LeftButton);
        QVERIFY(!w.view().isZoomed());
        QVERIFY(zoomOut->isHidden());
        QCOMPARE(w.view().size(), viewSize);
        w.view().zoomTo(QPointF(300, 180), QPointF(100, 80));
        QCOMPARE(w.view().source(), forward);

        // A drag with the mouse zooms as well; a plain click asks for the main window.
        w.view().fitWhole();
        QSignalSpy clicked(&w, &app::DrawingWindow::mainWindowRequested);
        QTest::mouseClick(&w.view(), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(clicked.count(), 1);
        QTest::mousePress(&w.view(), Qt::LeftButton, {}, QPoint(60, 60));
        QMouseEvent move(QEvent::MouseMove, QPointF(220, 160), QPointF(220, 160), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w.view(), &move);
        QTest::mouseRelease(&w.view(), Qt::LeftButton, {}, QPoint(220, 160));
        QVERIFY(w.view().isZoomed());
    }

    void diagramWindowDrawsHidesOnEnterAndAsksForHelp() {
        core::MotorCatalogue catalogue;
        const int index = core::testing::AddMotor(catalogue, core::testing::Tkm("TKM22-A100-"));
        core::LanguageState language = core::testing::KeyedLanguage();
        int provided = 0;
        app::DiagramWindow w([&] {
            ++provided;
            core::MotorDiagramInput in;
            in.catalogue = &catalogue;
            in.index = index;
            in.texts = &language.strText;
            return in;
        });
        QCOMPARE(w.objectName(), QStringLiteral("F2"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QImage image = w.view().grab().toImage();
        bool red = false;
        for (int y = 0; y < image.height() && !red; ++y)
            for (int x = 0; x < image.width() && !red; ++x)
                red = image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 60;
        QVERIFY(red);
        const int before = provided;
        w.view().resize(w.view().width() + 40, w.view().height() + 30);
        w.view().grab();
        QVERIFY(provided > before); // every paint asks for the current state

        QSignalSpy help(&w, &app::DiagramWindow::helpRequested);
        QTest::mouseClick(w.findChild<QPushButton*>("cmdHelp"), Qt::LeftButton);
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).toInt(), 3);

        QTest::keyClick(&w, Qt::Key_Return);
        QVERIFY(w.isHidden());
    }
};

QTEST_MAIN(DiagramWindowsTest)
#include "DiagramWindowsTest.moc"
