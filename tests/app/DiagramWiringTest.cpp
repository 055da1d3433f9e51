// The diagram and drawing windows on their own and driven from the main window's own controls.
#include "../core/SelectionTestCatalogue.h"
#include "AppTestSupport.h"
#include "app/diagrams/DiagramController.h"
#include "app/diagrams/DiagramWindow.h"
#include "app/diagrams/DrawingWindow.h"
#include "app/selection/MainWindow.h"
#include "app/shell/AuxWindowPlacement.h"
#include "app/shell/HelpWindow.h"

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>

using namespace airmotor;
using namespace airmotor::app;
using namespace airmotor::app::test;

namespace {

void WriteSvg(const QString& path, const char* colour) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='300' height='200'><rect width='300' "
                       "height='200' fill='") +
            colour + "'/></svg>");
}

// The bundled texts of one language column (0 English .. 4 Spanish).
core::TextTable Bundled(std::size_t column) {
    core::TextTable table;
    for (const core::LanguageRow& row : core::BundledLanguageRows())
        table.set(static_cast<int>(row.key), row.texts[column].value_or(std::string()));
    return table;
}

} // namespace

class DiagramWiringTest : public QObject {
    Q_OBJECT
    struct Opened : OpenedMainWindow {
        DiagramController* diagrams = nullptr; // owned by the main window
    };
    static std::unique_ptr<Opened> open(const QString& language) {
        auto o = std::make_unique<Opened>();
        OpenMainWindow(*o, language);
        // The bundled drawings beside the database, as in the program folder.
        for (const QString& name : QDir(BinDir()).entryList({"*.WMF"}, QDir::Files))
            QFile::copy(QDir(BinDir()).filePath(name), o->folder->path(name));
        o->diagrams = new DiagramController(*o->window, *o->program);
        o->window->show();
        return o;
    }

private slots:
    void diagramButtonShowsTheDiagramAndTheDrawing() {
        auto o = open("English");
        MainWindow& w = *o->window;
        Search(w, {{"ArbetsMomentB", "10"}, {"ArbetsVarvtalB", "3000"}, {"TillgLuftTryckB", "6"}});
        QVERIFY(w.session().results().rowCount() > 0);
        ClickCell(w, 1, 0);
        QVERIFY(o->diagrams->diagram().isHidden());
        QTest::mouseClick(w.findChild<QPushButton*>("MotordiagramB"), Qt::LeftButton);
        QVERIFY(!o->diagrams->diagram().isHidden());
        QVERIFY(!o->diagrams->drawing().isHidden());
        QVERIFY2(o->diagrams->drawing().view().drawing().isValid(),
                 qPrintable(o->diagrams->drawing().view().drawing().error()));
        QCOMPARE(o->diagrams->diagram().windowTitle(),
                 QString::fromStdString(o->program->language.strText(122)));

        // Open windows follow the grid: a click on another motor shows its drawing.
        const QString firstDrawing = o->diagrams->drawing().view().drawing().sourceFile();
        ClickCell(w, 2, 0);
        QVERIFY(o->diagrams->drawing().view().drawing().sourceFile() != firstDrawing);

        // Enter in the diagram window hides it; the drawing window stays.
        QTest::keyClick(&o->diagrams->diagram(), Qt::Key_Return);
        QVERIFY(o->diagrams->diagram().isHidden());
        QVERIFY(!o->diagrams->drawing().isHidden());
        // With "show always" a row click opens it again.
        w.findChild<QAction*>("mnuShowAlwaysDiagram")->trigger();
        QVERIFY(o->diagrams->diagram().isHidden());
        ClickCell(w, 3, 0);
        QVERIFY(!o->diagrams->diagram().isHidden());
    }

    // Where the diagram and drawing windows open beside the main window, on the two screens the program
    // is checked on, and that they remember where the user put them.
    void auxiliaryWindowsLeaveTheDutyAndOptionsInView_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<bool>("roomBeside");
        QTest::newRow("1280x800") << QRect(0, 0, 1280, 800) << false;
        QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080) << true;
    }
    void auxiliaryWindowsLeaveTheDutyAndOptionsInView() {
        QFETCH(QRect, screen);
        QFETCH(bool, roomBeside);
        auto o = open("German");
        MainWindow& w = *o->window;
        const QRect main = MainWindowRect(screen);
        QVERIFY(main.width() <= 1280 && main.height() <= 740);
        w.setGeometry(main);
        QCoreApplication::processEvents();
        // The duty fields and option panels where they stand on this screen.
        const QRect inputs = w.inputArea().translated(main.topLeft() - w.geometry().topLeft());
        const QRect f2 = AuxWindowRect(screen, main, inputs, DiagramWindowSize(screen), 0);
        const QRect drawing = AuxWindowRect(screen, main, inputs, DrawingWindowSize(screen), 1);
        const QRect help = AuxWindowRect(screen, main, inputs, HelpWindow::kDefaultSize, 0);
        for (const QRect& r : {f2, drawing, help}) {
            QVERIFY2(screen.contains(r.adjusted(0, -30, 0, 0)), "the title bar and the window are on screen");
            QVERIFY(r.width() >= 400 && r.height() >= 250);
            QVERIFY(!r.intersects(inputs));
        }
        if (roomBeside) {
            QVERIFY(!f2.intersects(main) && !drawing.intersects(main) && !f2.intersects(drawing));
        } else {
            // Overlapping the diagram window, the drawing keeps its button row below it.
            QVERIFY(drawing.bottom() - f2.bottom() > 40);
        }

        // On the screen the test runs on: placed once, then left where the user moved it.
        Search(w, {{"ArbetsMomentB", "10"}, {"ArbetsVarvtalB", "3000"}, {"TillgLuftTryckB", "6"}});
        QTest::mouseClick(w.findChild<QPushButton*>("MotordiagramB"), Qt::LeftButton);
        DiagramWindow& diagram = o->diagrams->diagram();
        QVERIFY(!diagram.isHidden());
        QVERIFY(o->diagrams->drawing().pos() != diagram.pos()); // each window in a place of its own
        const QPoint moved = diagram.pos() + QPoint(15, 10);
        diagram.move(moved);
        diagram.resize(diagram.size() + QSize(40, 30));
        QCOMPARE(diagram.size().width(), diagram.view().width()); // an ordinary resizable window
        const QSize resized = diagram.size();
        QTest::keyClick(&diagram, Qt::Key_Escape);
        QVERIFY(diagram.isHidden());
        QTest::keyClick(&o->diagrams->drawing(), Qt::Key_Escape);
        QVERIFY(o->diagrams->drawing().isHidden());
        QTest::mouseClick(w.findChild<QPushButton*>("MotordiagramB"), Qt::LeftButton);
        QCOMPARE(diagram.pos(), moved);
        QCOMPARE(diagram.size(), resized);
    }

    void drawingCommaRuleAndLinks() {
        QTemporaryDir dir;
        WriteSvg(dir.filePath("FIRST.SVG"), "#ff0000");
        WriteSvg(dir.filePath("SECOND.SVG"), "#0000ff");
        const core::TextTable german = Bundled(1);
        DrawingWindow w(dir.path(), german);
        auto* link = w.findChild<QPushButton*>("Command1");

        w.showDrawing("FIRST,SECOND", 1);
        QVERIFY(w.view().drawing().sourceFile().endsWith("SECOND.SVG"));
        QVERIFY(link->isHidden());

        w.showDrawing("http://example.com/drawing.pdf", 0);
        QVERIFY(!link->isHidden());
        QCOMPARE(w.link(), QStringLiteral("http://example.com/drawing.pdf"));
        QVERIFY(!w.view().drawing().isValid());
        QVERIFY(w.view().failureText().isEmpty()); // empty view, no message

        // The view paints the failure in the chosen language; the command line keeps the English.
        w.showDrawing("MISSING", 0);
        QVERIFY(link->isHidden());
        const QString looked = QDir::toNativeSeparators(QDir(dir.path()).filePath("MISSING.WMF"));
        QCOMPARE(w.view().failureText(),
                 QStringLiteral("Die Maßzeichnung %1 wurde nicht gefunden.").arg(looked));
        QCOMPARE(w.view().drawing().error(), QStringLiteral("Dimension drawing not found: ") + looked);
        w.showDrawing("?", 0);
        QCOMPARE(w.view().failureText(),
                 QStringLiteral("Für diesen Motor ist keine Maßzeichnung vorhanden."));
    }

    void zoomAnyDirectionWithoutDistortion() {
        QTemporaryDir dir;
        WriteSvg(dir.filePath("D.SVG"), "#00ff00");
        const core::TextTable english = Bundled(0);
        DrawingWindow w(dir.path(), english);
        w.showDrawing("D", 0);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QSize viewSize = w.view().size();
        // Unzoomed, the view spans exactly the drawing one way and more of the page the other.
        const QRectF b = w.view().drawing().bounds();
        const QRectF shown(w.view().toPicture(QPointF(0, 0)),
                           w.view().toPicture(QPointF(viewSize.width(), viewSize.height())));
        QVERIFY(qFuzzyCompare(std::min(shown.width() / b.width(), shown.height() / b.height()), 1.0));
        auto* zoomOut = w.findChild<QPushButton*>("ZoomOutB");
        QVERIFY(zoomOut->isHidden());
        w.view().zoomTo(QPointF(100, 80), QPointF(300, 180));
        QVERIFY(!zoomOut->isHidden());
        const QRectF forward = w.view().source();
        QVERIFY(qAbs(forward.width() / forward.height() - double(viewSize.width()) / viewSize.height()) <
                1e-9);

        QTest::mouseClick(zoomOut, Qt::LeftButton);
        QVERIFY(!w.view().isZoomed());
        QVERIFY(zoomOut->isHidden());
        QCOMPARE(w.view().size(), viewSize);

        // A drag with the mouse zooms as well; a plain click asks for the main window.
        w.view().fitWhole();
        QSignalSpy clicked(&w, &DrawingWindow::mainWindowRequested);
        QTest::mouseClick(&w.view(), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(clicked.count(), 1);
        QTest::mousePress(&w.view(), Qt::LeftButton, {}, QPoint(60, 60));
        QMouseEvent move(QEvent::MouseMove, QPointF(220, 160), QPointF(220, 160), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w.view(), &move);
        QTest::mouseRelease(&w.view(), Qt::LeftButton, {}, QPoint(220, 160));
        QVERIFY(w.view().isZoomed());
    }

    void diagramWindowDrawsTheCurrentStateAndAsksForHelp() {
        core::MotorCatalogue catalogue;
        const int index = core::testing::AddMotor(catalogue, core::testing::Tkm("TKM22-A100-"));
        core::LanguageState language = core::testing::KeyedLanguage();
        int provided = 0;
        DiagramWindow w([&] {
            ++provided;
            core::MotorDiagramInput in;
            in.catalogue = &catalogue;
            in.index = index;
            in.texts = &language.strText;
            return in;
        });
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

        QSignalSpy help(&w, &DiagramWindow::helpRequested);
        QTest::mouseClick(w.findChild<QPushButton*>("cmdHelp"), Qt::LeftButton);
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).toInt(), 3);
    }
};

QTEST_MAIN(DiagramWiringTest)
#include "DiagramWiringTest.moc"
