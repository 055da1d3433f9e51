#include "platform/printing/PrintJobs.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace airmotor::platform {

namespace {

// PDF resolution: fine enough for 1/10-point text positioning; the output stays vector.
constexpr int kPdfDpi = 600;

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
            run.error = QStringLiteral("The print job \"%1\" could not be started").arg(title);
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
    const QFileInfo info(name);
    if (info.exists() && !info.isFile()) {
        error_ = QStringLiteral("%1: is not a regular file, nothing was written").arg(name);
        return nullptr;
    }
    file_ = std::make_unique<QTemporaryFile>(info.absoluteDir().filePath("." + info.fileName() + ".XXXXXX"));
    if (!file_->open()) {
        error_ = QStringLiteral("%1: cannot be written (%2)").arg(name, file_->errorString());
        file_.reset();
        return nullptr;
    }
    target_ = name;
    writer_ = std::make_unique<QPdfWriter>(file_.get());
    writer_->setResolution(kPdfDpi);
    writer_->setTitle(title);
    writer_->setCreator(QStringLiteral("Air Motor Selector"));
    writer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0)));
    return writer_.get();
}

bool PdfJobSink::endJob() {
    if (!file_)
        return false;
    writer_.reset(); // writes the end of the document
    const bool written = file_->error() == QFileDevice::NoError && file_->flush();
    file_->close();
    // A temporary file is private to its owner; the sheet is an ordinary document.
    file_->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                          QFileDevice::ReadOther);
    const QByteArray from = QFile::encodeName(file_->fileName());
    const QByteArray to = QFile::encodeName(target_);
    if (!written || std::rename(from.constData(), to.constData()) != 0) {
        const QString why = written ? QString::fromLocal8Bit(std::strerror(errno)) : file_->errorString();
        error_ = QStringLiteral("%1: cannot be written (%2)").arg(target_, why);
        file_.reset(); // removes the temporary file
        return false;
    }
    file_->setAutoRemove(false); // it has become the target
    file_.reset();
    files_.append(target_);
    return true;
}

void PdfJobSink::abortJob() {
    writer_.reset();
    file_.reset(); // the temporary file goes with it
}

double PdfJobSink::resolution() const {
    return kPdfDpi;
}

std::unique_ptr<PrintJobSink> SinkFor(QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return std::make_unique<PdfJobSink>(printer.outputFileName());
    return std::make_unique<PrinterJobSink>(printer);
}

QString WrittenFilesText(const QStringList& files) {
    if (files.isEmpty())
        return {};
    if (files.size() == 1)
        return QStringLiteral("The printout was written to %1.").arg(QDir::toNativeSeparators(files[0]));
    const QFileInfo first(files[0]);
    QStringList names;
    for (const QString& file : files)
        names << (QFileInfo(file).absolutePath() == first.absolutePath() ? QFileInfo(file).fileName()
                                                                         : QDir::toNativeSeparators(file));
    return QStringLiteral("The printout was written to %1 files in %2: %3.")
        .arg(files.size())
        .arg(QDir::toNativeSeparators(first.absolutePath()), names.join(QStringLiteral(", ")));
}

PrinterJobSink::PrinterJobSink(QPrinter& printer) : printer_(printer) {}

QPagedPaintDevice* PrinterJobSink::beginJob(QPageLayout::Orientation orientation, const QString& title) {
    // Without a printer Qt falls back to a PDF writer that has no file to write to.
    if (!printer_.isValid() ||
        (printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty())) {
        error_ = QStringLiteral("No printer is set up: choose a printer or a PDF file with File > Print. "
                                "Nothing was printed.");
        return nullptr;
    }
    printer_.setCopyCount(1);
    printer_.setFullPage(true);
    printer_.setPageSize(QPageSize(QPageSize::A4));
    printer_.setPageOrientation(orientation);
    printer_.setDocName(title);
    return &printer_;
}

bool PrinterJobSink::endJob() {
    if (printer_.printerState() == QPrinter::Error) {
        error_ = QStringLiteral("The printer %1 reported an error: the job may be incomplete")
                     .arg(printer_.printerName());
        return false;
    }
    return true;
}

void PrinterJobSink::abortJob() {}

double PrinterJobSink::resolution() const {
    return printer_.resolution();
}

} // namespace airmotor::platform
