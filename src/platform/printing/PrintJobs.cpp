#include "platform/printing/PrintJobs.h"

#include "core/common/Keys.h"
#include "platform/files/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace airmotor::platform {

namespace {

// The text of the key in the table, or the English text where there is no table or no text (a
// catalogue older than the key).
QString TextOr(const core::TextTable* strText, int key, const char* english) {
    if (strText != nullptr && !(*strText)(key).empty())
        return QString::fromStdString((*strText)(key));
    return QString::fromUtf8(english);
}

// PDF resolution: fine enough for 1/10-point text positioning; the output stays vector.
constexpr int kPdfDpi = 600;

QString Worded(const FileError& error, const core::TextTable* strText) {
    return QString::fromStdString(FileErrorText(error, strText));
}

// Where a PDF job can go at all; checked before anything is painted.
QString RefusedPdfTarget(const QString& name, const core::TextTable* strText) {
    if (auto refused = CheckOutputTarget(name))
        return Worded(*refused, strText);
    if (!QFileInfo(QFileInfo(name).absolutePath()).isDir())
        return Worded(FaultAt(name, core::FileProblem::FolderMissing, {}, core::FileOutcome::NothingWritten),
                      strText);
    return {};
}

std::unique_ptr<QPdfWriter> StartPdf(QBuffer& buffer, int dpi, QPageLayout::Orientation orientation,
                                     const QString& title, const QString& creator) {
    buffer.setData(QByteArray());
    buffer.open(QIODevice::WriteOnly);
    auto writer = std::make_unique<QPdfWriter>(&buffer);
    writer->setResolution(dpi);
    writer->setTitle(title);
    writer->setCreator(creator);
    writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0)));
    return writer;
}

} // namespace

PrintRun RunOnePageJobs(PrintJobSink& sink, int jobs, QPageLayout::Orientation orientation,
                        const QString& title,
                        const std::function<void(QPainter&, const QRectF&, double, int)>& paintPage) {
    PrintRun run;
    for (int job = 1; job <= jobs; ++job) {
        QPagedPaintDevice* device = sink.beginJob(orientation, title);
        if (device == nullptr) {
            run.error = sink.error();
            break;
        }
        QPainter painter;
        if (!painter.begin(device)) {
            sink.abortJob();
            run.error =
                sink.text(core::TextKey::PrintJobNotStarted, "The print job \"%1\" could not be started")
                    .arg(title);
            break;
        }
        const double dpi = sink.resolution();
        paintPage(painter, SheetRect(*device, dpi), dpi, job);
        painter.end();
        if (!sink.endJob()) {
            run.error = sink.error();
            break;
        }
        run.pages.push_back(1);
    }
    return run;
}

QRectF SheetRect(const QPagedPaintDevice& device, double dpi) {
    return QRectF(device.pageLayout().fullRectPixels(static_cast<int>(dpi)));
}

PdfJobSink::PdfJobSink(QString path) : path_(std::move(path)) {}

PdfJobSink::~PdfJobSink() {
    abortJob();
}

QString PdfJobSink::JobFile(const QString& path, int job) {
    if (job <= 1)
        return path;
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : "." + info.suffix();
    const QString base = info.suffix().isEmpty() ? path : path.left(path.size() - suffix.size());
    return QStringLiteral("%1-%2%3").arg(base).arg(job).arg(suffix);
}

QPagedPaintDevice* PdfJobSink::beginJob(QPageLayout::Orientation orientation, const QString& title) {
    abortJob();
    const QString name = JobFile(path_, static_cast<int>(files_.size()) + 1);
    error_ = RefusedPdfTarget(name, texts());
    if (!error_.isEmpty())
        return nullptr;
    target_ = name;
    writer_ = StartPdf(buffer_, kPdfDpi, orientation, title, QStringLiteral("Air Motor Selector"));
    return writer_.get();
}

bool PdfJobSink::endJob() {
    if (!writer_)
        return false;
    writer_.reset(); // writes the end of the document
    if (auto error = WriteFileAtomically(target_, buffer_.data())) {
        error_ = Worded(*error, texts());
        abortJob();
        return false;
    }
    abortJob();
    files_.append(target_);
    return true;
}

void PdfJobSink::abortJob() {
    writer_.reset();
    buffer_.close();
    buffer_.setData(QByteArray());
}

double PdfJobSink::resolution() const {
    return kPdfDpi;
}

PdfMemorySink::PdfMemorySink() = default;

PdfMemorySink::~PdfMemorySink() {
    abortJob();
}

QPagedPaintDevice* PdfMemorySink::beginJob(QPageLayout::Orientation orientation, const QString& title) {
    abortJob();
    writer_ = StartPdf(buffer_, kPdfDpi, orientation, title, QStringLiteral("Air Motor Selector"));
    return writer_.get();
}

bool PdfMemorySink::endJob() {
    if (!writer_)
        return false;
    writer_.reset(); // writes the end of the document
    documents_.append(buffer_.data());
    abortJob();
    return true;
}

void PdfMemorySink::abortJob() {
    writer_.reset();
    buffer_.close();
    buffer_.setData(QByteArray());
}

double PdfMemorySink::resolution() const {
    return kPdfDpi;
}

QString PrintJobSink::text(int key, const char* english) const {
    return TextOr(strText_, key, english);
}

std::unique_ptr<PrintJobSink> SinkFor(QPrinter& printer, const core::TextTable* strText) {
    std::unique_ptr<PrintJobSink> sink;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        sink = std::make_unique<PdfJobSink>(printer.outputFileName());
    else
        sink = std::make_unique<PrinterJobSink>(printer);
    sink->setTexts(strText);
    return sink;
}

QString WrittenFilesText(const QStringList& files, const core::TextTable* strText) {
    if (files.isEmpty())
        return {};
    if (files.size() == 1)
        return TextOr(strText, core::TextKey::PrintoutWrittenToFile, "The printout was written to %1.")
            .arg(QDir::toNativeSeparators(files[0]));
    const QFileInfo first(files[0]);
    QStringList names;
    for (const QString& file : files)
        names << (QFileInfo(file).absolutePath() == first.absolutePath() ? QFileInfo(file).fileName()
                                                                         : QDir::toNativeSeparators(file));
    return TextOr(strText, core::TextKey::PrintoutWrittenToFiles,
                  "The printout was written to %1 files in %2: %3.")
        .arg(files.size())
        .arg(QDir::toNativeSeparators(first.absolutePath()), names.join(QStringLiteral(", ")));
}

PrinterJobSink::PrinterJobSink(QPrinter& printer) : printer_(printer) {}

PrinterJobSink::~PrinterJobSink() = default;

QPagedPaintDevice* PrinterJobSink::beginJob(QPageLayout::Orientation orientation, const QString& title) {
    abortJob();
    // Without a printer Qt falls back to a PDF writer that has no file to write to.
    if (!printer_.isValid() ||
        (printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty())) {
        error_ = text(
            core::TextKey::NoPrinterSetUp,
            "No printer is set up: choose a printer or a PDF file with File > Print. Nothing was printed.");
        return nullptr;
    }
    printer_.setCopyCount(1);
    printer_.setFullPage(true);
    printer_.setPageSize(QPageSize(QPageSize::A4));
    printer_.setPageOrientation(orientation);
    printer_.setDocName(title);
    if (printer_.outputFormat() == QPrinter::PdfFormat) {
        // The printer's own PDF file is written without any check of the disk: the document is
        // made in memory instead and written like every other file.
        error_ = RefusedPdfTarget(printer_.outputFileName(), texts());
        if (!error_.isEmpty())
            return nullptr;
        pdf_ = StartPdf(buffer_, printer_.resolution(), orientation, title, printer_.creator());
        return pdf_.get();
    }
    return &printer_;
}

bool PrinterJobSink::endJob() {
    if (pdf_) {
        pdf_.reset(); // writes the end of the document
        const auto error = WriteFileAtomically(printer_.outputFileName(), buffer_.data());
        abortJob();
        if (error)
            error_ = Worded(*error, texts());
        return !error;
    }
    if (printer_.printerState() == QPrinter::Error) {
        error_ = text(core::TextKey::PrinterReportedError,
                      "The printer %1 reported an error: the job may be incomplete")
                     .arg(printer_.printerName());
        return false;
    }
    return true;
}

void PrinterJobSink::abortJob() {
    pdf_.reset();
    buffer_.close();
    buffer_.setData(QByteArray());
}

double PrinterJobSink::resolution() const {
    return pdf_ ? pdf_->resolution() : printer_.resolution();
}

} // namespace airmotor::platform
