// The diagram and drawing windows driven from the main window's own controls.
#include "AppTestSupport.h"
#include "app/AuxWindowPlacement.h"
#include "app/DiagramController.h"
#include "app/DiagramWindow.h"
#include "app/DrawingWindow.h"
#include "app/FieldLineEdit.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>

using namespace airmotor;
using namespace airmotor::app;
using namespace airmotor::app::test;

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
        o->diagrams->diagram().view().grab().save("/tmp/airmotor-diagram-window.png");
        o->diagrams->drawing().grab().save("/tmp/airmotor-drawing-window.png");

        // Open windows follow the grid: a click on another motor shows its drawing.
        const QString firstDrawing = o->diagrams->drawing().view().drawing().sourceFile();
        ClickCell(w, 2, 0);
        QVERIFY(o->diagrams->drawing().view().drawing().sourceFile() != firstDrawing);

        // Enter in the diagram window hides it; the drawing window stays.
        QTest::keyClick(&o->diagrams->diagram(), Qt::Key_Return);
        QVERIFY(o->diagrams->diagram().isHidden());
    }

    void standardAlternativeResetsTheAvailablePressure() {
        auto o = open("English");
        MainWindow& w = *o->window;
        Search(w, {{"ArbetsMomentB", "10"}, {"ArbetsVarvtalB", "3000"}, {"TillgLuftTryckB", "5"}});
        ClickCell(w, 1, 0);
        QCOMPARE(w.session().input().values.sngTillgLuftTryck, 5.0f);
        auto alternative = [&](int k) {
            return w.findChild<QRadioButton*>(QString("optDiagramAlternativ_%1").arg(k));
        };
        QTest::mouseClick(w.findChild<QPushButton*>("cboDiagramAlternativ"), Qt::LeftButton);
        ClickOption(alternative(2));
        QCOMPARE(w.session().intPressureMode(), 2);
        QCOMPARE(w.session().input().values.sngTillgLuftTryck, 5.0f);
        QVERIFY(!o->diagrams->diagram().isHidden());
        ClickOption(alternative(0));
        QCOMPARE(w.session().intPressureMode(), 0);
        QCOMPARE(w.session().input().values.sngTillgLuftTryck, 6.3f);
        QCOMPARE(w.findChild<FieldLineEdit*>("TillgLuftTryckB")->text(), QStringLiteral("5"));
    }

    // Where the diagram and drawing windows open beside the main window, on the two screens the program
    // is checked on, and that they remember where the user put them.
    void auxiliaryWindowsLeaveTheResultsInView_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<bool>("roomBeside");
        QTest::newRow("1280x800") << QRect(0, 0, 1280, 800) << false;
        QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080) << true;
    }
    void auxiliaryWindowsLeaveTheResultsInView() {
        QFETCH(QRect, screen);
        QFETCH(bool, roomBeside);
        auto o = open("German");
        MainWindow& w = *o->window;
        const QRect main = MainWindowRect(screen);
        QVERIFY(main.width() <= 1280 && main.height() <= 740);
        w.setGeometry(main);
        QCoreApplication::processEvents();
        // The result grid and detail panel where they stand on this screen.
        const QRect results = w.resultArea().translated(main.topLeft() - w.geometry().topLeft());
        const QRect inputs = w.inputArea().translated(main.topLeft() - w.geometry().topLeft());
        const QRect f2 = AuxWindowRect(screen, main, results, DiagramWindowSize(screen), 0);
        const QRect drawing = AuxWindowRect(screen, main, results, DrawingWindowSize(screen), 1);
        const QRect help = AuxWindowRect(screen, main, inputs, HelpWindow::kDefaultSize, 0);
        for (const QRect& r : {f2, drawing, help}) {
            QVERIFY2(screen.contains(r.adjusted(0, -30, 0, 0)), "the title bar and the window are on screen");
            QVERIFY(r.width() >= 400 && r.height() >= 250);
        }
        QVERIFY(!f2.intersects(results) && !drawing.intersects(results));
        QVERIFY(!help.intersects(inputs));
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

    void showAlwaysDiagramOpensItOnARowClick() {
        auto o = open("German");
        MainWindow& w = *o->window;
        Search(w, {{"ArbetsMomentB", "10"}, {"ArbetsVarvtalB", "3000"}, {"TillgLuftTryckB", "6"}});
        w.findChild<QAction*>("mnuShowAlwaysDiagram")->trigger();
        QVERIFY(o->diagrams->diagram().isHidden());
        ClickCell(w, 2, 0);
        QVERIFY(!o->diagrams->diagram().isHidden());
        o->diagrams->diagram().view().grab().save("/tmp/airmotor-diagram-window-de.png");
    }
};

QTEST_MAIN(DiagramWiringTest)
#include "DiagramWiringTest.moc"
