// The motor data editor window: its controls, panels, leave rules, openings, the question before
// the program ends, the catalogue save and the printed range.
#include "app/maintenance/MotorDataEditorWindow.h"
#include "../core/EditorTestData.h"
#include "AppTestSupport.h"
#include "app/maintenance/EditorDiagramWindow.h"
#include "app/maintenance/MotorDataEditorController.h"
#include "core/common/Keys.h"
#include "core/maintenance/MotorRecord.h"
#include "core/results/SearchSummary.h"
#include "platform/files/MeasurementFileStore.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

using namespace airmotor;
using namespace airmotor::app;
using namespace airmotor::app::test;

namespace {

// The core tests' linear motor with a minimum start torque of 2 Nm.
core::MeasurementData LinearMotor(const std::string& designation) {
    core::MeasurementData d = core::testing::LinearMotor();
    d.minStartTorque = 2.0f;
    d.designation = designation;
    return d;
}

struct Opened : OpenedMainWindow {
    MotorDataEditorController* editor = nullptr;
    QString chosen; // what the file dialog answers
    MotorDataEditorWindow& editorWindow() { return editor->window(); }
    QLineEdit* box(const char* name) { return Find<QLineEdit>(editor->window(), QString::fromUtf8(name)); }
    QPushButton* button(const char* name) {
        return Find<QPushButton>(editor->window(), QString::fromUtf8(name));
    }
    std::string lastMessage() const { return messages.messages.empty() ? "" : messages.messages.back().text; }
    // Writes the measurement file and loads it as HämtaDatafilB does.
    void load(const std::string& designation) {
        chosen = folder->path("MOTOR.DAT");
        QVERIFY(!platform::MeasurementFileStore::write(chosen, LinearMotor(designation)));
        button("HämtaDatafilB")->click();
    }
};

std::unique_ptr<Opened> Open() {
    auto o = std::make_unique<Opened>();
    OpenMainWindow(*o, "English");
    o->editor = new MotorDataEditorController(*o->window, *o->program, o->messages);
    Opened* raw = o.get();
    o->editor->setFileChooser([raw](bool, const QString&, const QString&) { return raw->chosen; });
    o->window->show();
    return o;
}

} // namespace

class MotorDataEditorWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Opened> o;

private slots:
    void init() { o = Open(); }
    void cleanup() { o.reset(); }

    void menuButtonsSwitchThePanels() {
        o->editor->openFull();
        QVERIFY(o->box("SxB")->isVisible());
        o->button("DiagramB")->click();
        QVERIFY(o->box("VmaxB")->isVisible());
        QVERIFY(!o->box("SxB")->isVisible());
        o->button("VisaDataB")->click();
        QVERIFY(o->box("Varvtal_mm_1")->isVisible());
    }

    void leavingGearBoxesRecomputesTheMinimumStartTorque() {
        o->editor->openFull();
        o->load("TKM20-A5");
        QCOMPARE(o->box("VerkningsgradB")->text(), QString("100"));
        // Utv x start torque from the file x efficiency / 100.
        for (const auto& [box, typed, minStart] :
             {std::array{"UtvB", "3", "6"}, {"VerkningsgradB", "50", "3"}, {"UtvB", "*", "1"}}) {
            TypeInto(o->box(box), typed);
            Leave(o->box(box));
            QCOMPARE(o->box("Min_StartMomentB")->text(), QString(minStart));
        }
        // A factor left reconverts the readings: Km 2 doubles the torque, the 50 % gear halves it.
        TypeInto(o->box("KmB"), "2");
        Leave(o->box("KmB"));
        QVERIFY(std::fabs(o->editor->editor().converted().torque[1] - 2.0f * 18.0f * 0.5f) < 1e-3f);
    }

    // The maintenance code opens the editor and the production controls, which no other search shows.
    void maintenanceCodeOpensTheWholeEditor() {
        const char* production[] = {"chkProduktionsdata", "Command3", "cmdPrintProduktionsdata"};
        for (const char* name : production)
            QVERIFY2(!Find<QWidget>(*o->window, name)->isVisible(), name);
        Search(*o->window, {{"ArbetsMomentB", "10"}, {"TillgLuftTryckB", "583196"}});
        QVERIFY(o->editorWindow().isVisible());
        QVERIFY(!o->window->session().bolKatalogMode());
        QCOMPARE(Find<QLineEdit>(*o->window, "TillgLuftTryckB")->text(), QString("6.3"));
        // The two notes of the opening: where the production controls are, then the free-speed point.
        QCOMPARE(o->messages.messages.size(), std::size_t(2));
        QVERIFY(o->messages.messages[0].text.find("Print Prod") != std::string::npos);
        QVERIFY(o->lastMessage().find("Moment=0") != std::string::npos);
        for (const char* name : production)
            QVERIFY2(Find<QWidget>(*o->window, name)->isVisible(), name);
        QVERIFY(Find<QWidget>(o->editorWindow(), "Frame1")->isVisible());
        QVERIFY(o->button("ValAvLuftmotorB")->isVisible());
        o->button("ValAvLuftmotorB")->click();
        QVERIFY(!o->editorWindow().isVisible());
    }

    void reservedKeyOpensTheReducedEditor() {
        auto* rotation = Find<QAbstractButton>(*o->window, "optRotation_0");
        QTest::keyClick(rotation, Qt::Key_A);
        QVERIFY(!o->editorWindow().isVisible());
        QTest::keyClicks(rotation, QString(QChar(MotorDataEditorController::kReservedKey)));
        QVERIFY(o->editorWindow().isVisible());
        for (const char* hidden : {"Frame1", "Frame2", "Frame6", "ValAvLuftmotorB", "txtMeasured_0"})
            QVERIFY2(!Find<QWidget>(o->editorWindow(), hidden)->isVisible(), hidden);
        QVERIFY(o->lastMessage().find("Moment=0") != std::string::npos);
        QVERIFY(!o->window->session().bolKatalogMode());
        QCOMPARE(Find<QLineEdit>(*o->window, "TillgLuftTryckB")->text(), QString("6.3"));
    }

    void endingTheProgramAsksOnlyWhenReadingsChanged() {
        o->editor->openFull();
        QSignalSpy exits(o->editor, &MotorDataEditorController::exitProgram);
        o->editorWindow().close();
        QCOMPARE(exits.count(), 1);
        const std::size_t before = o->messages.messages.size();
        TypeInto(o->box("Varvtal_mm_1"), "12");
        o->messages.answers = {core::Answer::No};
        o->button("Command6")->click();
        QCOMPARE(exits.count(), 1);
        QCOMPARE(o->messages.messages.size(), before + 1);
        o->messages.answers = {core::Answer::Yes};
        o->editorWindow().close();
        QCOMPARE(exits.count(), 2);
        // Quitting is Yes or No: a Cancel there would only repeat No.
        QCOMPARE(o->messages.cancelOffered, (std::vector<bool>{false, false}));
    }

    // Readings typed and never saved: the diagram draws them. The companion needs a file and says so.
    void screenDiagramDrawsTheTypedReadings() {
        o->editor->openFull();
        const core::MeasurementData linear = LinearMotor("TKM20-A5");
        for (const auto& [name, text] : {std::pair{"SxB", "10"}, {"Sy1B", "0.5"}, {"Sy2B", "0.1"}})
            TypeInto(o->box(name), text);
        for (int i = 1; i <= 8; ++i) {
            const auto k = static_cast<std::size_t>(i - 1);
            TypeInto(o->box(qPrintable(QString("Varvtal_mm_%1").arg(i))), QString::number(linear.speed[k]));
            TypeInto(o->box(qPrintable(QString("Nm_mm_%1").arg(i))), QString::number(linear.torque[k]));
            TypeInto(o->box(qPrintable(QString("Q_mm_%1").arg(i))), QString::number(linear.air[k]));
        }
        o->messages.messages.clear();
        o->button("DiagramSkärm")->click();
        QVERIFY2(o->messages.messages.empty(), o->lastMessage().c_str());
        QVERIFY(o->editor->diagram().isVisible());
        // 2 pi x 10 Nm x 500 r/min, the maximum of the line 20 - 0.02 n.
        QVERIFY(std::fabs(o->editor->editor().figures()->maxPower - 0.5236f) < 1e-3f);

        o->button("cmdSparaMätpunterTillStreckadeKurvor")->click();
        QVERIFY(OnlyMessage(o->messages).contains("mätdatafil"));
    }

    void savingToTheCatalogue() {
        o->editor->openFull();
        o->load("TKM99-NY");
        const int loaded = o->program->catalogue.intAntalMotorer;
        // Cancel: nothing drawn, nothing written.
        o->messages.answers = {core::Answer::Cancel};
        o->button("Command2")->click();
        QCOMPARE(o->program->catalogue.intAntalMotorer, loaded);
        // Replace of a designation the catalogue lacks: the message, nothing written.
        o->messages.answers = {core::Answer::Yes};
        o->button("Command2")->click();
        QCOMPARE(o->lastMessage(), std::string(core::kDesignationNotFoundText));
        // Add: one record, the catalogue reloaded, the confirmation names the search index 0.
        o->messages.answers = {core::Answer::No};
        o->button("Command2")->click();
        QCOMPARE(o->program->catalogue.intAntalMotorer, loaded + 1);
        const int added = core::FindDesignation(o->program->catalogue, "TKM99-NY");
        QVERIFY(added > 0);
        QVERIFY(o->lastMessage().find("intSokindex är 0") != std::string::npos);
        // Replace now finds it (case-sensitive), and the catalogue in memory takes the new curves.
        TypeInto(o->box("KmB"), "2");
        Leave(o->box("KmB"));
        o->messages.answers = {core::Answer::Yes};
        o->button("Command2")->click();
        QCOMPARE(o->program->catalogue.intAntalMotorer, loaded + 1);
        QVERIFY(o->lastMessage().find("utbytta") != std::string::npos);
        QVERIFY(std::fabs(o->program->catalogue.cM(0, added) - 40.0f) < 0.01f);
        // The first motor of the catalogue is found as well.
        o->load(o->program->catalogue.strBenamning[1]);
        o->messages.answers = {core::Answer::Yes};
        o->button("Command2")->click();
        QVERIFY(o->lastMessage().find("utbytta") != std::string::npos);
        // A catalogue gone under the editor: the refusal leads in the user's language, the database's
        // reason follows, and the catalogue in memory keeps its motors.
        QVERIFY(QFile::remove(o->program->databaseFile()));
        o->messages.answers = {core::Answer::Yes};
        o->button("Command2")->click();
        QCOMPARE(o->messages.messages.back().icon, core::MessageIcon::Critical);
        const std::string lead =
            core::FillPlaceholders(o->program->language.strText(core::TextKey::MotorNotSaved),
                                   {o->program->catalogue.strBenamning[1]});
        QVERIFY(o->lastMessage().starts_with(lead + "\n\n"));
        QVERIFY(o->lastMessage().find("no such database file") != std::string::npos);
        QCOMPARE(o->program->catalogue.intAntalMotorer, loaded + 1);
    }

    void printingARangeGivesOnePagePerMotor() {
        o->editor->openFull();
        const QString pdf = o->folder->path("range.pdf");
        o->editor->setSinkFactory([pdf] { return std::make_unique<platform::PdfJobSink>(pdf); });
        // No last index: the loaded motor's own diagram.
        o->load("TKM20-A5");
        o->button("DiagramPrinter")->click();
        QVERIFY(PdfText(pdf).contains("TKM20-A5"));
        TypeInto(o->box("txtKatalogIndex_0"), "2");
        TypeInto(o->box("txtKatalogIndex_1"), "4");
        o->button("DiagramPrinter")->click();
        QCOMPARE(PdfPages(pdf), 3);
        const QStringList pages = PdfText(pdf).split('\f');
        for (int k = 0; k < 3; ++k)
            QVERIFY(pages[k].contains(QString("Motor nr: %1").arg(k + 2)));
        // A range beyond the catalogue is refused with a message.
        TypeInto(o->box("txtKatalogIndex_1"), "9999");
        const std::size_t before = o->messages.messages.size();
        o->button("Command4")->click();
        QCOMPARE(o->messages.messages.size(), before + 1);
        // So is one no int can hold, named as typed.
        TypeInto(o->box("txtKatalogIndex_1"), "99999999999999999999");
        o->button("Command4")->click();
        QCOMPARE(o->messages.messages.size(), before + 2);
        QVERIFY(o->lastMessage().find("till 1E+20 finns inte") != std::string::npos);
        // The motor list's rows the wrong way round are refused before any workbook is opened.
        TypeInto(o->box("Text1_1"), "1");
        o->button("Command5")->click();
        QVERIFY(o->lastMessage().find("första rad ≤ sista rad") != std::string::npos);
    }
};

QTEST_MAIN(MotorDataEditorWindowTest)
#include "MotorDataEditorWindowTest.moc"
