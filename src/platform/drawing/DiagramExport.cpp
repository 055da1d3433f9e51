#include "platform/drawing/DiagramExport.h"

#include "core/diagram/MotorComparisonTable.h"
#include "platform/drawing/PainterCanvas.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/RegularFile.h"
#include "platform/printing/PrintJobs.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
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

ChartBytes RenderChart(const ChartPainter& paint, const QString& format, QSize size, const QString& title) {
    ChartBytes out;
    if (size.width() < 50 || size.height() < 50 || size.width() > 20000 || size.height() > 20000) {
        out.error = QStringLiteral("the size %1x%2 is out of range (50..20000 pixels)")
                        .arg(size.width())
                        .arg(size.height());
        return out;
    }
    if (format != "svg" && format != "png" && format != "pdf") {
        out.error = QStringLiteral("unknown image type \"%1\" (use .svg, .png or .pdf)").arg(format);
        return out;
    }
    QBuffer file(&out.bytes);
    file.open(QIODevice::WriteOnly);
    const QRectF area(QPointF(0, 0), QSizeF(size));
    if (format == "png") {
        // Left uninitialised: every chart painter fills its whole area white first.
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        paint(painter, area);
        painter.end();
        if (!image.save(&file, "PNG"))
            out.error = QStringLiteral("the PNG image could not be written");
    } else if (format == "svg") {
        QSvgGenerator generator;
        generator.setOutputDevice(&file);
        generator.setSize(size);
        generator.setViewBox(area);
        generator.setResolution(96);
        generator.setTitle(title);
        QPainter painter;
        if (!painter.begin(&generator))
            out.error = QStringLiteral("the SVG writer could not start");
        else {
            paint(painter, area);
            painter.end();
        }
    } else {
        // 96 dpi keeps one device unit equal to one window pixel: the PDF shows the window's chart.
        QPdfWriter writer(&file);
        writer.setResolution(96);
        writer.setTitle(title);
        writer.setPageSize(QPageSize(QSizeF(size.width() * 72.0 / 96.0, size.height() * 72.0 / 96.0),
                                     QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            out.error = QStringLiteral("the PDF writer could not start");
        else {
            paint(painter, QRectF(QPointF(0, 0), QSizeF(writer.width(), writer.height())));
            painter.end();
        }
    }
    if (!out.error.isEmpty())
        out.bytes.clear();
    return out;
}

QString ExportChart(const ChartPainter& paint, const QString& path, QSize size, const QString& title,
                    const core::TextTable* strText) {
    const auto worded = [strText](const FileError& error) {
        return QString::fromStdString(FileErrorText(error, strText));
    };
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (auto problem = CheckOutputTarget(path))
        return worded(*problem);
    // Painted in memory, then written whole: the image writers do not report a full disk.
    const ChartBytes chart = RenderChart(paint, suffix, size, title);
    if (!chart.error.isEmpty())
        return worded(FaultAt(path, core::FileProblem::NotWritten, chart.error.toStdString()));
    if (auto error = WriteFileAtomically(path, chart.bytes))
        return worded(*error);
    return {};
}

ChartBytes RenderMotorDiagramFile(const core::MotorDiagramInput& input, const QString& format, QSize size) {
    return RenderChart(
        [&input](QPainter& painter, const QRectF& area) {
            PaintMotorDiagram(painter, area, core::CanvasKind::Window, 96.0, input);
        },
        format, size, QStringLiteral("Motor diagram"));
}

QString ExportMotorDiagram(const core::MotorDiagramInput& input, const QString& path, QSize size) {
    return ExportChart(
        [&input](QPainter& painter, const QRectF& area) {
            PaintMotorDiagram(painter, area, core::CanvasKind::Window, 96.0, input);
        },
        path, size, QStringLiteral("Motor diagram"));
}

void PaintComparisonDiagram(QPainter& painter, const QRectF& area, const core::ComparisonPlot& plot) {
    painter.fillRect(area, Qt::white);
    PainterCanvas canvas(painter, area, core::CanvasKind::Window, 96.0);
    core::DrawComparisonPlot(canvas, plot);
}

void PaintComparisonPage(QPainter& painter, const QRectF& page, double dpi, const core::ComparisonPlot& plot,
                         const core::MotorComparison& comparison) {
    constexpr double kWindowDpi = 96.0;
    constexpr double kMarginMm = 12.0;
    constexpr double kGapMm = 6.0;
    const double dotsPerMm = dpi / 25.4;
    const double margin = kMarginMm * dotsPerMm;
    const double tableWidth = static_cast<double>(core::kComparisonTableWidth) * dotsPerMm;
    const double tableHeight = static_cast<double>(core::kComparisonTableHeight) * dotsPerMm;
    const QRectF diagram(page.left() + margin, page.top() + margin,
                         page.width() - 2 * margin - tableWidth - kGapMm * dotsPerMm,
                         page.height() - 2 * margin);
    const QRectF table(page.right() - margin - tableWidth, page.top() + margin, tableWidth, tableHeight);

    const double scale = dpi / kWindowDpi;
    painter.save();
    painter.scale(scale, scale);
    PaintComparisonDiagram(painter, QRectF(diagram.topLeft() / scale, diagram.size() / scale), plot);
    painter.restore();
    PainterCanvas canvas(painter, table, core::CanvasKind::Printer, dpi);
    core::DrawMotorComparisonTable(canvas, comparison);
}

QString ExportComparison(const core::ComparisonPlot& plot, const core::MotorComparison& comparison,
                         const QString& path, QSize size, const core::TextTable* strText) {
    if (QFileInfo(path).suffix().toLower() != "pdf")
        return ExportChart(
            [&plot](QPainter& painter, const QRectF& area) { PaintComparisonDiagram(painter, area, plot); },
            path, size, QStringLiteral("Motor comparison"), strText);
    if (auto problem = CheckOutputTarget(path))
        return QString::fromStdString(FileErrorText(*problem, strText));
    PdfJobSink sink(path);
    sink.setTexts(strText);
    return RunOnePageJobs(sink, 1, QPageLayout::Landscape, QStringLiteral("Motor comparison"),
                          [&](QPainter& painter, const QRectF& sheet, double dpi, int) {
                              PaintComparisonPage(painter, sheet, dpi, plot, comparison);
                          })
        .error;
}

} // namespace airmotor::platform
