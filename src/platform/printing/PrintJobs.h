#pragma once

#include "core/language/Language.h"

#include <QBuffer>
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QRectF;
class QPdfWriter;
class QPrinter;

namespace airmotor::platform {

// Where print jobs go: a printer, or PDF files. Every job is painted by one QPainter on the device
// beginJob returns, on A4 in the orientation asked for, with the painter's origin at the sheet's
// corner (full page).
class PrintJobSink {
public:
    virtual ~PrintJobSink() = default;
    // nullptr when the job cannot start; error() says why.
    virtual QPagedPaintDevice* beginJob(QPageLayout::Orientation orientation, const QString& title) = 0;
    // After the painter has ended: false when the job's output could not be completed.
    virtual bool endJob() = 0;
    // Drops the job started last (nothing of it stays behind where that is possible).
    virtual void abortJob() = 0;
    virtual QString error() const = 0;
    // Device resolution of the current job, dots per inch.
    virtual double resolution() const = 0;
    // The files the finished jobs were written to, in job order; empty for paper.
    virtual QStringList files() const { return {}; }

    // The messages in the user's language; without a text table (the command line) in English.
    void setTexts(const core::TextTable* strText) { strText_ = strText; }
    const core::TextTable* texts() const { return strText_; }
    QString text(int key, const char* english) const;

private:
    const core::TextTable* strText_ = nullptr;
};

// One PDF file per job: FILE.pdf, FILE-2.pdf, FILE-3.pdf, ... Each is made in memory and written
// whole when the job is complete (see WriteFileAtomically), so a failed job leaves no half-written
// file and an older file of that name stays as it was.
class PdfJobSink final : public PrintJobSink {
public:
    explicit PdfJobSink(QString path);
    ~PdfJobSink() override;

    QPagedPaintDevice* beginJob(QPageLayout::Orientation orientation, const QString& title) override;
    bool endJob() override;
    void abortJob() override;
    QString error() const override { return error_; }
    double resolution() const override;

    QStringList files() const override { return files_; }
    // The file of job n (1-based).
    static QString JobFile(const QString& path, int job);

private:
    QString path_;
    QString error_;
    QStringList files_;
    QString target_;
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> writer_;
};

// Each job a PDF document kept in memory, for an answer over the network: nothing is written.
class PdfMemorySink final : public PrintJobSink {
public:
    PdfMemorySink();
    ~PdfMemorySink() override;

    QPagedPaintDevice* beginJob(QPageLayout::Orientation orientation, const QString& title) override;
    bool endJob() override;
    void abortJob() override;
    QString error() const override { return {}; }
    double resolution() const override;

    const QList<QByteArray>& documents() const { return documents_; }

private:
    QList<QByteArray> documents_;
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> writer_;
};

// Jobs on a printer the caller set up (printer name chosen in the dialog). The printer's own copy
// count is set to 1: copies are separate jobs. A printer that prints to a PDF file gets each job's
// document written as PdfJobSink writes it.
class PrinterJobSink final : public PrintJobSink {
public:
    explicit PrinterJobSink(QPrinter& printer);
    ~PrinterJobSink() override;

    QPagedPaintDevice* beginJob(QPageLayout::Orientation orientation, const QString& title) override;
    bool endJob() override;
    void abortJob() override;
    QString error() const override { return error_; }
    double resolution() const override;

private:
    QPrinter& printer_;
    QString error_;
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> pdf_; // the job's document when the printer prints to a file
};

// The sink for a printer: its PDF file when it prints to one (job n > 1 to "name-n.pdf", so no job
// replaces another), otherwise the printer itself.
std::unique_ptr<PrintJobSink> SinkFor(QPrinter& printer, const core::TextTable* strText = nullptr);

// Tells the user where a printout that went to files can be found; empty for none.
QString WrittenFilesText(const QStringList& files, const core::TextTable* strText = nullptr);

// What a print run did: one page count per finished job; error names what failed (the run stops
// at the first failing job).
struct PrintRun {
    std::vector<int> pages;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Runs `jobs` print jobs of one page each: begins job n (1-based) on the sink, paints it with
// paintPage(painter, sheet rectangle, dpi, n), ends it. Stops at the first job that fails.
PrintRun RunOnePageJobs(PrintJobSink& sink, int jobs, QPageLayout::Orientation orientation,
                        const QString& title,
                        const std::function<void(QPainter&, const QRectF&, double, int)>& paintPage);

// The whole sheet in device pixels for a painter begun on the device.
QRectF SheetRect(const QPagedPaintDevice& device, double dpi);

} // namespace airmotor::platform
