// The main selection window driven through its controls, checked against the command-line program
// (which runs the same selection model without any window).

#include "app/selection/MainWindow.h"
#include "AppTestSupport.h"
#include "app/diagrams/MountingPositionsWindow.h"
#include "app/selection/FieldLineEdit.h"
#include "app/selection/QbColor.h"
#include "app/shell/BuiltFeatures.h"
#include "app/shell/HelpWindow.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStatusBar>

#include <clocale>

using namespace airmotor;
using namespace airmotor::app;
using namespace airmotor::app::test;

class MainWindowTest : public QObject {
    Q_OBJECT

    static std::unique_ptr<OpenedMainWindow> open(const QString& language) {
        auto opened = OpenMainWindow(language);
        opened->window->show();
        return opened;
    }

    static FieldLineEdit* field(MainWindow& w, const char* name) { return Find<FieldLineEdit>(w, name); }

    static QStringList gridRows(MainWindow& w) {
        QStringList rows;
        QAbstractItemModel* m = w.grid().model();
        for (int r = 0; r < m->rowCount(); ++r)
            rows << m->index(r, 0).data().toString() + "|" + m->index(r, 1).data().toString();
        return rows;
    }
    static QString label(MainWindow& w, const char* name) { return Find<QLabel>(w, name)->text(); }
    static QList<int> messageKeys(const core::RecordingMessageSink& sink) {
        QList<int> keys;
        for (const auto& m : sink.messages)
            keys << m.key;
        return keys;
    }

    std::unique_ptr<OpenedMainWindow> o; // English unless a test opens another language

private slots:
    void init() { o = open("English"); }
    void cleanup() { o.reset(); }

    void startupListingEqualsCliListing() {
        QVERIFY(gridRows(*o->window).size() > 1);
        QCOMPARE(gridRows(*o->window), CliGrid(RunCli(o->folder->folder(), {"list"})));
        QVERIFY(o->messages.messages.empty());
        QVERIFY(!Find<QGroupBox>(*o->window, "fraSearchData")->isVisible());
    }

    void enterSearchShowsTheCliRows_data() {
        QTest::addColumn<QString>("torque");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("pressure");
        QTest::newRow("10 Nm at 3000 r/min, 6 bar") << QString("10") << QString("3000") << QString("6");
        QTest::newRow("decimal comma typed") << QString("1,5") << QString("2000") << QString("5,5");
        QTest::newRow("nothing fits") << QString("9000") << QString("29000") << QString("6.3");
    }
    void enterSearchShowsTheCliRows() {
        QFETCH(QString, torque);
        QFETCH(QString, speed);
        QFETCH(QString, pressure);
        auto& w = *o->window;
        Search(w, {{"ArbetsMomentB", torque}, {"ArbetsVarvtalB", speed}, {"TillgLuftTryckB", pressure}});
        const QJsonObject cli = RunCli(
            o->folder->folder(), {"search", "--torque", torque, "--speed", speed, "--pressure", pressure});
        QVERIFY(!cli.isEmpty());
        QCOMPARE(gridRows(w), CliGrid(cli));
        QCOMPARE(field(w, "ArbetsMomentB")->text(), QString(torque).replace(',', '.'));
        // The search's own click on row 1 fills the detail panel as the CLI reports it.
        const QJsonObject current = cli.value("current").toObject();
        if (!current.isEmpty()) {
            const QJsonObject labels = current.value("labels").toObject();
            for (const char* name :
                 {"MaxeffektR", "NMaxeffR", "QmR", "MmaxeffR", "lblProductNumber", "Label17"})
                QCOMPARE(label(w, name), labels.value(name).toString().trimmed());
            QCOMPARE(Find<QWidget>(w, "PrinterutskriftB")->isEnabled(), kBuiltFeatures.printing);
        }
    }

    void clickInColumnOneShowsTheSecondProductNumber() {
        auto& w = *o->window;
        const QStringList rows = gridRows(w);
        int row = 0;
        for (int r = 0; r < rows.size() && row == 0; ++r)
            if (!rows[r].endsWith('|') && !rows[r].section('|', 1).startsWith(' '))
                row = r + 1;
        QVERIFY2(row > 0, "the listing holds a motor with two ordering numbers");
        ClickCell(w, row, 1);
        const QJsonObject cli =
            RunCli(o->folder->folder(), {"list", "--select", QString::number(row), "--column", "1"});
        const QJsonObject labels = cli.value("current").toObject().value("labels").toObject();
        QCOMPARE(label(w, "lblProductNumber"), labels.value("lblProductNumber").toString().trimmed());
        // The clicked cell is highlighted, the rest of the row is not.
        auto* m = w.grid().model();
        QCOMPARE(m->index(row - 1, 1).data(Qt::BackgroundRole).value<QColor>(), StateTint(11));
        QVERIFY(!m->index(row - 1, 0).data(Qt::BackgroundRole).isValid());
    }

    void ruleALocksTheOtherBoundsAfterEnter() {
        auto& w = *o->window;
        Search(w, {{"ArbetsMomentB", "10"}, {"ArbetsVarvtalB", "3000"}, {"MinStartmomentB", "5"}});
        QVERIFY(field(w, "ArbetsMomentB")->isEnabled());
        QVERIFY(!field(w, "TomgVarvMinB")->isEnabled());
        QCOMPARE(field(w, "TomgVarvMinB")->palette().color(QPalette::Disabled, QPalette::Base), StateTint(0));
        // New search data opens every field again, yellow.
        QTest::mouseClick(Find<QWidget>(w, "NyaIndataB"), Qt::LeftButton);
        for (const char* name : {"TomgVarvMinB", "ArbetsMomentB"}) {
            QCOMPARE(field(w, name)->paletteColour(), 14);
            QVERIFY(field(w, name)->text().isEmpty());
        }
    }

    // The explosion signs and the delivery note belong to a motor: the search view with none current
    // hides them.
    void fieldColoursFollowTheLimits() {
        auto& w = *o->window;
        QVERIFY(Find<QWidget>(w, "picEx_0")->isVisible() && Find<QWidget>(w, "Label21")->isVisible());
        ClickOption(Find<QRadioButton>(w, "optCatalogue_1"));
        QVERIFY(!w.session().current().valid);
        for (const char* name : {"picEx_0", "picEx_1", "Label21"})
            QVERIFY2(!Find<QWidget>(w, name)->isVisible(), name);
        FieldLineEdit* torque = field(w, "ArbetsMomentB");
        TypeInto(torque, "10001");
        QCOMPARE(torque->palette().color(QPalette::Base), StateTint(12));
        TypeInto(torque, "50");
        TypeInto(field(w, "ArbetsVarvtalB"), "5000");
        QCOMPARE(label(w, "EffektA"), QString("26.180"));
        QCOMPARE(Find<QLabel>(w, "EffektA")->palette().color(QPalette::Window), StateTint(12));
    }

    void searchAfterStandardUsesTheFieldPressure() {
        auto& w = *o->window;
        Search(w, {{"ArbetsMomentB", "10"}, {"ArbetsVarvtalB", "3000"}, {"TillgLuftTryckB", "5"}});
        QVERIFY2(label(w, "Label17").contains("5.00"), qPrintable(label(w, "Label17")));
        const QStringList atFive = gridRows(w);
        ClickOption(Find<QRadioButton>(w, "EnbartDiagramB_1"));
        ClickOption(Find<QRadioButton>(w, "optDiagramAlternativ_0"));
        QVERIFY2(label(w, "Label17").contains("6.30"), qPrintable(label(w, "Label17")));
        QTest::keyClick(field(w, "ArbetsVarvtalB"), Qt::Key_Return);
        QCOMPARE(field(w, "TillgLuftTryckB")->text(), QString("5"));
        QVERIFY2(label(w, "Label17").contains("5.00"), qPrintable(label(w, "Label17")));
        QCOMPARE(gridRows(w), atFive);
        // New search data closes the diagram options opened by their button and puts the diagram back
        // on the catalogue pressure, which the options show when opened again.
        auto* options = Find<QPushButton>(w, "cboDiagramAlternativ");
        auto* fresh = Find<QPushButton>(w, "NyaIndataB");
        QTest::mouseClick(fresh, Qt::LeftButton);
        QTest::mouseClick(options, Qt::LeftButton);
        ClickOption(Find<QRadioButton>(w, "optDiagramAlternativ_2"));
        QTest::mouseClick(fresh, Qt::LeftButton);
        QVERIFY(Find<QWidget>(w, "frameDiagramAlternativ")->isHidden());
        QTest::mouseClick(options, Qt::LeftButton);
        QVERIFY(Find<QRadioButton>(w, "optDiagramAlternativ_0")->isChecked());
    }

    // A desktop with a decimal comma: Qt hands its locale to the C library at start-up, and the
    // program must read and show "5.5" the same as under the classic locale.
    void commaLocaleReadsAndShowsTheTypedPressure() {
        const QByteArray previous = std::setlocale(LC_ALL, nullptr);
        const auto restore = qScopeGuard([&] { std::setlocale(LC_ALL, previous.constData()); });
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "fr_FR.UTF-8"))
            QSKIP("no comma locale on this machine (scripts/install-deps makes de_DE.UTF-8)");
        QCOMPARE(QByteArray(std::localeconv()->decimal_point), QByteArray(","));
        o = open("German");
        auto& w = *o->window;
        Search(w, {{"ArbetsMomentB", "1.5"}, {"ArbetsVarvtalB", "2000"}, {"TillgLuftTryckB", "5.5"}});
        QVERIFY2(label(w, "Label17").contains(" 5.50 "), qPrintable(label(w, "Label17")));
        QVERIFY2(label(w, "MaxeffektR").contains('.'), qPrintable(label(w, "MaxeffektR")));
    }

    void pressureOutsideItsRangeShowsNoFigures() {
        auto& w = *o->window;
        FieldLineEdit* pressure = field(w, "TillgLuftTryckB");
        QVERIFY(!label(w, "MaxeffektR").isEmpty());
        TypeInto(pressure, "106.3");
        QTest::keyClick(pressure, Qt::Key_Return);
        QCOMPARE(label(w, "MaxeffektR"), QString());
        QCOMPARE(label(w, "QmR"), QString());
        QVERIFY(!Find<QWidget>(w, "PrinterutskriftB")->isEnabled());
        QVERIFY(!Find<QWidget>(w, "MotordiagramB")->isEnabled());
        QVERIFY2(w.statusBar()->currentMessage().contains("3.00 - 6.30 bar(e)"),
                 qPrintable(w.statusBar()->currentMessage()));
        TypeInto(pressure, "6");
        QTest::keyClick(pressure, Qt::Key_Return);
        QVERIFY(!label(w, "MaxeffektR").isEmpty());
        QCOMPARE(Find<QWidget>(w, "PrinterutskriftB")->isEnabled(), kBuiltFeatures.printing);
        // The summary names the pressure the figures are now shown at.
        QVERIFY2(w.statusBar()->currentMessage().contains(" 6.00 bar(e)"),
                 qPrintable(w.statusBar()->currentMessage()));
    }

    void obsoleteMotorMenuShowsTheFilterAndThirdSeries() {
        auto& w = *o->window;
        auto* menu = Find<QAction>(w, "mnuOnlyObsoleteMotors");
        menu->trigger();
        QVERIFY(Find<QCheckBox>(w, "chkMotortype_2")->isChecked());
        QVERIFY(Find<QGroupBox>(w, "fraObsoleteMotors")->isVisible());
        const QJsonObject cli =
            RunCli(o->folder->folder(), {"list", "--series", "TKM,TKS,PGW", "--obsolete", "all"});
        QCOMPARE(gridRows(w), CliGrid(cli));
        // Obsolete rows carry their own colour in the grid.
        const QJsonArray grid = cli.value("grid").toArray();
        int obsolete = 0;
        for (int r = 0; r < grid.size(); ++r) {
            if (grid[r].toObject().value("colour").toInt() == 9 && r > 0) {
                QVERIFY(w.grid().model()->index(r, 0).data(Qt::ForegroundRole).isValid());
                ++obsolete;
            }
        }
        QVERIFY(obsolete > 0);
        ClickOption(Find<QRadioButton>(w, "optObsoleteMotors_1"));
        QVERIFY(!Find<QRadioButton>(w, "optCatalogue_1")->isEnabled());
        menu->trigger();
        QVERIFY(!Find<QCheckBox>(w, "chkMotortype_2")->isVisible());
        QVERIFY(Find<QRadioButton>(w, "optObsoleteMotors_2")->isChecked());
    }

    void stainlessAndCounterClockwiseExcludeEachOther() {
        auto& w = *o->window;
        ClickOption(Find<QRadioButton>(w, "optRotation_1"));
        QVERIFY(!Find<QRadioButton>(w, "optSteel_1")->isEnabled());
        QCOMPARE(gridRows(w),
                 CliGrid(RunCli(o->folder->folder(), {"list", "--rotation", "counter-clockwise"})));
        ClickOption(Find<QRadioButton>(w, "optRotation_0"));
        QVERIFY(Find<QRadioButton>(w, "optSteel_1")->isEnabled());
        ClickOption(Find<QRadioButton>(w, "optSteel_1"));
        QVERIFY(!Find<QRadioButton>(w, "optRotation_1")->isEnabled());
        QVERIFY(!Find<QRadioButton>(w, "optLubricated_0")->isEnabled());
        QCOMPARE(gridRows(w), CliGrid(RunCli(o->folder->folder(), {"list", "--steel", "stainless"})));
        // Unticking TKM hides its options; unticking TKS too leaves no series to list.
        ClickOption(Find<QCheckBox>(w, "chkMotortype_0"));
        QVERIFY(!Find<QGroupBox>(w, "fraTKMAlternativ")->isVisible());
        QVERIFY(!messageKeys(o->messages).contains(140));
        ClickOption(Find<QCheckBox>(w, "chkMotortype_1"));
        QVERIFY(messageKeys(o->messages).contains(140));
    }

    void mountingPositionIsRequiredForBgMotors() {
        auto& w = *o->window;
        const QStringList rows = gridRows(w);
        int row = 0;
        for (int r = 0; r < rows.size() && row == 0; ++r)
            if (rows[r].contains("5-BG"))
                row = r + 1;
        QVERIFY2(row > 0, "the listing holds a motor ordered with a mounting position");
        ClickCell(w, row, 0);
        MountingPositionsWindow& window = w.mountingPositions();
        QVERIFY(window.isVisible());
        window.close();
        QVERIFY2(window.isVisible(), "closing without a choice keeps the question open");
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.isVisible());
        QWidget* picture = window.findChild<QWidget*>("Picture1_2");
        QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center());
        QVERIFY(!window.isVisible());
        QCOMPARE(label(w, "lblClass"), QString("8990 0020 27"));
        QCOMPARE(label(w, "Label24"), QString::fromStdString(o->program->language.strText(221)));
    }

    // A search that fits no case says so and opens the search help; a press on Search that leaves the
    // pressure field searches once.
    void aSearchThatFitsNoCaseOpensTheSearchHelp() {
        auto& w = *o->window;
        QApplication::setActiveWindow(&w);
        ClickOption(Find<QAbstractButton>(w, "optCatalogue_1"));
        TypeInto(field(w, "TomgVarvMinB"), "3000");
        field(w, "TillgLuftTryckB")->setFocus();
        TypeInto(field(w, "TillgLuftTryckB"), "5");
        auto* search = Find<QPushButton>(w, QString::fromUtf8("SökMotorB"));
        QTest::mouseClick(search, Qt::LeftButton);
        QCOMPARE(messageKeys(o->messages).count(141), 1);
        QVERIFY(w.help().isVisible());
        // An ordinary window, which a click into the main window can cover.
        QCOMPARE(w.help().windowType(), Qt::Window);
        QCOMPARE(w.help().currentPage(), QString("search.html"));
        w.findChild<QAction*>("Contents")->trigger();
        QCOMPARE(w.help().currentPage(), QString("index.html"));
        // The next press, with the focus already on the button, is a search of its own.
        QTest::mouseClick(search, Qt::LeftButton);
        QCOMPARE(messageKeys(o->messages).count(141), 2);
        w.close();
        QVERIFY(!w.help().isVisible());
    }

    void helpTopicsAndAMissingHelpFolder() {
        TestFolder folder("English");
        core::RecordingMessageSink messages;
        HelpWindow help(folder.folder(), messages);
        help.openTopic(3);
        QCOMPARE(help.currentPage(), QString("diagram.html"));
        help.openTopic(99);
        QCOMPARE(help.currentPage(), QString("index.html"));
        QVERIFY(messages.messages.empty());

        // German pages where there are some; else the English page, said once per language.
        help.setLanguage("German", "in English");
        help.openTopic(2);
        QCOMPARE(help.currentPage(), QString("de/search.html"));
        help.openTopic(99);
        help.openTopic(HelpWindow::kUsingHelpTopic);
        QCOMPARE(help.currentPage(), QString("usinghelp.html"));
        QCOMPARE(OnlyMessage(messages), QString("in English"));
        help.setLanguage("French", "en anglais");
        help.openTopic(2);
        QCOMPARE(help.currentPage(), QString("search.html"));
        QCOMPARE(messages.messages.back().text, std::string("en anglais"));
        messages.messages.clear();

        QTemporaryDir empty;
        HelpWindow missing(empty.path(), messages);
        missing.openTopic(2);
        QVERIFY(!missing.isVisible());
        QVERIFY(OnlyMessage(messages).contains("search.html"));
    }

    void gridModelKeepsItsContract() {
        auto& w = *o->window;
        QAbstractItemModelTester tester(w.grid().model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        Search(w, {{"ArbetsMomentB", "10"}, {"ArbetsVarvtalB", "3000"}});
        ClickCell(w, 2, 0);
        ClickOption(Find<QRadioButton>(w, "optCatalogue_0"));
        Find<QAction>(w, "mnuOnlyObsoleteMotors")->trigger();
    }

    // Arrow keys, Page Up/Down and Home/End move the current cell; the detail panel follows as on a click.
    void keyboardInTheGridActsAsAClick() {
        auto& w = *o->window;
        QTableView& grid = w.grid();
        grid.setFocus();
        const QString first = label(w, "lblProductNumber");
        const int last = grid.model()->rowCount();
        QVERIFY(last > 3);
        // The listing's own click on row 1 is where the keys start from.
        QCOMPARE(grid.currentIndex().row(), 0);
        // Each key with how far it must move the current row at least (negative: upwards).
        for (const auto& [key, step] : {std::pair{Qt::Key_Down, 1}, std::pair{Qt::Key_PageDown, 2},
                                        std::pair{Qt::Key_Up, -1}, std::pair{Qt::Key_End, 0}}) {
            const int before = grid.currentIndex().row() + 1;
            QTest::keyClick(&grid, key, key == Qt::Key_End ? Qt::ControlModifier : Qt::NoModifier);
            const int row = grid.currentIndex().row() + 1;
            QVERIFY(step > 0 ? row >= before + step : step < 0 ? row == before - 1 : row == last);
            QCOMPARE(w.session().results().currentGridRow, row);
            const int column = grid.currentIndex().column();
            if (grid.currentIndex().data().toString().isEmpty())
                continue; // an empty cell changes no motor, as a click on it does not
            QCOMPARE(w.session().results().intValdRad, std::int16_t(row));
            const QJsonObject cli = RunCli(o->folder->folder(), {"list", "--select", QString::number(row),
                                                                 "--column", QString::number(column)});
            const QJsonObject labels = cli.value("current").toObject().value("labels").toObject();
            QCOMPARE(label(w, "lblProductNumber"), labels.value("lblProductNumber").toString().trimmed());
        }
        QTest::keyClick(&grid, Qt::Key_Right);
        QCOMPARE(w.session().results().currentGridColumn, 1);
        QTest::keyClick(&grid, Qt::Key_Left);
        QCOMPARE(w.session().results().currentGridColumn, 0);
        QVERIFY(label(w, "lblProductNumber") != first);
        QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(w.session().results().intValdRad, std::int16_t(1));
        QCOMPARE(label(w, "lblProductNumber"), first);
    }

    void statusBarSaysWhatTheLastSearchDid() {
        auto& w = *o->window;
        QStatusBar* status = Find<QStatusBar>(w, "statusBar");
        const int listed = w.session().results().rowCount();
        QVERIFY(status->currentMessage().startsWith(
            QString("List selected motor types: %1 · 6.30 bar(e) · ").arg(listed)));
        Search(w, {{"ArbetsMomentB", "10"}, {"ArbetsVarvtalB", "3000"}, {"TillgLuftTryckB", "5"}});
        const QString message = status->currentMessage();
        const QString expected = QString("Search case %1: %2 motors · 5.00 bar(e) · ")
                                     .arg(*w.session().lastSearchCase())
                                     .arg(w.session().results().rowCount());
        QVERIFY2(message.startsWith(expected), qPrintable(message));
        QVERIFY(message.endsWith(" ms"));
        // Typing clears the list, and with it what the status bar said about it.
        TypeInto(field(w, "ArbetsMomentB"), "12");
        QVERIFY(status->currentMessage().isEmpty());
    }

    void helpPagesFollowTheFocus() {
        auto& w = *o->window;
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Find<QAction>(w, "UsingHelp")->trigger();
        QCOMPARE(w.help().currentPage(), QString("usinghelp.html"));
        QTest::keyClick(&w.help(), Qt::Key_Escape);
        QVERIFY(w.help().isHidden());
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // F1 in the search data opens the page on searching, elsewhere the contents.
        ClickOption(Find<QAbstractButton>(w, "optCatalogue_1"));
        field(w, "ArbetsMomentB")->setFocus();
        QTest::keyClick(field(w, "ArbetsMomentB"), Qt::Key_F1);
        QCOMPARE(w.help().currentPage(), QString("search.html"));
        w.grid().setFocus();
        QTest::keyClick(&w.grid(), Qt::Key_F1);
        QCOMPARE(w.help().currentPage(), QString("index.html"));
        QVERIFY(o->messages.messages.empty());
    }

    // In psi, so that the tooltips' ranges and the raise of a low pressure go through the language's units.
    void requirementRangesInTheLanguagesUnits() {
        o = open("English_Imperial");
        auto& w = *o->window;
        const QString torque = field(w, "ArbetsMomentB")->toolTip();
        QVERIFY2(torque.contains("0 … 10000 lbf ft") && torque.contains("Yellow: valid"), qPrintable(torque));
        FieldLineEdit* pressure = field(w, "TillgLuftTryckB");
        QVERIFY(pressure->toolTip().contains("44 … 91 psi"));
        TypeInto(pressure, "40");
        Leave(pressure);
        QCOMPARE(pressure->text(), QString("44"));
        QCOMPARE(pressure->paletteColour(), 14);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
