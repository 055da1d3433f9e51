// The calculator windows driven from the main window's own controls.
#include "AppTestSupport.h"
#include "app/CalculatorCapturePrinter.h"
#include "app/CalculatorController.h"
#include "app/CalculatorPrinter.h"
#include "app/CalculatorWindow.h"
#include "app/DiagramController.h"
#include "app/DiagramWindow.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

using namespace airmotor;
using namespace airmotor::app;
using namespace airmotor::app::test;

namespace {

struct RecordingPrinter final : CalculatorPrinter {
    void printWindowAndDiagram(QWidget& window, const core::PrintPlacement& windowAt, QWidget&,
                               const core::PrintPlacement& diagramAt) override {
        printed = window.objectName();
        windowPlacement = windowAt;
        diagramPlacement = diagramAt;
    }
    QString printed;
    core::PrintPlacement windowPlacement, diagramPlacement;
};

} // namespace

class CalculatorWiringTest : public QObject {
    Q_OBJECT
    struct Opened : OpenedMainWindow {
        DiagramController* diagrams = nullptr; // owned by the main window
        CalculatorController* calculators = nullptr;
        RecordingPrinter printer;
    };
    static std::unique_ptr<Opened> open() {
        auto o = std::make_unique<Opened>();
        OpenMainWindow(*o, "English");
        o->diagrams = new DiagramController(*o->window, *o->program);
        o->calculators =
            new CalculatorController(*o->window, *o->program, o->messages, o->diagrams->diagram());
        o->calculators->setPrinter(o->printer);
        o->window->show();
        return o;
    }
    static QLineEdit* box(QWidget& w, int k) { return Find<QLineEdit>(w, QString("Text1_%1").arg(k)); }
    static void type(QWidget& w, int k, const QString& text) { TypeInto(box(w, k), text); }
    static QString strText(Opened& o, int key) {
        return QString::fromStdString(o.program->language.strText(key));
    }

private slots:
    void openCalculateAndPrintTheWagon() {
        auto o = open();
        auto* wagonButton = Find<QPushButton>(*o->window, "Command2_0");
        QTest::mouseClick(wagonButton, Qt::LeftButton);
        QWidget& wagon = *Find<QWidget>(*o->window, "frmWagonCalculation");
        QWidget& rotating = *Find<QWidget>(*o->window, "frmRotatingMass");
        QVERIFY(o->messages.messages.back().text.find(o->program->language.strText(209)) == 0);
        QVERIFY(wagon.isVisible());
        QVERIFY(rotating.isHidden());
        auto* print = Find<QPushButton>(wagon, "Command2");
        QVERIFY(!print->isEnabled());
        QCOMPARE(box(wagon, 13)->text(),
                 QString::fromStdString(o->window->session().current().strCurrentBenamning));

        type(wagon, 11, "500000"); // no wheel slip whatever the motor
        QTest::mouseClick(Find<QPushButton>(wagon, "Command1"), Qt::LeftButton);
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

        // Through window capture, the window and the diagram on one page of a PDF.
        QTemporaryDir dir;
        const QString pdf = dir.filePath("wagon.pdf");
        CalculatorCapturePrinter capture(o->messages);
        capture.setSinkFactory([pdf] { return std::make_unique<platform::PdfJobSink>(pdf); });
        o->calculators->setPrinter(capture);
        const std::size_t messagesBefore = o->messages.messages.size();
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(o->messages.messages.size(), messagesBefore);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1);
        QCOMPARE(bytes.count("/Subtype /Image"), 2);

        // A new row empties the results and disables Print, the diagram window stays.
        const QString before = box(wagon, 13)->text();
        for (int row = 2;
             row <= o->window->session().results().rowCount() && box(wagon, 13)->text() == before; ++row)
            ClickCell(*o->window, row, 0);
        QVERIFY(box(wagon, 13)->text() != before);
        QVERIFY(box(wagon, 8)->text().isEmpty());
        QVERIFY(!print->isEnabled());
        QVERIFY(f2.isVisible());

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

    void ownMotorDataInBothWindows() {
        auto o = open();
        auto* own = o->window->findChild<QAction*>("mnuOwnMotorData");
        QVERIFY(own && own->isCheckable());
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
