// The motor-list batch from the desktop: progress with Cancel, summary as a message, catalogue reloaded.
#include "app/maintenance/MotorListBatchController.h"
#include "AppTestSupport.h"

#include <QProgressDialog>
#include <QWidget>

using namespace airmotor;
using namespace airmotor::app;
using namespace airmotor::app::test;

class MotorListBatchControllerTest : public QObject {
    Q_OBJECT
    struct Opened {
        TestFolder folder{"English"};
        std::unique_ptr<ProgramContext> program = folder.context();
        core::RecordingMessageSink messages;
        QWidget parent;
        std::unique_ptr<MotorListBatchController> controller;
        Opened() {
            QDir().mkpath(folder.path("Excel"));
            CopyFolder(AIRMOTOR_SOURCE_DIR "/data/samples/motor-list", folder.path("Excel"));
            if (auto error = program->loadCatalogue())
                qFatal("%s", error->c_str());
            controller = std::make_unique<MotorListBatchController>(parent, *program, messages);
            controller->setSinkFactory(
                [this] { return std::make_unique<platform::PdfJobSink>(folder.path("printed.pdf")); });
        }
    };

private slots:
    void updateAddsRowsReloadsTheCatalogueAndReports() {
        Opened o;
        const int before = o.program->catalogue.intAntalMotorer;
        QStringList labels;
        o.controller->setRowObserver([&](QProgressDialog& p) { labels << p.labelText(); });
        o.controller->Run("Motorlista.xlsx", 2, 5, core::MotorListMode::Update);
        QCOMPARE(o.program->catalogue.intAntalMotorer, before + 3);
        QCOMPARE(labels.first(), QString("Row 2 (1 of 4): TKM20-S1-EX"));
        QVERIFY(OnlyMessage(o.messages).startsWith("4 rows: 3 added, 0 printed, 1 skipped."));
    }

    void cancelStopsAfterTheCurrentRow() {
        Opened o;
        o.controller->setRowObserver([](QProgressDialog& p) { p.cancel(); });
        const auto summary = o.controller->Run("Motorlista.xlsx", 2, 4, core::MotorListMode::Print);
        QCOMPARE(summary.printed, 1);
        QCOMPARE(summary.rows.size(), std::size_t{1});
        QVERIFY(QFile::exists(o.folder.path("printed.pdf")));
        QVERIFY(
            QString::fromStdString(o.messages.messages.back().text).contains("Cancelled after 1 of 3 rows."));
    }

    void missingWorkbookIsAMessageNamingIt() {
        Opened o;
        const auto summary = o.controller->Run("Saknas.xlsx", 2, 4, core::MotorListMode::Update);
        QVERIFY(summary.rows.empty());
        QVERIFY(OnlyMessage(o.messages).contains("Excel/Saknas.xlsx: the workbook does not exist"));
        QCOMPARE(o.messages.messages[0].icon, core::MessageIcon::Critical);
    }
};

QTEST_MAIN(MotorListBatchControllerTest)
#include "MotorListBatchControllerTest.moc"
