#include "platform/printing/CaptureAndPrint.h"

#include "core/common/Keys.h"

#include <QPagedPaintDevice>

#include <algorithm>

namespace airmotor::platform {

QRectF PictureRectOnPage(const QSizeF& page, const QSizeF& picture, double a, double b, double c) {
    if (page.isEmpty() || picture.isEmpty())
        return {};
    const double left = a / 100.0 * page.width();
    const double top = b / 100.0 * page.height();
    const double pictureRatio = picture.width() / picture.height();
    const double pageRatio = page.width() / page.height();
    double width = 0.0, height = 0.0;
    if (pictureRatio > pageRatio) {
        width = c / 100.0 * page.width();
        height = width / pictureRatio;
    } else {
        height = c / 100.0 * page.height();
        width = height * pictureRatio;
    }
    const double fit = std::min({1.0, (page.width() - left) / width, (page.height() - top) / height});
    if (!(fit > 0.0))
        return {};
    return QRectF(left, top, width * fit, height * fit);
}

PicturePrintJob::PicturePrintJob(PrintJobSink& sink, QString title) : sink_(sink), title_(std::move(title)) {}

PicturePrintJob::~PicturePrintJob() {
    if (started_) {
        painter_.end();
        sink_.abortJob();
    }
}

bool PicturePrintJob::PrintPictureToFitPage(const QImage& picture, double a, double b, double c,
                                            int orientation) {
    if (!started_) {
        const auto layout = orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
        QPagedPaintDevice* device = sink_.beginJob(layout, title_);
        if (device == nullptr) {
            error_ = sink_.error();
            return false;
        }
        if (!painter_.begin(device)) {
            sink_.abortJob();
            error_ =
                sink_.text(core::TextKey::PrintJobNotStarted, "The print job \"%1\" could not be started")
                    .arg(title_);
            return false;
        }
        page_ = SheetRect(*device, sink_.resolution());
        started_ = true;
    }
    const QRectF rect = PictureRectOnPage(page_.size(), QSizeF(picture.size()), a, b, c);
    if (!rect.isEmpty()) {
        painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter_.drawImage(rect.translated(page_.topLeft()), picture);
    }
    return true;
}

bool PicturePrintJob::end() {
    if (!started_) {
        if (error_.isEmpty())
            error_ = sink_.text(core::TextKey::NothingPrinted, "Nothing was printed.");
        return false;
    }
    started_ = false;
    painter_.end();
    if (!sink_.endJob()) {
        error_ = sink_.error();
        return false;
    }
    return true;
}

} // namespace airmotor::platform
