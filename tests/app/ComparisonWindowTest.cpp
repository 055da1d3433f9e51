// The comparison: ticking result rows, the window's table and diagram, export and print.
#include "app/analysis/ComparisonWindow.h"
#include "AppTestSupport.h"
#include "app/analysis/ComparisonController.h"
#include "app/analysis/ComparisonTableModel.h"
#include "platform/printing/PrintJobs.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QTimer>

using namespace airmotor;
using namespace airmotor::app;
using namespace airmotor::app::test;

class ComparisonWindowTest : public QObject {
    Q_OBJECT
    struct Opened : OpenedMainWindow {
        ComparisonController* comparison = nullptr; // owned by the main window
    };
    static std::unique_ptr<Opened> open(const QString& language) {
        auto o = std::make_unique<Opened>();
        OpenMainWindow(*o, language);
        o->comparison = new ComparisonController(*o->window, *o->program, o->messages);
        o->window->show();
        Search(*o->window, {{"ArbetsMomentB", "10"}, {"ArbetsVarvtalB", "3000"}, {"TillgLuftTryckB", "6"}});
        return o;
    }
    // The context menu of a grid row, as a right-click opens it; the menu is closed at once and the
    // action is triggered as a choice in it would.
    static void chooseCompare(MainWindow& w, int row) {
        QTableView& grid = w.grid();
        const QPoint at = grid.visualRect(grid.model()->index(row - 1, 0)).center();
        QTimer::singleShot(0, [] {
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid.viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid.viewport(), &event);
        grid.findChild<QAction*>("mnuCompareRow")->trigger();
    }

private slots:
    void ticksAreMarkedLimitedAndForgottenWithTheResults() {
        auto o = open("English");
        MainWindow& w = *o->window;
        QVERIFY(w.session().results().rowCount() >= 5);
        for (int row : {1, 2, 3, 4})
            chooseCompare(w, row);
        QCOMPARE(o->comparison->selection().rows(), (std::vector<int>{1, 2, 3, 4}));
        QCOMPARE(w.grid().model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("✓ 2"));
        QCOMPARE(w.grid().model()->headerData(4, Qt::Vertical).toString(), QStringLiteral("5"));
        QVERIFY(o->messages.messages.empty());

        chooseCompare(w, 5);
        QCOMPARE(o->comparison->selection().rows().size(), std::size_t(4));
        QVERIFY(OnlyMessage(o->messages).contains("At most 4"));
        chooseCompare(w, 2); // takes the tick back
        QCOMPARE(o->comparison->selection().rows(), (std::vector<int>{1, 3, 4}));

        Search(w, {{"ArbetsMomentB", "12"}});
        QVERIFY(o->comparison->selection().rows().empty());
        QCOMPARE(w.grid().model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
    }

    void windowShowsFiguresDiagramExportAndPrint() {
        auto o = open("English");
        MainWindow& w = *o->window;
        for (int row : {1, 3, 4})
            o->comparison->toggleRow(row);
        w.findChild<QAction*>("mnuCompareMotors")->trigger();
        ComparisonWindow& window = o->comparison->window();
        QVERIFY(window.isVisible());
        ComparisonTableModel& model = window.model();
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.columnCount(), 3);
        QVERIFY(model.headerData(0, Qt::Horizontal).toString().startsWith("1: "));
        int marked = 0;
        for (int r = 0; r < model.rowCount(); ++r) {
            const QString caption = model.headerData(r, Qt::Vertical).toString();
            const core::ComparedFigure& f = model.comparison().figures[static_cast<std::size_t>(r)];
            if (f.name != "mode" && f.name != "airCostPerYear" && f.name != "price") // no unit
                QVERIFY2(caption.contains('['), qPrintable(caption + ": no unit"));
            QVERIFY(!model.headerData(r, Qt::Vertical, Qt::ToolTipRole).toString().isEmpty());
            for (int c = 0; c < 3; ++c)
                marked += model.index(r, c).data(Qt::BackgroundRole).isValid() ? 1 : 0;
        }
        QVERIFY(marked > 0);
        QCOMPARE(window.view().plot().panels.size(), std::size_t(1));
        window.findChild<QCheckBox*>("chkComparePower")->setChecked(true);
        window.findChild<QCheckBox*>("chkCompareAir")->setChecked(true);
        QCOMPARE(window.view().plot().panels.size(), std::size_t(3));

        QTemporaryDir dir;
        const QString svg = dir.filePath("c.svg");
        window.setPathChooser([svg] { return svg; });
        window.exportDiagram();
        QVERIFY(QFileInfo(svg).size() > 1000);
        window.setPathChooser([&dir] { return dir.path() + "/missing/c.png"; });
        window.exportDiagram();
        QVERIFY(OnlyMessage(o->messages).contains("c.png"));

        const QString pdf = dir.filePath("c.pdf");
        platform::PdfJobSink sink(pdf);
        QVERIFY(window.printTo(sink));
        QVERIFY(QFileInfo(pdf).size() > 1000);
    }
};

QTEST_MAIN(ComparisonWindowTest)
#include "ComparisonWindowTest.moc"
