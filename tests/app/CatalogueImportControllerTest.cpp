// File menu "Import catalogue…": dialogs answered by a script, the legacy tables from SQLite.
#include "app/maintenance/CatalogueImportController.h"
#include "AppTestSupport.h"
#include "app/shell/FilePrompts.h"
#include "platform/access/SqliteTableSource.h"
#include "platform/storage/SqliteConnection.h"

#include <QAction>
#include <QSqlQuery>

using namespace airmotor;
using namespace airmotor::app;
using namespace airmotor::app::test;

namespace {

struct ScriptedPrompts final : FilePrompts {
    QString open, save;
    bool answer = false;
    QStringList questions;
    QString openFile(QWidget*, const QString&, const QString&) override { return open; }
    int saveAsked = 0;
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override {
        ++saveAsked;
        return save;
    }
    bool confirm(QWidget*, const QString&, const QString& question) override {
        questions << question;
        return answer;
    }
};

void Exec(const QString& file, const QString& sql) {
    platform::SqliteConnection connection(file, platform::SqliteConnection::Mode::ReadWrite);
    QVERIFY(connection.open());
    QSqlQuery q(connection.database());
    QVERIFY2(q.exec(sql), qPrintable(sql));
}

} // namespace

class CatalogueImportControllerTest : public QObject {
    Q_OBJECT
    struct Opened : OpenedMainWindow {
        ScriptedPrompts prompts;
        platform::SqliteTableSource source;
        QString legacy;
    };
    // A legacy catalogue of the first ten motors, the first renamed.
    static std::unique_ptr<Opened> open(const QString& language = "English") {
        auto o = std::make_unique<Opened>();
        OpenMainWindow(*o, language);
        o->legacy = o->folder->path("legacy.db");
        QFile::copy(o->program->databaseFile(), o->legacy);
        Exec(o->legacy, "DELETE FROM tblMotordata WHERE intKatalogindex NOT IN "
                        "(SELECT intKatalogindex FROM tblMotordata ORDER BY intKatalogindex LIMIT 10)");
        // Search order 1..10 and none left out, so that the load has nothing to warn about.
        Exec(o->legacy, "UPDATE tblMotordata SET bolVeryOld = 0, intSokindex = (SELECT COUNT(*) FROM "
                        "tblMotordata t WHERE t.intKatalogindex <= tblMotordata.intKatalogindex)");
        Exec(o->legacy, "UPDATE tblMotordata SET strBenamning = 'TKM-IMPORTED' WHERE intKatalogindex = "
                        "(SELECT MIN(intKatalogindex) FROM tblMotordata)");
        o->prompts.open = o->legacy;
        o->prompts.save = o->folder->path("new.db");
        new CatalogueImportController(*o->window, *o->program, o->messages, o->prompts, o->source);
        return o;
    }
    static void trigger(MainWindow& w) { w.findChild<QAction*>("mnuImportCatalogue")->trigger(); }

private slots:
    void acceptedImportSwitchesTheRunToTheNewCatalogue() {
        auto o = open();
        const QString bundled = o->program->databaseFile();
        o->prompts.answer = true;
        trigger(*o->window);
        QVERIFY2(o->messages.messages.empty(),
                 o->messages.messages.empty() ? "" : o->messages.messages[0].text.c_str());
        QCOMPARE(o->prompts.questions.size(), 1);
        QVERIFY(o->prompts.questions[0].contains("10 motors"));
        QCOMPARE(o->program->databaseFile(), o->folder->path("new.db"));
        QCOMPARE(o->program->catalogue.intAntalMotorer, std::int16_t{10});
        QCOMPARE(o->program->catalogue.strBenamning[1], std::string("TKM-IMPORTED"));
        // The listing shows the new motors at once.
        bool listed = false;
        for (const auto& row : o->window->session().results().grid)
            listed = listed || row.cells[0].find("TKM-IMPORTED") != std::string::npos ||
                     row.cells[1].find("TKM-IMPORTED") != std::string::npos;
        QVERIFY(listed);
        QVERIFY(QFile::exists(bundled));
    }

    void declinedOrCancelledImportKeepsTheCatalogueInUse() {
        auto o = open();
        const QString bundled = o->program->databaseFile();
        const auto motors = o->program->catalogue.intAntalMotorer;
        trigger(*o->window); // declined: the new file is written, the run goes on with the old one
        QVERIFY(QFile::exists(o->folder->path("new.db")));
        QCOMPARE(o->program->databaseFile(), bundled);
        QCOMPARE(o->program->catalogue.intAntalMotorer, motors);

        o->prompts.save.clear(); // cancelled at the second dialog
        o->prompts.answer = true;
        trigger(*o->window);
        QCOMPARE(o->prompts.questions.size(), 1);
        QVERIFY(o->messages.messages.empty());
    }

    void refusedLegacyFileIsReportedAndNothingSwitches() {
        auto o = open("German");
        Exec(o->legacy, "DROP TABLE tblImperialUnits");
        o->prompts.answer = true;
        trigger(*o->window);
        QVERIFY(o->prompts.questions.isEmpty());
        QCOMPARE(o->prompts.saveAsked, 0); // refused before the user is asked where its copy goes
        QCOMPARE(o->messages.messages.size(), std::size_t{1});
        QCOMPARE(o->messages.messages[0].icon, core::MessageIcon::Critical);
        // A lead in the chosen language, then the place and the fault as the command line says them.
        const QString text = QString::fromStdString(o->messages.messages[0].text);
        QVERIFY(text.startsWith("Der Katalog kann nicht importiert werden.\n"));
        QVERIFY(text.contains("legacy.db: has no table tblImperialUnits"));
        QVERIFY(!QFile::exists(o->folder->path("new.db")));
        QVERIFY(o->program->databaseOverride.isEmpty());
    }
};

QTEST_MAIN(CatalogueImportControllerTest)
#include "CatalogueImportControllerTest.moc"
