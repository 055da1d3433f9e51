// Options → Catalogue…: what a location must be before it is stored, and what the desktop refuses
// while it reads the offline copy of a PostgreSQL catalogue.
#include "app/shell/CatalogueDialog.h"
#include "AppTestSupport.h"
#include "app/maintenance/MotorListBatchController.h"
#include "app/shell/CatalogueController.h"
#include "core/common/Keys.h"
#include "platform/files/UserPreferences.h"

#include <QLabel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStatusBar>

using namespace airmotor;
using namespace airmotor::app;
using namespace airmotor::app::test;

class CatalogueDialogTest : public QObject {
    Q_OBJECT
    QTemporaryDir config;
    TestFolder folder{"English"};
    std::unique_ptr<ProgramContext> english = folder.context();

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        english->language.strLanguage = "English";
        QVERIFY(!english->loadTexts());
    }

    // The first words of the refusal, or "" for a location that is taken.
    void checkRefusesWhatCannotBeTheCatalogue_data() {
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("empty: the folder's own") << ""
                                                 << "";
        QTest::newRow("the bundled file") << BinDir() + "/Zevodida.db"
                                          << "";
        QTest::newRow("password in the user part") << "postgresql://anna:geheim@db/cat"
                                                   << "A password is never stored";
        QTest::newRow("password as a parameter") << "postgres://db/cat?password=geheim"
                                                 << "A password is never stored";
        QTest::newRow("URL without a database") << "postgresql://db"
                                                << "This is not a usable";
        QTest::newRow("missing file") << config.path() + "/none.db"
                                      << "This catalogue cannot be read";
        QTest::newRow("no server at the socket")
            << "postgresql:///cat?host=" + config.path() << "This catalogue cannot be read";
    }
    void checkRefusesWhatCannotBeTheCatalogue() {
        QFETCH(QString, location);
        QFETCH(QString, refusal);
        const auto problem = CatalogueDialog::Check(location, english->language.strText);
        QCOMPARE(QString::fromStdString(problem.value_or("")).left(refusal.size()), refusal);
        QVERIFY(!QString::fromStdString(problem.value_or("")).contains("geheim"));
    }

    // OK on a bad location keeps the dialog open with the reason; a good file is stored absolute.
    void okStoresOnlyAUsableLocationMadeAbsolute() {
        CatalogueDialog dialog(QString(), english->language.strText);
        auto* edit = dialog.findChild<QLineEdit*>("txtCatalogueLocation");
        edit->setText("postgresql://anna:geheim@db/cat");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.findChild<QLabel*>("lblCatalogueError")->isHidden());
        QVERIFY(dialog.location().isEmpty());

        QVERIFY(QFile::copy(BinDir() + "/Zevodida.db", config.path() + "/team.db"));
        const QString before = QDir::currentPath();
        QDir::setCurrent(config.path());
        edit->setText("  team.db ");
        dialog.accept();
        QDir::setCurrent(before);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.location(), QDir(config.path()).filePath("team.db"));
    }

    // A chosen location is stored and read at the next action, not before; AIRMOTOR_CATALOGUE
    // still wins, and the user is told so.
    void aChosenCatalogueIsReadAtTheNextAction() {
        auto opened = OpenMainWindow("English");
        MainWindow& window = *opened->window;
        auto* controller =
            new CatalogueController(window, *opened->program, opened->messages, window.preferences(), {});
        QVERIFY(QFile::copy(BinDir() + "/Zevodida.db", config.path() + "/chosen.db"));
        const QString chosen = config.path() + "/chosen.db";
        opened->program->cache = platform::CatalogueCache(config.path() + "/cache");

        qputenv("AIRMOTOR_CATALOGUE", opened->folder->path("Zevodida.db").toUtf8());
        controller->choose(chosen);
        qunsetenv("AIRMOTOR_CATALOGUE");
        QVERIFY(window.statusBar()->currentMessage().startsWith("AIRMOTOR_CATALOGUE names the catalogue"));
        QVERIFY(!controller->reloadPending());
        QCOMPARE(window.preferences().catalogueLocation(), chosen);

        controller->choose(chosen);
        QVERIFY(controller->reloadPending());
        QCOMPARE(opened->program->location(), opened->folder->path("Zevodida.db"));
        window.runSessionAction([](core::SelectionSession& s) { s.ClickAllMotors(); });
        QVERIFY(!controller->reloadPending());
        QCOMPARE(opened->program->location(), chosen);
        QVERIFY(opened->messages.messages.empty());
        QVERIFY2(!QFileInfo::exists(config.path() + "/cache"), "a catalogue file needs no offline copy");

        // A location that stopped loading leaves the catalogue on screen and says why: one that is
        // gone, and one whose texts still load but whose motors do not.
        const int motors = opened->program->catalogue.intAntalMotorer;
        const QString broken = config.path() + "/broken.db";
        QVERIFY(QFile::copy(BinDir() + "/Zevodida.db", broken));
        {
            auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("break"));
            db.setDatabaseName(broken);
            QVERIFY(db.open() && QSqlQuery(QStringLiteral("DROP TABLE tblMotordata"), db).isActive());
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("break"));
        for (const QString& gone : {config.path() + "/vanished.db", broken}) {
            opened->messages.messages.clear();
            controller->choose(gone);
            window.runSessionAction([](core::SelectionSession& s) { s.ClickAllMotors(); });
            QCOMPARE(opened->program->location(), chosen);
            QCOMPARE(opened->program->catalogue.intAntalMotorer, motors);
            QVERIFY(OnlyMessage(opened->messages).contains(QFileInfo(gone).fileName()));
        }
    }

    // The offline copy is never written: the motor-list batch is refused before it opens anything.
    void theOfflineCopyRefusesTheMotorList() {
        auto program = folder.context();
        program->language = english->language;
        QVERIFY(!program->loadCatalogue());
        program->offlineReason = "connection refused";
        core::RecordingMessageSink messages;
        QWidget parent;
        MotorListBatchController batch(parent, *program, messages);
        const auto summary = batch.Run("Motorlista.xlsx", 2, 5, core::MotorListMode::Update);
        QVERIFY(summary.rows.empty());
        QVERIFY(OnlyMessage(messages).startsWith("The catalogue shown is the offline copy of"));
    }
};

QTEST_MAIN(CatalogueDialogTest)
#include "CatalogueDialogTest.moc"
