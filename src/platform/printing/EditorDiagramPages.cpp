#include "platform/printing/EditorDiagramPages.h"

#include "platform/drawing/PainterCanvas.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace airmotor::platform {

QString PrintEditorDiagrams(PrintJobSink& sink, const QString& title, int pages,
                            const std::function<core::EditorDiagram(int, double)>& diagramOf) {
    QPagedPaintDevice* device = sink.beginJob(QPageLayout::Landscape, title);
    if (!device)
        return sink.error();
    QPainter painter;
    if (!painter.begin(device)) {
        sink.abortJob();
        return QStringLiteral("%1: the printer could not be started").arg(title);
    }
    const double dpi = sink.resolution();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !device->newPage()) {
            painter.end();
            sink.abortJob();
            return QStringLiteral("%1: page %2 could not be started").arg(title).arg(page);
        }
        core::EditorDiagram diagram = diagramOf(page, dpi);
        diagram.input.landscapePage = true;
        PainterCanvas canvas(painter, SheetRect(*device, dpi), core::CanvasKind::Printer, dpi);
        core::DrawEditorDiagram(canvas, diagram);
    }
    painter.end();
    return sink.endJob() ? QString() : sink.error();
}

} // namespace airmotor::platform
