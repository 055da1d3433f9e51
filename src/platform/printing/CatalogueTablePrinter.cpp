#include "platform/printing/CatalogueTablePrinter.h"

#include "core/common/Keys.h"
#include "core/printing/CatalogueTable.h"
#include "platform/drawing/PainterCanvas.h"

#include <QPainter>

namespace airmotor::platform {

int CatalogueTablePrinter::pages() const {
    return core::CatalogueTablePages(catalogue_);
}

void CatalogueTablePrinter::paint(QPainter& painter, const QRectF& sheet, double dpi, int page) const {
    painter.save();
    painter.fillRect(sheet, Qt::white);
    PainterCanvas canvas(painter, sheet, core::CanvasKind::Printer, dpi);
    core::DrawCatalogueTablePage(canvas, catalogue_, strText_, page, static_cast<float>(dpi));
    painter.restore();
}

PrintRun CatalogueTablePrinter::print(PrintJobSink& sink) const {
    const QString title = QString::fromStdString(strText_(core::TextKey::CatalogueTableTitle));
    return RunOnePageJobs(sink, pages(), QPageLayout::Landscape, title,
                          [this](QPainter& painter, const QRectF& sheet, double dpi, int page) {
                              paint(painter, sheet, dpi, page);
                          });
}

} // namespace airmotor::platform
