#include "app/printing/PrintController.h"

#include "app/selection/CaptionApplier.h"
#include "app/selection/MainWindow.h"
#include "app/shell/FilePrompts.h"
#include "app/shell/ProgramContext.h"
#include "core/language/TaskFault.h"
#include "platform/printing/CatalogueTablePrinter.h"
#include "platform/printing/CertificateDocuments.h"
#include "platform/printing/PrintoutPrinter.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace airmotor::app {

namespace {

class WaitCursor final {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

PrintController::PrintController(MainWindow& main, ProgramContext& program, core::MessageSink& messages)
    : QObject(&main), main_(main), program_(program), messages_(messages) {
    chooser_ = [this](QPrinter& printer) -> std::optional<int> {
        // Printing to a file, the dialog suggests the sheet's own name in the user's documents.
        if (printer.outputFormat() == QPrinter::PdfFormat)
            printer.setOutputFileName(DocumentsPath(suggestedPdfName()));
        QPrintDialog dialog(&printer, &main_);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return std::max(1, printer.copyCount());
    };
    sinkFactory_ = [this](QPrinter& printer) {
        return platform::SinkFor(printer, &program_.language.strText);
    };
    previewRunner_ = [this](QPrinter& printer) {
        QPrintPreviewDialog dialog(&printer, &main_);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
                [this](QPrinter* p) { paintPreview(*p); });
        dialog.exec();
    };
    connect(&main, &MainWindow::printRequested, this, [this](bool ask) {
        if (ask)
            printWithDialog();
        else
            printNow();
    });
    connect(&main, &MainWindow::tablePrintRequested, this, &PrintController::printTable);
    addPreviewMenuItem();
    // The pictures beside the class marking open the certificate information.
    for (QLabel* picture : main.explosionPictures()) {
        picture->installEventFilter(this);
        picture->setCursor(Qt::PointingHandCursor);
    }
}

PrintController::~PrintController() = default;

QString PrintController::suggestedPdfName() const {
    const core::CurrentMotor& motor = main_.session().current();
    const QString sheet = QString::fromStdString(program_.language.strText(core::TextKey::DataSheet));
    if (!motor.valid || motor.strCurrentBenamning.empty())
        return sheet + ".pdf";
    return QString::fromStdString(motor.strCurrentBenamning) + " " + sheet + ".pdf";
}

void PrintController::addPreviewMenuItem() {
    QAction* print = &main_.printAction();
    preview_ = new QAction(&main_);
    preview_->setObjectName(QStringLiteral("mnuPrintPreview"));
    // Added after the window's captions were set; a language switch sets it with the others.
    ApplyCaptions(&main_, program_.language.strText, program_.captionContext(), {preview_->objectName()});
    main_.addMenuAction(MainWindow::MenuPlace::AfterPrint, preview_);
    preview_->setEnabled(print->isEnabled());
    connect(print, &QAction::changed, preview_, [this, print] { preview_->setEnabled(print->isEnabled()); });
    connect(preview_, &QAction::triggered, this, &PrintController::showPreview);
}

core::PrintoutPlan PrintController::plan() const {
    core::PrintoutPlan p = core::PlanPrintout(main_.session(), program_.language,
                                              QDate::currentDate().toString(Qt::ISODate).toStdString());
    if (p.valid && decorator_)
        decorator_(p.diagram);
    return p;
}

void PrintController::report(const QString& error) {
    if (!error.isEmpty())
        messages_.show(
            {.key = -1, .text = error.toStdString(), .icon = core::MessageIcon::Warning, .title = {}});
}

void PrintController::reportRun(const platform::PrintJobSink& sink, const QString& error, bool tellFiles) {
    report(error);
    if (!error.isEmpty() || !tellFiles)
        return;
    if (const QString written = platform::WrittenFilesText(sink.files(), &program_.language.strText);
        !written.isEmpty())
        messages_.show(
            {.key = -1, .text = written.toStdString(), .icon = core::MessageIcon::Information, .title = {}});
}

bool PrintController::printCopies(QPrinter& printer, int copies, bool tellFiles) {
    const core::PrintoutPlan p = plan();
    if (!p.valid)
        return false;
    WaitCursor wait;
    const platform::PrintoutPrinter printout(program_.folder.folder, messages_, &program_.language.strText);
    const std::unique_ptr<platform::PrintJobSink> sink = sinkFactory_(printer);
    const QString error = printout.print(*sink, p, copies).error;
    reportRun(*sink, error, tellFiles);
    return error.isEmpty();
}

bool PrintController::printNow(int batchJob) {
    QPrinter& printer = program_.printer.printer();
    const QString file = printer.outputFileName();
    // Only a printer that already prints to a file is renamed: a file name turns any printer into
    // a PDF writer.
    if (batchJob <= 1 || file.isEmpty())
        return printCopies(printer, 1, batchJob == 0);
    printer.setOutputFileName(platform::PdfJobSink::JobFile(file, batchJob));
    const bool printed = printCopies(printer, 1, false);
    printer.setOutputFileName(file);
    return printed;
}

void PrintController::printWithDialog() {
    if (!plan().valid)
        return;
    // The printer follows the system default each time the dialog opens; Cancel keeps the
    // printer the print button uses.
    auto chosen = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const std::optional<int> copies = chooser_(*chosen);
    if (!copies)
        return;
    // Copies are separate jobs: the printer itself must print each job once.
    chosen->setCopyCount(1);
    program_.printer.choose(std::move(chosen));
    printCopies(program_.printer.printer(), std::max(1, *copies), true);
}

void PrintController::printTable() {
    WaitCursor wait;
    const platform::CatalogueTablePrinter table(program_.catalogue, program_.language.strText);
    const std::unique_ptr<platform::PrintJobSink> sink = sinkFactory_(program_.printer.printer());
    reportRun(*sink, table.print(*sink).error, true);
}

void PrintController::showPreview() {
    const core::PrintoutPlan p = plan();
    if (!p.valid)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(platform::PrintoutPrinter::Orientation(p));
    printer.setDocName(QString::fromStdString(p.sheet.designation));
    previewRunner_(printer);
}

void PrintController::paintPreview(QPrinter& printer) {
    const core::PrintoutPlan p = plan();
    if (!p.valid)
        return;
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const double dpi = printer.resolution();
    core::RecordingMessageSink silent; // the preview shows no messages
    const platform::PrintoutPrinter printout(program_.folder.folder, silent);
    printout.paint(painter, platform::SheetRect(printer, dpi), dpi, p, false);
    painter.end();
}

void PrintController::openCertificateDocument() {
    const platform::CertificateDocuments documents(program_.folder.folder);
    if (const auto fault = documents.open(program_.language.strLanguage))
        report(QString::fromStdString(core::TaskFaultText(*fault, program_.language.strText)));
}

bool PrintController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        openCertificateDocument();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace airmotor::app
