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
    struct Opened {
        std::unique_ptr<TestFolder> folder;
        std::unique_ptr<ProgramContext> program;
        core::RecordingMessageSink messages;
        std::unique_ptr<MainWindow> window;
        DiagramController* diagrams = nullptr;
    };
    static std::unique_ptr<Opened> open(const QString& language) {
        auto o = std::make_unique<Opened>();
        o->folder = std::make_unique<TestFolder>(language);
        // The bundled drawings beside the database, as in the program folder.
        for (const QString& name : QDir(BinDir()).entryList({"*.WMF"}, QDir::Files))
            QFile::copy(QDir(BinDir()).filePath(name), o->folder->path(name));
        o->program = o->folder->context();
        o->program->settings = platform::SettingsFile(o->program->folder).read();
        o->program->language.strLanguage = o->program->settings.strLanguage;
        if (auto error = o->program->loadCatalogue())
            qFatal("%s", error->c_str());
        o->window = std::make_unique<MainWindow>(*o->program, o->messages);
        if (auto error = o->window->load())
            qFatal("%s", error->c_str());
        o->diagrams = new DiagramController(*o->window, *o->program);
        o->window->show();
        return o;
    }
    static void clickCell(MainWindow& w, int row, int column) {
        QTableView& grid = w.grid();
        const QRect cell = grid.visualRect(grid.model()->index(row - 1, column));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    }
    static void search(MainWindow& w, const QString& torque, const QString& speed, const QString& pressure) {
        auto* catalogue = w.findChild<QRadioButton*>("optCatalogue_1");
        QTest::mouseClick(catalogue, Qt::LeftButton, {}, QPoint(8, catalogue->height() / 2));
        auto* t = w.findChild<FieldLineEdit*>("ArbetsMomentB");
        auto* n = w.findChild<FieldLineEdit*>("ArbetsVarvtalB");
        auto* p = w.findChild<FieldLineEdit*>("TillgLuftTryckB");
        TypeInto(t, torque);
        Leave(t);
        TypeInto(n, speed);
        Leave(n);
        TypeInto(p, pressure);
        QTest::keyClick(p, Qt::Key_Return);
    }

private slots:
    void diagramButtonShowsTheDiagramAndTheDrawing() {
        auto o = open("English");
        MainWindow& w = *o->window;
        search(w, "10", "3000", "6");
        QVERIFY(w.session().results().rowCount() > 0);
        clickCell(w, 1, 0);
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
        search(w, "10", "3000", "5");
        clickCell(w, 1, 0);
        QCOMPARE(w.session().input().values.sngTillgLuftTryck, 5.0f);
        auto alternative = [&](int k) {
            return w.findChild<QRadioButton*>(QString("optDiagramAlternativ_%1").arg(k));
        };
        QTest::mouseClick(w.findChild<QPushButton*>("cboDiagramAlternativ"), Qt::LeftButton);
        QTest::mouseClick(alternative(2), Qt::LeftButton, {}, QPoint(8, alternative(2)->height() / 2));
        QCOMPARE(w.session().intPressureMode(), 2);
        QCOMPARE(w.session().input().values.sngTillgLuftTryck, 5.0f);
        QVERIFY(!o->diagrams->diagram().isHidden());
        QTest::mouseClick(alternative(0), Qt::LeftButton, {}, QPoint(8, alternative(0)->height() / 2));
        QCOMPARE(w.session().intPressureMode(), 0);
        QCOMPARE(w.session().input().values.sngTillgLuftTryck, 6.3f);
        QCOMPARE(w.findChild<FieldLineEdit*>("TillgLuftTryckB")->text(), QStringLiteral("5"));
    }

    void showAlwaysDiagramOpensItOnARowClick() {
        auto o = open("German");
        MainWindow& w = *o->window;
        search(w, "10", "3000", "6");
        w.findChild<QAction*>("mnuShowAlwaysDiagram")->trigger();
        QVERIFY(o->diagrams->diagram().isHidden());
        clickCell(w, 2, 0);
        QVERIFY(!o->diagrams->diagram().isHidden());
        o->diagrams->diagram().view().grab().save("/tmp/airmotor-diagram-window-de.png");
    }
};

QTEST_MAIN(DiagramWiringTest)
#include "DiagramWiringTest.moc"
