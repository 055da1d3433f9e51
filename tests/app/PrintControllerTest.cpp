// Printing from the main window: print button, print dialog (copies, Cancel), preview, certificate.
#include "app/printing/PrintController.h"
#include "AppTestSupport.h"
#include "app/selection/MainWindow.h"
#include "app/shell/FilePrompts.h"
#include "platform/printing/PrintJobs.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

using namespace airmotor;
using namespace airmotor::app;
using namespace airmotor::app::test;

namespace {

// The value printed after a label on the sheet, e.g. "Available pressure   6.00".
QString PrintedAfter(const QString& text, const QString& label) {
    const QRegularExpression line(QRegularExpression::escape(label) + "\\s+([0-9.]+)");
    return line.match(text).captured(1);
}

} // namespace

class PrintControllerTest : public QObject {
    Q_OBJECT
    // The window with printing wired to PDF files in its program folder.
    struct Opened : OpenedMainWindow {
        PrintController* printing = nullptr;
        QStringList files;
        int sinks = 0;
        int printerCopies = -1;
    };
    static std::unique_ptr<Opened> open(const char* language = "English") {
        auto opened = std::make_unique<Opened>();
        OpenMainWindow(*opened, language);
        // The print resources and drawings beside the database, as in the program folder.
        for (const QString& name : QDir(BinDir()).entryList({"*.WMF", "*.SVG", "*.svg"}, QDir::Files))
            QFile::copy(QDir(BinDir()).filePath(name), opened->folder->path(name));
        opened->printing = new PrintController(*opened->window, *opened->program, opened->messages);
        Opened* raw = opened.get();
        // Each sink collects its files when the controller lets go of it.
        struct CollectingSink final : platform::PrintJobSink {
            CollectingSink(QString path, QStringList& files) : pdf(std::move(path)), out(files) {}
            ~CollectingSink() override { out += pdf.files(); }
            QPagedPaintDevice* beginJob(QPageLayout::Orientation orientation, const QString& t) override {
                return pdf.beginJob(orientation, t);
            }
            bool endJob() override { return pdf.endJob(); }
            void abortJob() override { pdf.abortJob(); }
            QString error() const override { return pdf.error(); }
            double resolution() const override { return pdf.resolution(); }
            platform::PdfJobSink pdf;
            QStringList& out;
        };
        opened->printing->setSinkFactory([raw](QPrinter& printer) {
            ++raw->sinks;
            raw->printerCopies = printer.copyCount();
            return std::make_unique<CollectingSink>(raw->folder->path(QString("run%1.pdf").arg(raw->sinks)),
                                                    raw->files);
        });
        opened->window->show();
        return opened;
    }

    std::unique_ptr<Opened> o;

private slots:
    void init() { o = open(); }
    void cleanup() { o.reset(); }

    void printButtonPrintsOneCopyAtOnce() {
        MainWindow& w = *o->window;
        Search(w, {{"ArbetsMomentB", "10"}, {"ArbetsVarvtalB", "3000"}, {"TillgLuftTryckB", "6"}});
        ClickCell(w, 1, 0);
        o->messages.messages.clear();
        QTest::mouseClick(w.findChild<QPushButton*>("PrinterutskriftB"), Qt::LeftButton);
        QCOMPARE(o->files.size(), 1);
        QVERIFY(o->messages.messages.empty());

        // Without the logo the sheet is still printed, and the message names the file.
        QVERIFY(QFile::remove(o->folder->path("HDRLOGO.SVG")));
        QTest::mouseClick(w.findChild<QPushButton*>("PrinterutskriftB"), Qt::LeftButton);
        QCOMPARE(o->files.size(), 2);
        QVERIFY(OnlyMessage(o->messages).contains("HDRLOGO.SVG"));
    }

    void dialogCopiesAreSeparateJobsAndCancelPrintsNothing() {
        MainWindow& w = *o->window;
        ClickCell(w, 1, 0);
        o->messages.messages.clear();
        const struct {
            std::optional<int> chosen;
            int jobs;
        } cases[] = {{3, 3}, {std::nullopt, 0}, {1, 1}, {0, 1}};
        for (const auto& c : cases) {
            o->files.clear();
            o->printerCopies = -1;
            o->printing->setPrinterChooser([&](QPrinter& printer) {
                printer.setCopyCount(c.chosen.value_or(1));
                return c.chosen;
            });
            w.findChild<QAction*>("mnuPrint")->trigger();
            QCOMPARE(o->files.size(), c.jobs);
            // The printer itself prints every job once.
            QCOMPARE(o->printerCopies, c.jobs > 0 ? 1 : -1);
        }
        QVERIFY(o->messages.messages.empty());
    }

    // A PDF is suggested under the sheet's name in the user's documents, not as print.pdf anywhere.
    void pdfNameFollowsTheCurrentMotor() {
        MainWindow& w = *o->window;
        ClickCell(w, 1, 0);
        const QString designation = QString::fromStdString(w.session().current().strCurrentBenamning);
        QVERIFY(!designation.isEmpty());
        QCOMPARE(o->printing->suggestedPdfName(), designation + " Data sheet.pdf");
        ClickOption(Find<QRadioButton>(w, "optCatalogue_1"));
        QCOMPARE(o->printing->suggestedPdfName(), QString("Data sheet.pdf"));
        const QString path = DocumentsPath("a/b:c.pdf");
        QCOMPARE(QFileInfo(path).fileName(), QString("a-b-c.pdf"));
        QVERIFY(QFileInfo(QFileInfo(path).path()).isDir());
    }

    // The standard alternative draws the catalogue pressure; the requirement stays what was typed.
    void sheetAfterTheStandardAlternativeKeepsTheTypedPressure() {
        MainWindow& w = *o->window;
        Search(w, {{"ArbetsMomentB", "10"}, {"ArbetsVarvtalB", "3000"}, {"TillgLuftTryckB", "6"}});
        ClickCell(w, 1, 0);
        QTest::mouseClick(w.findChild<QPushButton*>("cboDiagramAlternativ"), Qt::LeftButton);
        ClickOption(w.findChild<QAbstractButton*>("optDiagramAlternativ_2"));
        ClickOption(w.findChild<QAbstractButton*>("optDiagramAlternativ_0"));
        QCOMPARE(w.findChild<QLineEdit*>("TillgLuftTryckB")->text(), QString("6"));
        o->messages.messages.clear();
        QTest::mouseClick(w.findChild<QPushButton*>("PrinterutskriftB"), Qt::LeftButton);
        QCOMPARE(o->files.size(), 1);
        const QString sheet = PdfText(o->files[0]);
        QCOMPARE(PrintedAfter(sheet, "Available pressure"), QString("6.00"));
        QCOMPARE(PrintedAfter(sheet, "At supply pressure"), QString("6.30"));
    }

    // File > Print chose a PDF file: the table's page jobs go to name.pdf, name-2.pdf ... and the
    // message names them.
    void catalogueTableOnAPdfPrinterKeepsEveryPage() {
        MainWindow& w = *o->window;
        ClickCell(w, 1, 0);
        o->printing->setSinkFactory([](QPrinter& printer) { return platform::SinkFor(printer); });
        const QString pdf = o->folder->path("table.pdf");
        ChoosePdfFile(*o->printing, pdf);
        w.findChild<QAction*>("mnuPrint")->trigger();
        o->messages.messages.clear();
        QTest::mouseClick(w.findChild<QPushButton*>("TabellB"), Qt::LeftButton);
        QStringList names;
        for (int job = 1; job <= 13; ++job) {
            const QString file = platform::PdfJobSink::JobFile(pdf, job);
            QCOMPARE(PdfPages(file), 1);
            names << QFileInfo(file).fileName();
        }
        QVERIFY(!QFile::exists(platform::PdfJobSink::JobFile(pdf, 14)));
        QCOMPARE(o->messages.messages.size(), std::size_t{1});
        QCOMPARE(o->messages.messages[0].key, -1);
        const QString message = QString::fromStdString(o->messages.messages[0].text);
        for (const QString& name : names)
            QVERIFY2(message.contains(name), qPrintable(message));
        // The print button prints one sheet and says where.
        QTest::mouseClick(w.findChild<QPushButton*>("PrinterutskriftB"), Qt::LeftButton);
        QCOMPARE(o->messages.messages.back().text,
                 "The printout was written to " + QDir::toNativeSeparators(pdf).toStdString() + ".");
    }

    void previewPaintsOneCopyWithoutMessages() {
        MainWindow& w = *o->window;
        QAction* preview = w.findChild<QAction*>("mnuPrintPreview");
        // Row 82 of the listing draws from a web link: printing says so, the preview does not.
        ClickCell(w, 82, 0);
        QVERIFY(preview->isEnabled());
        o->messages.messages.clear();
        QString previewFile;
        o->printing->setPreviewRunner([&](QPrinter& printer) {
            previewFile = o->folder->path("preview.pdf");
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(previewFile);
            o->printing->paintPreview(printer);
        });
        preview->trigger();
        QVERIFY(QFile::exists(previewFile));
        QVERIFY(o->messages.messages.empty());
        QTest::mouseClick(w.findChild<QPushButton*>("PrinterutskriftB"), Qt::LeftButton);
        QVERIFY(OnlyMessage(o->messages).startsWith("Not possible to get dimensional drawing"));
        QCOMPARE(o->files.size(), 1);
    }

    void certificatePictureNamesAMissingDocument() {
        MainWindow& w = *o->window;
        ClickCell(w, 1, 0);
        o->messages.messages.clear();
        QTest::mouseClick(w.findChild<QLabel*>("picEx_0"), Qt::LeftButton);
        QVERIFY(OnlyMessage(o->messages).contains("EX information.pdf"));
    }
};

QTEST_MAIN(PrintControllerTest)
#include "PrintControllerTest.moc"
