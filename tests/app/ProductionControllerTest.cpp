// The production comparison of the maintenance mode: the check box, the two print batches and sheet "TKM".
#include "app/maintenance/ProductionController.h"
#include "AppTestSupport.h"
#include "app/diagrams/DiagramController.h"
#include "app/printing/PrintController.h"
#include "platform/printing/PrintJobs.h"
#include "platform/production/ProductionDatabase.h"

#include <QCheckBox>
#include <QPrinter>
#include <QPushButton>

#include <map>

using namespace airmotor;
using namespace airmotor::app;
using namespace airmotor::app::test;

class ProductionControllerTest : public QObject {
    Q_OBJECT

    struct Sheet final : core::SheetWriter {
        explicit Sheet(std::map<std::pair<int, int>, std::string>& written) : cells(written) {}
        void setNumber(int row, int column, double value) override {
            cells[{row, column}] = std::to_string(value);
        }
        void setText(int row, int column, std::string_view text) override { cells[{row, column}] = text; }
        std::optional<std::string> save() override { return std::nullopt; }
        std::map<std::pair<int, int>, std::string>& cells;
    };

    struct Opened : OpenedMainWindow {
        ProductionController* production = nullptr;
        int printouts = 0;
        std::map<std::pair<int, int>, std::string> cells;
        QString workbook;
        PrintController* printing = nullptr;
        QStringList printerFiles; // the printer's output file at each printout
    };

    // Maintenance mode with the whole catalogue listed, the sample production data in the folder and
    // every printout counted instead of printed.
    static std::unique_ptr<Opened> open() {
        auto o = std::make_unique<Opened>();
        OpenMainWindow(*o, "English");
        CopyFolder(QDir(BinDir()).filePath("Produktionsdata"), o->folder->path("Produktionsdata"));
        auto* diagrams = new DiagramController(*o->window, *o->program);
        auto* printing = o->printing = new PrintController(*o->window, *o->program, o->messages);
        Opened* raw = o.get();
        printing->setSinkFactory([raw](QPrinter& printer) {
            ++raw->printouts;
            raw->printerFiles << printer.outputFileName();
            return std::make_unique<platform::PdfJobSink>(
                raw->folder->path(QString("p%1.pdf").arg(raw->printouts)));
        });
        o->production = new ProductionController(*o->window, *o->program, o->messages, *diagrams, *printing);
        o->production->setSheetWriterFactory([raw](const QString& workbook, std::string&) {
            raw->workbook = workbook;
            return std::make_unique<Sheet>(raw->cells);
        });
        o->window->show();
        Search(*o->window, {{"ArbetsMomentB", "1"}, {"TillgLuftTryckB", "583196"}});
        ClickOption(Find<QAbstractButton>(*o->window, "optCatalogue_0"));
        o->window->session().ClickAllMotors();
        o->window->refresh();
        return o;
    }

    // Listed motors with at least one used record in the sample, in grid order.
    static QStringList ExpectedPrintouts(Opened& o, int lastRow) {
        core::ProductionRead read = platform::OpenProductionDatabase(o.production->databaseFile())->Read();
        const core::ProductionIndex index(std::move(read.tables));
        QStringList names;
        const core::ResultTable& results = o.window->session().results();
        for (int r = 1; r <= std::min<int>(lastRow, static_cast<int>(results.rows.size())); ++r) {
            const int k = results.rows[static_cast<std::size_t>(r - 1)].intRadKatalogindex;
            if (core::LookUpProduction(o.program->catalogue, k, index).count > 0)
                names << QString::fromStdString(
                    o.program->catalogue.strBenamning[static_cast<std::size_t>(k)]);
        }
        return names;
    }

private slots:
    void printProdPrintsOnlyMotorsWithUsedRecordsAndFillsTkm() {
        auto o = open();
        MainWindow& w = *o->window;
        const QStringList expected = ExpectedPrintouts(*o, o->program->catalogue.intAntalMotorer);
        QVERIFY(!expected.isEmpty());
        QVERIFY(expected.size() <
                static_cast<int>(w.session().results().rows.size())); // count 0: no printout
        // Not ticked: the button compares nothing and says so.
        QCOMPARE(o->production->runBatch(ProductionController::Batch::AllRows).printed, 0);
        QCOMPARE(o->printouts, 0);
        Find<QCheckBox>(w, "chkProduktionsdata")->click();
        o->messages.messages.clear();
        Find<QPushButton>(w, "Command3")->click();
        QCOMPARE(o->printouts, expected.size());
        QVERIFY(o->workbook.endsWith("Produktionsdata/Produktionsdata Ungern med filtrering.xlsx"));
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(QString::fromStdString(o->cells.at({3 + i, 2})), expected[i]);
        QCOMPARE(o->cells.count({3 + static_cast<int>(expected.size()), 2}), std::size_t{0});
        QCOMPARE(o->cells.count({3, 22}), std::size_t{1}); // V: Diff of the air at free speed
        // The summary comes last (the printouts report their missing drawings before it).
        QVERIFY(o->messages.messages.back().text.find(std::to_string(expected.size()) +
                                                      " printed with production data") != std::string::npos);
        QVERIFY(o->production->productionData()); // the user's tick stays

        // The database vanished since it was read: the batch fails and clears the tick.
        QVERIFY(QFile::remove(o->production->databaseFile()));
        QVERIFY(o->production->runBatch(ProductionController::Batch::AllRows).failed);
        QCOMPARE(o->printouts, expected.size());
        QVERIFY(!Find<QCheckBox>(w, "chkProduktionsdata")->isChecked());
    }

    void resultRowsBatchTicksAndClearsTheBox() {
        auto o = open();
        const QStringList expected = ExpectedPrintouts(*o, 9);
        QVERIFY(expected.size() >= 2);
        // Printing to a PDF file: every printout of the batch gets a file of its own.
        o->printing->setPrinterChooser([&](QPrinter& printer) -> std::optional<int> {
            printer.setOutputFileName(o->folder->path("sheet.pdf"));
            return 1;
        });
        o->printing->printWithDialog();
        o->messages.messages.clear();
        o->printouts = 0;
        o->printerFiles.clear();
        const auto summary = o->production->runBatch(ProductionController::Batch::ResultRows);
        QCOMPARE(summary.motors, 9);
        QCOMPARE(summary.printed, static_cast<int>(expected.size()));
        QCOMPARE(o->printouts, expected.size());
        QCOMPARE(o->printerFiles.first(), o->folder->path("sheet.pdf"));
        QCOMPARE(o->printerFiles.at(1), o->folder->path("sheet-2.pdf"));
        QCOMPARE(o->printerFiles.last(), o->folder->path(QString("sheet-%1.pdf").arg(expected.size())));
        for (int n = 1; n <= o->printouts; ++n)
            QVERIFY(QFile::exists(o->folder->path(QString("p%1.pdf").arg(n))));
        // The summary stands for the printouts: no message per file.
        for (const core::Message& m : o->messages.messages)
            QVERIFY2(m.text.find("written to") == std::string::npos, m.text.c_str());
        QVERIFY(o->workbook.endsWith("Alla TKM Trebro och Ungern Test.xlsx"));
        QVERIFY(!o->production->productionData());
        QVERIFY(!Find<QCheckBox>(*o->window, "chkProduktionsdata")->isChecked());
    }

    void missingDatabaseOrWorkbookStopsWithAMessage() {
        auto o = open();
        o->production->setDatabaseFile(o->folder->path("Produktionsdata/none.sqlite"));
        o->messages.messages.clear();
        const auto summary = o->production->runBatch(ProductionController::Batch::ResultRows);
        QVERIFY(summary.failed);
        QCOMPARE(o->printouts, 0);
        QVERIFY(!o->production->productionData());
        QVERIFY(OnlyMessage(o->messages).contains("none.sqlite"));
        QCOMPARE(o->messages.messages[0].key, -1); // a literal text, not one of the language's

        o->production->setDatabaseFile(platform::DefaultProductionDatabase(o->folder->folder()));
        o->production->setSheetWriterFactory([](const QString&, std::string& error) {
            error = "book.xlsx: sheet TKM is missing";
            return std::unique_ptr<core::SheetWriter>();
        });
        QVERIFY(o->production->runBatch(ProductionController::Batch::ResultRows).failed);
        QCOMPARE(o->printouts, 0);
        QCOMPARE(o->messages.messages.back().text,
                 std::string("The workbook's sheet TKM cannot be filled.\nbook.xlsx: sheet TKM is missing"));

        // Without the default workbook the user is asked for one; none chosen: nothing printed.
        const QString preset = o->folder->path("Produktionsdata/Alla TKM Trebro och Ungern Test.xlsx");
        QVERIFY(QFile::remove(preset));
        QStringList asked;
        QString answer;
        o->production->setWorkbookChooser([&](const QString& start) {
            asked << start;
            return answer;
        });
        QVERIFY(o->production->runBatch(ProductionController::Batch::ResultRows).cancelled);
        QCOMPARE(asked, QStringList{preset});
        QCOMPARE(o->printouts, 0);
        // A folder of the workbook's name is no workbook either.
        QVERIFY(QDir().mkdir(preset));
        QVERIFY(o->production->runBatch(ProductionController::Batch::ResultRows).cancelled);
        QCOMPARE(asked.size(), 2);
        answer = o->folder->path("elsewhere.xlsx");
        o->production->setSheetWriterFactory([raw = o.get()](const QString& workbook, std::string&) {
            raw->workbook = workbook;
            return std::make_unique<Sheet>(raw->cells);
        });
        QVERIFY(!o->production->runBatch(ProductionController::Batch::ResultRows).failed);
        QCOMPARE(o->workbook, answer);

        // A printout that fails stops the batch at once, and the summary says why.
        o->printing->setSinkFactory([raw = o.get()](QPrinter&) {
            ++raw->printouts;
            return std::make_unique<platform::PdfJobSink>(raw->folder->path("no-such-folder/p.pdf"));
        });
        o->printouts = 0;
        const auto stopped = o->production->runBatch(ProductionController::Batch::ResultRows);
        QVERIFY(stopped.failed);
        QCOMPARE(stopped.printed, 0);
        QCOMPARE(o->printouts, 1);
    }
};

QTEST_MAIN(ProductionControllerTest)
#include "ProductionControllerTest.moc"
