// The duty analysis beside the selection window: the panel's figures, the air cost preferences, the
// export and the saved selections, driven as a user drives them.

#include "AppTestSupport.h"
#include "app/analysis/AirCostDialog.h"
#include "app/analysis/AnalysisActions.h"
#include "app/analysis/AnalysisPanel.h"
#include "app/selection/SelectionFileActions.h"
#include "core/session/SelectionSession.h"

#include <QAction>
#include <QClipboard>
#include <QDockWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

#include <tuple>

using namespace airmotor;
using namespace airmotor::app;
using namespace airmotor::app::test;

class AnalysisWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir config;
    std::unique_ptr<OpenedMainWindow> opened;
    MainWindow* window = nullptr;

    // The available pressure as typed: 6 bar, or about as much in psi.
    static QString pressureOf(const QString& language) { return language == "English_Imperial" ? "87" : "6"; }

    void open(const QString& language) {
        opened = OpenMainWindow(language);
        window = opened->window.get();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        ClickCell(*window, 1, 0);
        QVERIFY2(window->session().current().valid, "a motor of the listing is current");
        const QLabel* air = window->analysis().panel().value("lblAnalysisAir");
        QVERIFY2(!air || air->isHidden(), "the listing has no duty to analyse");
        Search(
            *window,
            {{"ArbetsMomentB", "10"}, {"ArbetsVarvtalB", "3000"}, {"TillgLuftTryckB", pressureOf(language)}});
        ClickCell(*window, 2, 0);
        QVERIFY(window->session().current().valid);
    }
    QString figure(const char* name) { return window->analysis().panel().value(name)->text(); }
    QJsonObject cliRow(const QString& language) {
        const QJsonObject answer =
            RunCli(opened->folder->folder(), {"--language", language, "analyse", "--torque", "10", "--speed",
                                              "3000", "--pressure", pressureOf(language), "--select", "2"});
        return answer.value("rows").toArray().at(0).toObject();
    }
    QStringList fieldTexts() {
        QStringList texts;
        for (const char* name : {"ArbetsMomentB", "ArbetsVarvtalB", "TillgLuftTryckB"})
            texts << Find<QLineEdit>(*window, name)->text();
        return texts;
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", config.path().toUtf8()); }
    void cleanup() {
        window = nullptr;
        opened.reset();
        QFile::remove(QDir(config.path()).filePath("airmotor/airmotor.conf"));
    }

    // The clicked row's figures are those of the command line's analysis, in the language's units.
    void panelShowsTheClickedRowInTheLanguagesUnits_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<double>("airUnit"); // l/s per displayed unit
        QTest::newRow("English") << "English" << 1.0;
        QTest::newRow("English_Imperial") << "English_Imperial" << 0.471947;
    }
    void panelShowsTheClickedRowInTheLanguagesUnits() {
        QFETCH(QString, language);
        QFETCH(double, airUnit);
        open(language);
        window->analysis().panel().show();
        const QJsonObject row = cliRow(language);
        QVERIFY(!row.isEmpty());
        AnalysisPanel& panel = window->analysis().panel();
        QVERIFY(panel.findChild<QLabel*>("lblAnalysisMotor")->text().contains(row["designation"].toString()));
        QCOMPARE(figure("lblAnalysisAir").toDouble(),
                 std::round(row["air"].toDouble() / airUnit * 10.0) / 10.0);
        QCOMPARE(figure("lblAnalysisCost").toDouble(),
                 std::round(row["airCostPerYear"].toDouble() * 100.0) / 100.0);
        const bool imperial = airUnit != 1.0;
        QCOMPARE(panel.caption("lblAnalysisAir")->text().contains("cfm"), imperial);
        QCOMPARE(panel.value("lblAnalysisAirM3h") != nullptr, !imperial);
    }

    // The German mode is a phrase wider than any figure: it is shown whole, and the floating panel
    // grows away from the result list it was placed beside instead of over it. A file the window cannot
    // write is reported in the chosen language, naming the file.
    void germanModeAndExportFailure() {
        open("German");
        AnalysisPanel& panel = window->analysis().panel();
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        ClickCell(*window, 2, 0);
        const QLabel* mode = panel.value("lblAnalysisMode");
        QVERIFY(mode->text().contains(' '));
        QTRY_VERIFY2(mode->contentsRect().width() >= mode->fontMetrics().horizontalAdvance(mode->text()),
                     qPrintable(mode->text()));
        const QRect results = window->resultArea();
        QVERIFY2(!panel.frameGeometry().intersects(results), "the panel covers the result list");
        QVERIFY(!window->analysis().exportTo(opened->folder->folder()));
        const std::string text = opened->messages.messages.back().text;
        QVERIFY2(text.starts_with(opened->folder->folder().toStdString() +
                                  " ist ein Ordner, keine reguläre Datei."),
                 text.c_str());
    }

    // OK keeps the dialog open with the reason while an entry is refused; accepted figures and the
    // currency are kept in the user's configuration and change the cost shown and its headings.
    void airCostPreferencesAreValidatedAndKept() {
        open("English");
        const double before = figure("lblAnalysisCost").toDouble();
        window->analysis().editAirCost();
        auto* dialog = window->findChild<AirCostDialog*>("frmAirCost");
        QVERIFY(dialog && dialog->isVisible());
        auto* hours = Find<QLineEdit>(*dialog, "txtHoursPerYear");
        auto* currency = Find<QLineEdit>(*dialog, "txtCurrency");
        QCOMPARE(currency->text(), QString("EUR"));
        auto* ok = Find<QPushButton>(*dialog, "cmdOK");
        for (const auto& [hoursText, currencyText, reason] :
             {std::tuple{"-5", "CHF", "must not be negative"},
              {"1000", " ", "Currency: enter 1 to 8 characters"}}) {
            hours->setText(hoursText);
            currency->setText(currencyText);
            ok->click();
            QVERIFY(dialog->isVisible());
            QVERIFY(Find<QLabel>(*dialog, "lblAirCostError")->text().contains(reason));
        }
        currency->setText("CHF");
        ok->click();
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(figure("lblAnalysisCost").toDouble(), std::round(before / 2.0 * 100.0) / 100.0);
        QVERIFY2(opened->folder->settingsText().count(',') == 2, "the settings file keeps its three values");
        opened.reset();
        open("English");
        QCOMPARE(figure("lblAnalysisCost").toDouble(), std::round(before / 2.0 * 100.0) / 100.0);
        QVERIFY(window->analysis().panel().caption("lblAnalysisCost")->text().contains("CHF"));
        window->analysis().copyToClipboard();
        const QString heading = QGuiApplication::clipboard()->text().section("\r\n", 0, 0);
        QVERIFY2(heading.endsWith("[CHF]"), qPrintable(heading));
    }

    void clipboardAndExportCarryEveryRow() {
        open("English");
        window->analysis().copyToClipboard();
        const QStringList lines = QGuiApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts);
        const int rows = window->session().results().rowCount();
        QCOMPARE(lines.size(), rows + 1);
        QCOMPARE(lines[2].split('\t')[1], cliRow("English")["designation"].toString());
        QVERIFY(window->analysis().exportTo(opened->folder->path("rows.xlsx")));
        QVERIFY(QFile::exists(opened->folder->path("rows.xlsx")));
    }

    // The file type chosen in the dialog decides the format; a name without its extension gets it.
    void exportWritesTheChosenFileType() {
        open("English");
        // Typed as "results" both times.
        for (const auto& [filter, written, workbook] :
             {std::tuple{"Workbook (*.xlsx)", "results.xlsx", true},
              {"Comma-separated values (*.csv)", "results.csv", false}}) {
            QString offered;
            window->analysis().setExportChooser([&](const QString& filters) {
                offered = filters;
                return AnalysisActions::ExportChoice{opened->folder->path("results"), filter};
            });
            window->findChild<QAction*>("mnuExportResults")->trigger();
            QVERIFY(offered.contains(filter));
            QFile file(opened->folder->path(written));
            QVERIFY2(file.open(QIODevice::ReadOnly), written);
            QCOMPARE(file.read(2) == "PK", workbook); // a workbook is a zip archive
            QVERIFY(!QFile::exists(opened->folder->path("results")));
        }
        QVERIFY(opened->messages.messages.empty());
    }

    // Save, change the search, open: the same input and motor. A file of another catalogue says so and
    // restores the duty; a malformed one changes nothing.
    void savedSelectionsRoundTrip() {
        open("English");
        const QString path = opened->folder->path("duty.airsel.json");
        const QStringList texts = fieldTexts();
        const int index = window->session().current().katalogIndex;
        QVERIFY(window->selectionFiles().saveTo(path));
        Search(*window, {{"ArbetsMomentB", "2"}, {"ArbetsVarvtalB", "500"}});
        QVERIFY(fieldTexts() != texts);
        QVERIFY(window->selectionFiles().open(path));
        QCOMPARE(fieldTexts(), texts);
        QCOMPARE(window->session().current().katalogIndex, index);
        QVERIFY(opened->messages.messages.empty());
        QVERIFY(window->findChild<QAction*>("mnuRecentSelection_0"));
        // Typed in another language, a selection reopens in it, so that its figures keep their units.
        window->findChild<QAction*>("mnuLanguage_3")->trigger(); // English_Imperial
        QVERIFY(window->selectionFiles().open(path));
        QCOMPARE(opened->program->language.strLanguage, std::string("English"));
        QCOMPARE(fieldTexts(), texts);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray json = file.readAll();
        const auto rewrite = [&](const QByteArray& from, const QByteArray& to) {
            file.close();
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(json.replace(from, to));
            file.close();
            Search(*window, {{"ArbetsMomentB", "2"}, {"ArbetsVarvtalB", "500"}});
        };
        rewrite("\"catalogueChecksum\": \"", "\"catalogueChecksum\": \"0");
        QVERIFY(window->selectionFiles().open(path));
        QCOMPARE(fieldTexts(), texts);
        QVERIFY(opened->messages.messages.back().text.find("another catalogue") != std::string::npos);

        rewrite("\"schemaVersion\": 1", "\"schemaVersion\": 7");
        const QStringList changed = fieldTexts();
        QVERIFY(!window->selectionFiles().open(path));
        QCOMPARE(fieldTexts(), changed);
        QVERIFY(opened->messages.messages.back().text.find("newer program") != std::string::npos);
    }
};

QTEST_MAIN(AnalysisWindowTest)
#include "AnalysisWindowTest.moc"
