// The diagram and drawing windows driven from the main window's own controls.
#include "AppTestSupport.h"
#include "app/DiagramController.h"
#include "app/DiagramWindow.h"
#include "app/DrawingWindow.h"
#include "app/FieldLineEdit.h"
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
