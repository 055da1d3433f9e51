#include "platform/DiagramExport.h"

#include "platform/PainterCanvas.h"
#include "platform/RegularFile.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace airmotor::platform {

void PaintMotorDiagram(QPainter& painter, const QRectF& area, core::CanvasKind kind, double dpi,
                       const core::MotorDiagramInput& input) {
    painter.fillRect(area, Qt::white);
    PainterCanvas canvas(painter, area, kind, dpi);
    core::DrawMotorDiagram(canvas, input);
}

void PaintMotorDiagramPage(QPainter& painter, const QRectF& page, double dpi, core::MotorDiagramInput input) {
    input.landscapePage = page.width() > page.height();
    PainterCanvas canvas(painter, page, core::CanvasKind::Printer, dpi);
    core::DrawMotorDiagram(canvas, input);
}

QImage RenderMotorDiagram(const core::MotorDiagramInput& input, QSize size) {
    // Left uninitialised: PaintMotorDiagram fills the whole area white first.
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    PaintMotorDiagram(painter, QRectF(QPointF(0, 0), QSizeF(size)), core::CanvasKind::Window, 96.0, input);
    painter.end();
    return image;
}

QString ExportMotorDiagram(const core::MotorDiagramInput& input, const QString& path, QSize size) {
    if (size.width() < 50 || size.height() < 50 || size.width() > 20000 || size.height() > 20000)
        return QStringLiteral("%1: the size %2x%3 is out of range (50..20000 pixels)")
            .arg(path)
            .arg(size.width())
            .arg(size.height());
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != "svg" && suffix != "png" && suffix != "pdf")
        return QStringLiteral("%1: unknown image type \"%2\" (use .svg, .png or .pdf)").arg(path, suffix);

    if (auto problem = CheckOutputTarget(path))
        return QString::fromStdString(problem->message);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("%1: cannot be written (%2)").arg(path, file.errorString());
    const QRectF area(QPointF(0, 0), QSizeF(size));
    if (suffix == "png") {
        if (!RenderMotorDiagram(input, size).save(&file, "PNG"))
            return QStringLiteral("%1: the PNG image could not be written").arg(path);
    } else if (suffix == "svg") {
        QSvgGenerator generator;
        generator.setOutputDevice(&file);
        generator.setSize(size);
        generator.setViewBox(area);
        generator.setResolution(96);
        generator.setTitle(QStringLiteral("Motor diagram"));
        QPainter painter;
        if (!painter.begin(&generator))
            return QStringLiteral("%1: the SVG writer could not start").arg(path);
        PaintMotorDiagram(painter, area, core::CanvasKind::Window, 96.0, input);
        painter.end();
    } else {
        // 96 dpi keeps one device unit equal to one window pixel: the PDF shows the window's chart.
        QPdfWriter writer(&file);
        writer.setResolution(96);
        writer.setPageSize(QPageSize(QSizeF(size.width() * 72.0 / 96.0, size.height() * 72.0 / 96.0),
                                     QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            return QStringLiteral("%1: the PDF writer could not start").arg(path);
        const QRectF page(QPointF(0, 0), QSizeF(writer.width(), writer.height()));
        PaintMotorDiagram(painter, page, core::CanvasKind::Window, 96.0, input);
        painter.end();
    }
    if (!file.commit())
        return QStringLiteral("%1: cannot be written (%2)").arg(path, file.errorString());
    return {};
}

} // namespace airmotor::platform
