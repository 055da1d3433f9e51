#pragma once

#include "platform/printing/PrintJobs.h"

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <optional>

namespace airmotor::platform {

// Where PrintPictureToFitPage puts a picture on a page of the given size: a and b are the left and
// top edges in percent of the page width and height; c the size in percent of the page width for
// a picture relatively wider than the page, else of the page height. The picture keeps its
// proportions, and shrinks (from its top-left corner) rather than run off the page.
QRectF PictureRectOnPage(const QSizeF& page, const QSizeF& picture, double a, double b, double c);

// Window captures printed on one page: each PrintPictureToFitPage call paints one picture, so
// several pictures share the page; end() finishes the print job.
//
//   PicturePrintJob job(sink, "Wagon calculation");
//   job.PrintPictureToFitPage(form, 12, 5, 77, 1);     // 1 portrait, 2 landscape
//   job.PrintPictureToFitPage(diagram, 12, 57, 80, 0); // 0: keep the orientation
//   if (!job.end()) show(job.error());
class PicturePrintJob final {
public:
    PicturePrintJob(PrintJobSink& sink, QString title);
    ~PicturePrintJob();

    // The first call starts the job, in the orientation given (0 = portrait); an orientation given
    // once the page has begun cannot change it and is ignored. False when the job could not start.
    bool PrintPictureToFitPage(const QImage& picture, double a, double b, double c, int orientation);
    // Ends the job; false (see error) when it failed or nothing was printed.
    bool end();
    const QString& error() const { return error_; }

private:
    PrintJobSink& sink_;
    QString title_;
    QString error_;
    QPainter painter_;
    QRectF page_;
    bool started_ = false;
};

} // namespace airmotor::platform
