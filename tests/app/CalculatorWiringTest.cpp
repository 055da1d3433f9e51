// The calculator windows driven from the main window's own controls.
#include "AppTestSupport.h"
#include "app/calculators/CalculatorController.h"
#include "app/calculators/CalculatorPrinter.h"
#include "app/calculators/CalculatorWindow.h"
#include "app/diagrams/DiagramController.h"
#include "app/diagrams/DiagramWindow.h"
#include "app/printing/PrintController.h"
#include "app/shell/AuxWindowPlacement.h"

#include <QAction>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>

using namespace airmotor;
using namespace airmotor::app;
using namespace airmotor::app::test;

namespace {

struct RecordingPrinter final : CalculatorPrinter {
    void printWindowAndDiagram(QWidget& window, const core::PrintPlacement&, QWidget&,
                               const core::PrintPlacement& diagramAt) override {
        printed = window.objectName();
        diagramPlacement = diagramAt;
    }
    QString printed;
    core::PrintPlacement diagramPlacement;
};

} // namespace

class CalculatorWiringTest : public QObject {
    Q_OBJECT
    struct Opened : OpenedMainWindow {
        DiagramController* diagrams = nullptr; // owned by the main window
        CalculatorController* calculators = nullptr;
        RecordingPrinter printer;
    };
    // recording false: the calculators print through window capture on the program's printer.
    static std::unique_ptr<Opened> open(bool recording = true, const QString& language = "English") {
        auto o = std::make_unique<Opened>();
        OpenMainWindow(*o, language);
        o->diagrams = new DiagramController(*o->window, *o->program);
        o->calculators =
            new CalculatorController(*o->window, *o->program, o->messages, o->diagrams->diagram());
        if (recording)
            o->calculators->setPrinter(o->printer);
        o->window->show();
        return o;
    }
    // Opens calculator 0 (wagon) or 1 (rotating mass) and calculates with the current motor.
    static QWidget& calculate(Opened& o, int index) {
        QTest::mouseClick(Find<QPushButton>(*o.window, QString("Command2_%1").arg(index)), Qt::LeftButton);
        QWidget& w = *Find<QWidget>(*o.window, index == 0 ? "frmWagonCalculation" : "frmRotatingMass");
        if (index == 0)
            type(w, 11, "500000"); // no wheel slip whatever the motor
        QTest::mouseClick(Find<QPushButton>(w, "Command1"), Qt::LeftButton);
        return w;
    }
    // Clicks the following rows until another motor is current.
    static void clickAnotherMotor(Opened& o) {
        const int before = o.window->session().current().katalogIndex;
        for (int row = 2; row <= o.window->session().results().rowCount() &&
                          o.window->session().current().katalogIndex == before;
             ++row)
            ClickCell(*o.window, row, 0);
    }
    static QLineEdit* box(QWidget& w, int k) { return Find<QLineEdit>(w, QString("Text1_%1").arg(k)); }
    static void type(QWidget& w, int k, const QString& text) { TypeInto(box(w, k), text); }
    static QString strText(Opened& o, int key) {
        return QString::fromStdString(o.program->language.strText(key));
    }

private slots:
    void openCalculateAndPrintTheWagon() {
        auto o = open();
        QTest::mouseClick(Find<QPushButton>(*o->window, "Command2_0"), Qt::LeftButton);
        QWidget& wagon = *Find<QWidget>(*o->window, "frmWagonCalculation");
        QWidget& rotating = *Find<QWidget>(*o->window, "frmRotatingMass");
        QVERIFY(o->messages.messages.back().text.find(o->program->language.strText(209)) == 0);
        QVERIFY(wagon.isVisible());
        QVERIFY(rotating.isHidden());
        auto* print = Find<QPushButton>(wagon, "Command2");
        QVERIFY(!print->isEnabled());
        QCOMPARE(box(wagon, 13)->text(),
                 QString::fromStdString(o->window->session().current().strCurrentBenamning));
        calculate(*o, 0);
        QVERIFY2(!box(wagon, 8)->text().isEmpty(), o->messages.messages.back().text.c_str());
        QVERIFY(print->isEnabled());
        DiagramWindow& f2 = o->diagrams->diagram();
        QVERIFY(f2.isVisible());
        QVERIFY(f2.view().calculatorPlot().has_value());
        QVERIFY(Find<QPushButton>(f2, "cmdHelp")->isHidden());
        QCOMPARE(Find<QLabel>(wagon, "Label1_8")->text(), strText(*o, 175) + " 6 " + strText(*o, 174) + " :");

        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(o->printer.printed, QStringLiteral("frmWagonCalculation"));
        QCOMPARE(o->printer.diagramPlacement.top, 57);

        // A new row empties the results and disables Print; the diagram window stays, on the motor.
        const QString before = box(wagon, 13)->text();
        clickAnotherMotor(*o);
        QVERIFY(box(wagon, 13)->text() != before);
        QVERIFY(box(wagon, 8)->text().isEmpty());
        QVERIFY(!print->isEnabled());
        QVERIFY(f2.isVisible());
        QVERIFY(!f2.view().calculatorPlot());

        // An input change empties the results and hides the diagram.
        QTest::mouseClick(Find<QPushButton>(wagon, "Command1"), Qt::LeftButton);
        QVERIFY(!box(wagon, 9)->text().isEmpty());
        type(wagon, 3, "0.5");
        QVERIFY(box(wagon, 9)->text().isEmpty());
        QVERIFY(f2.isHidden());

        QTest::mouseClick(Find<QPushButton>(*o->window, "Command2_1"), Qt::LeftButton);
        QVERIFY(wagon.isHidden());
        QVERIFY(rotating.isVisible());
    }

    // Placed with its title bar on the screen and kept where the user moves it; Esc closes it as the
    // title bar's button does. A result too wide for a plain box still shows its leading digits.
    void calculatorWindowIsPlacedAndClosesOnEsc() {
        auto o = open();
        QWidget& wagon = calculate(*o, 0);
        const QRect screen = AvailableScreen(o->window.get());
        QVERIFY(wagon.geometry().top() >= screen.top() + 20);
        QVERIFY(screen.contains(wagon.geometry().topLeft()));
        QCOMPARE(wagon.windowType(), Qt::Window);
        QLineEdit* distance = box(wagon, 8);
        QVERIFY(!distance->text().isEmpty());
        QVERIFY(distance->width() >= distance->fontMetrics().horizontalAdvance("822886400.00"));
        QCOMPARE(distance->cursorPosition(), 0);
        const QPoint moved = wagon.pos() + QPoint(12, 8);
        wagon.move(moved);
        QTest::keyClick(&wagon, Qt::Key_Escape);
        QVERIFY(wagon.isHidden());
        QTest::mouseClick(Find<QPushButton>(*o->window, "Command2_0"), Qt::LeftButton);
        QVERIFY(wagon.isVisible());
        QCOMPARE(wagon.pos(), moved);
    }

    // The diagram window never keeps curves of another motor or of a calculator no longer open.
    void calculatorCurvesGoWithTheirMotorAndWindow() {
        auto o = open();
        const DiagramView& view = o->diagrams->diagram().view();
        const struct {
            const char* step;
            int calculator;
            std::function<void(QWidget&)> leave;
        } cases[] = {
            {"another motor", 0, [&](QWidget&) { clickAnotherMotor(*o); }},
            {"wagon closed", 0, [](QWidget& w) { w.close(); }},
            {"rotating mass closed", 1, [](QWidget& w) { w.close(); }},
            {"the other calculator opened", 0,
             [&](QWidget&) {
                 QTest::mouseClick(Find<QPushButton>(*o->window, "Command2_1"), Qt::LeftButton);
             }},
        };
        for (const auto& c : cases) {
            QWidget& w = calculate(*o, c.calculator);
            QVERIFY2(view.calculatorPlot().has_value(), c.step);
            c.leave(w);
            QVERIFY2(!view.calculatorPlot().has_value(), c.step);
        }
    }

    // One printer serves the program: File > Print chose a PDF file, so the calculator prints into it,
    // and where the printout went is said in the user's language.
    void calculatorPrintsOnTheProgramsPrinter() {
        auto o = open(false, "German");
        auto* printing = new PrintController(*o->window, *o->program, o->messages);
        const QString pdf = o->folder->path("printed.pdf");
        ChoosePdfFile(*printing, pdf);
        ClickCell(*o->window, 1, 0);
        o->window->findChild<QAction*>("mnuPrint")->trigger();
        QVERIFY(QFile::remove(pdf));
        QWidget& wagon = calculate(*o, 0);
        o->messages.messages.clear();
        QTest::mouseClick(Find<QPushButton>(wagon, "Command2"), Qt::LeftButton);
        // The window and the diagram on one page.
        QCOMPARE(PdfPages(pdf), 1);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count("/Subtype /Image"), 2);
        QCOMPARE(OnlyMessage(o->messages),
                 "Der Ausdruck wurde nach " + QDir::toNativeSeparators(pdf) + " geschrieben.");
    }

    void ownMotorDataInBothWindows() {
        auto o = open();
        auto* own = o->window->findChild<QAction*>("mnuOwnMotorData");
        own->trigger();
        for (const char* name : {"frmWagonCalculation", "frmRotatingMass"}) {
            QWidget& w = *Find<QWidget>(*o->window, name);
            QCOMPARE(box(w, 13)->text(), strText(*o, 220));
            QVERIFY(!box(w, 15)->isReadOnly());
        }
        QTest::mouseClick(Find<QPushButton>(*o->window, "Command2_1"), Qt::LeftButton);
        QWidget& rotating = *Find<QWidget>(*o->window, "frmRotatingMass");
        type(rotating, 14, "2");
        type(rotating, 15, "1.5");
        type(rotating, 16, "6000");
        QTest::mouseClick(Find<QPushButton>(rotating, "Command1"), Qt::LeftButton);
        QCOMPARE(box(rotating, 6)->text(), QStringLiteral("467.91"));

        own->trigger();
        QVERIFY(box(rotating, 14)->isReadOnly());
        QCOMPARE(box(rotating, 13)->text(),
                 QString::fromStdString(o->window->session().current().strCurrentBenamning));
    }
};

QTEST_MAIN(CalculatorWiringTest)
#include "CalculatorWiringTest.moc"
