// Start-up and navigation: first start with the language list, stored language with the splash,
// back to the start window without the pause, and a program folder without a usable database.

#include "app/shell/StartWindow.h"
#include "AppTestSupport.h"
#include "app/selection/CaptionApplier.h"
#include "app/selection/MainWindow.h"
#include "app/shell/HelpWindow.h"
#include "app/shell/ProgramShell.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>

using namespace airmotor;
using namespace airmotor::app;
using namespace airmotor::app::test;

namespace {

// A program folder and the shell started on it; splash is how long the splash waits (ms).
struct Started {
    Started(const QString& language, int splash, bool withDatabase = true)
        : folder(language, withDatabase), shell(*program, messages, splash) {}
    TestFolder folder;
    std::unique_ptr<ProgramContext> program = folder.context();
    core::RecordingMessageSink messages;
    ProgramShell shell;
    QSignalSpy finished{&shell, &ProgramShell::finished};
};

} // namespace

class StartWindowTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartAsksForTheLanguage_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("language");
        QTest::newRow("English SI units") << 0 << "English";
        QTest::newRow("English Imp. units") << 1 << "English_Imperial";
        QTest::newRow("Spanish") << 5 << "Spanish";
    }
    void firstStartAsksForTheLanguage() {
        QFETCH(int, entry);
        QFETCH(QString, language);
        Started s("", 600000); // a long splash: a first start must not wait for it
        ProgramShell& shell = s.shell;
        QVERIFY(shell.start());
        StartWindow* start = shell.startWindow();
        QVERIFY(start->languageList()->isVisible());
        QCOMPARE(start->languageList()->count(), 6);
        QVERIFY(!shell.mainWindow());

        QSignalSpy opened(&shell, &ProgramShell::mainWindowOpened);
        emit start->languageList()->activated(entry);
        QCOMPARE(opened.count(), 1);
        QVERIFY(s.folder.settingsText().startsWith("\"2017-01-12\",\"" + language + "\","));
        MainWindow* main = shell.mainWindow();
        QVERIFY(main && main->isVisible());
        // The main window speaks the chosen language and lists the catalogue.
        const QJsonObject texts = RunCli(s.folder.folder(), {"--language", language, "texts"});
        QCOMPARE(CurrentCaption(main, "Label11"), texts.value("texts").toObject().value("84").toString());
        QVERIFY(main->grid().model()->rowCount() > 1);
        QVERIFY(s.messages.messages.empty());
    }

    // Closing that main window ends the program.
    void storedLanguageShowsTheSplashThenTheMainWindow() {
        Started s("French", 150);
        ProgramShell& shell = s.shell;
        QVERIFY(shell.start());
        QVERIFY(!shell.startWindow()->languageList()->isVisible());
        QVERIFY(shell.startWindow()->waiting());
        QVERIFY(!shell.mainWindow());
        QTRY_VERIFY_WITH_TIMEOUT(shell.mainWindow() != nullptr, 5000);
        QCOMPARE(s.program->language.strLanguage, std::string("French"));
        QCOMPARE(s.folder.settingsText(), QString("\"2017-01-12\",\"French\",0\r\n"));
        QCOMPARE(s.finished.count(), 0);
        shell.mainWindow()->close();
        QCOMPARE(s.finished.count(), 1);
    }

    void backToStartOffersTheLanguages() {
        Started s("", 600000);
        ProgramShell& shell = s.shell;
        QVERIFY(shell.start());
        emit shell.startWindow()->languageList()->activated(2);
        QPointer<MainWindow> first = shell.mainWindow();
        QVERIFY(first);

        first->findChild<QAction*>("mnuBackToStartMenu")->trigger();
        // The list is offered again, the language in use chosen in it; no pause, no main window yet.
        QTRY_VERIFY(first.isNull());
        QVERIFY(!shell.mainWindow());
        QComboBox* list = shell.startWindow()->languageList();
        QVERIFY(list->isVisible());
        QCOMPARE(list->currentIndex(), 2);
        QVERIFY(!shell.startWindow()->waiting());
        QVERIFY(!s.program->intTillbakaStart);
        emit list->activated(3);
        QTRY_VERIFY_WITH_TIMEOUT(shell.mainWindow() != nullptr, 2000);
        QCOMPARE(s.finished.count(), 0);
        QCOMPARE(s.program->language.strLanguage, std::string("French"));
        QCOMPARE(s.folder.settingsText(), QString("\"2017-01-12\",\"French\",0\r\n"));

        // Exit closes the help the window opened.
        shell.mainWindow()->help().openTopic(0);
        shell.mainWindow()->findChild<QAction*>("ExitMenu")->trigger();
        QCOMPARE(s.finished.count(), 1);
        QVERIFY(shell.mainWindow()->help().isHidden());
        QCOMPARE(s.finished.at(0).at(0).toInt(), 0);
    }

    void unusableDatabaseStopsWithAMessage_data() {
        QTest::addColumn<QByteArray>("content"); // empty: no database file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a database") << QByteArray("this is not a database file\n");
    }
    void unusableDatabaseStopsWithAMessage() {
        QFETCH(QByteArray, content);
        Started s("English", 0, false);
        if (!content.isEmpty()) {
            QFile file(s.folder.path("Zevodida.db"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QVERIFY(!s.shell.start());
        QCOMPARE(s.finished.count(), 1);
        QVERIFY(s.finished.at(0).at(0).toInt() != 0);
        QVERIFY2(OnlyMessage(s.messages).contains("Zevodida.db"), qPrintable(OnlyMessage(s.messages)));
        QVERIFY(!s.shell.startWindow());
        QVERIFY(!s.shell.mainWindow());
        // A missing database is reported, not created.
        QCOMPARE(QFile::exists(s.folder.path("Zevodida.db")), !content.isEmpty());
    }

    void oversizedCatalogueIsLoadedWithAWarning() {
        Started s("English", 0);
        {
            // Four copies of the bundled motors under fresh keys: far more than the catalogue holds.
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "oversized");
            db.setDatabaseName(s.folder.path("Zevodida.db"));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("CREATE TEMP TABLE copy AS SELECT * FROM tblMotordata"));
            for (int k = 0; k < 3; ++k) {
                QVERIFY(q.exec("UPDATE copy SET intKatalogindex = intKatalogindex + 10000"));
                QVERIFY(q.exec("INSERT INTO tblMotordata SELECT * FROM copy"));
            }
            db.close();
        }
        QSqlDatabase::removeDatabase("oversized");
        QVERIFY(s.shell.start());
        QCOMPARE(s.program->catalogue.intAntalMotorer, std::int16_t(980));
        bool warned = false;
        for (const core::Message& m : s.messages.messages)
            warned = warned || (m.icon == core::MessageIcon::Warning &&
                                QString::fromStdString(m.text).contains("left out"));
        QVERIFY(warned);
    }
};

QTEST_MAIN(StartWindowTest)
#include "StartWindowTest.moc"
